#include "platform/qt_desktop_help.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace kassavero {

QString DesktopHelp::PageOf(int contextNumber) const {
    const QString page = QDir(folder_).filePath(QString::number(contextNumber) + ".html");
    // A number without its own page shows the contents rather than an error page.
    return QFileInfo::exists(page) ? page : QDir(folder_).filePath("index.html");
}

void DesktopHelp::ShowTopic(int contextNumber) {
    Open(PageOf(contextNumber));
}

void DesktopHelp::ShowContents() {
    Open(QDir(folder_).filePath("index.html"));
}

void DesktopHelp::Open(const QString& page) const {
    QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

}  // namespace kassavero
