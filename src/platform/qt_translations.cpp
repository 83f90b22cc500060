// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <utility>

namespace kassavero {
namespace {

constexpr char kTranslatorName[] = "kassaveroQtTranslator";

}  // namespace

QString LanguageCodeOfSection(const QString& sectionName) {
    static const std::pair<const char*, const char*> kLanguages[] = {
        {"Deutsch", "de"},    {"English", "en"},      {"Fran\u00e7ais", "fr"},
        {"Nederlands", "nl"}, {"Espa\u00f1ol", "es"}, {"Italiano", "it"},
        {"Български", "bg"},  {"Hrvatski", "hr"},     {"Ελληνικά", "el"},
    };
    for (const auto& [section, code] : kLanguages) {
        if (sectionName.compare(QString::fromUtf8(section), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(code);
    }
    return QStringLiteral("en");
}

bool InstallQtTranslations(QCoreApplication& application, const QString& language) {
    if (auto* before = application.findChild<QTranslator*>(QString::fromLatin1(kTranslatorName),
                                                           Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(before);
        delete before;
    }
    if (language == QStringLiteral("en"))
        return true;
    auto* translator = new QTranslator(&application);
    translator->setObjectName(QString::fromLatin1(kTranslatorName));
    // Qt's own catalogue, else the program's for a language Qt ships none for (Greek).
    const QString name = QStringLiteral("qtbase_") + language;
    if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        !translator->load(
            name, QCoreApplication::applicationDirPath() + QStringLiteral("/translations"))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

}  // namespace kassavero
