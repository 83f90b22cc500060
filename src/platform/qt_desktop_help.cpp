#include "platform/qt_desktop_help.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace kassavero {

QString HelpLanguageOfSection(const QString& sectionName) {
    static const std::pair<const char*, const char*> kLanguages[] = {
        {"Deutsch", "de"},    {"English", "en"},      {"Fran\u00e7ais", "fr"},
        {"Nederlands", "nl"}, {"Espa\u00f1ol", "es"}, {"Italiano", "it"},
    };
    for (const auto& [section, code] : kLanguages) {
        if (sectionName.compare(QString::fromUtf8(section), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(code);
    }
    return QStringLiteral("en");
}

QString DesktopHelp::Find(const QString& page) const {
    for (const QString& language : {language_, QStringLiteral("en")}) {
        const QString path = QDir(folder_).filePath(language + QLatin1Char('/') + page);
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

QString DesktopHelp::ContentsPage() const {
    const QString page = Find(QStringLiteral("index.html"));
    return page.isEmpty() ? QDir(folder_).filePath(QStringLiteral("en/index.html")) : page;
}

QString DesktopHelp::PageOf(int contextNumber) const {
    const QString page = Find(QString::number(contextNumber) + QStringLiteral(".html"));
    // A number without its own page shows the contents rather than an error page.
    return page.isEmpty() ? ContentsPage() : page;
}

void DesktopHelp::ShowTopic(int contextNumber) {
    Open(PageOf(contextNumber));
}

void DesktopHelp::ShowContents() {
    Open(ContentsPage());
}

void DesktopHelp::Open(const QString& page) const {
    QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

}  // namespace kassavero
