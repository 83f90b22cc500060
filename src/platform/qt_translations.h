// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt's own texts in the language of the interface: the standard buttons of message boxes
// ("Ja", "Nein"), key names ("Strg", "Umschalt", "Leertaste") and the context menus of text
// fields come from the translations Qt ships (qtbase_<language>.qm), or for a language it
// ships none for, from the program's own (translations/ beside the program).

#include <QString>

class QCoreApplication;

namespace kassavero {

// The language code of a translation section name ("Deutsch" -> "de"); "en" for any
// other name.
QString LanguageCodeOfSection(const QString& sectionName);

// Puts Qt's translation for the language in place of the one installed before (none for
// English). False when Qt's translations for it are not installed: Qt's texts then stay
// English.
bool InstallQtTranslations(QCoreApplication& application, const QString& language);

}  // namespace kassavero
