// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The user interface language: every text the user sees is looked up by its key in the
// translation file, in the section of the chosen language (see LanguageChoice).

#include <filesystem>
#include <string>
#include <string_view>

#include "i18n/translator.h"
#include "platform/posix_system_info.h"
#include "platform/private_profile_file.h"

namespace kassavero {

// The texts that windows need again and again, looked up once when the translation starts.
struct CommonTexts {
    std::u32string Overflow;           // a calculator value that does not fit
    std::u32string ContinueCaption;    // confirmation dialog: continue a paused conversion
    std::u32string StopCaption;        // confirmation dialog: pause a running conversion
    std::u32string YesLetter;          // confirmation dialog: the key that answers yes
    std::u32string NoLetter;           // confirmation dialog: the key that answers no
    std::u32string ConversionTitle;    // confirmation dialog: window title
    std::u32string InputTitle;         // confirmation dialog: the text as found
    std::u32string OutputTitle;        // confirmation dialog: the text to be written
    std::u32string ExcelFormulaTitle;  // confirmation dialog: title part for a formula
};

// Where the language comes from when the translation file does not name one. The
// translation file is installed with the program, where a user cannot change it: the
// "Allgemein"/"Sprache" of the user's own file decides first, then the translation file's,
// and when neither names a language, the desktop's.
struct LanguageChoice {
    std::filesystem::path userFile;  // may be missing
    std::u32string desktopSection;   // DesktopLanguageSection(); empty: none
};

// The language section for the desktop's message language, as gettext would pick it:
// LC_ALL, else LC_MESSAGES, else LANG names the locale; unless that is C or POSIX, the
// first language of LANGUAGE that the file has comes before it. German, French, Dutch,
// Spanish, Italian, Bulgarian, Croatian and Greek have their own sections; anything else
// is "English".
std::u32string DesktopLanguageSection(const LocaleVariables& locale);

class Translation final : public Translator {
  public:
    static constexpr std::size_t kMaxSectionNameLength = 255;
    static constexpr std::size_t kMaxTextLength = 1023;
    // The missing-keys list stops growing once it has reached this length.
    static constexpr std::size_t kMissingKeysLimit = 1000;

    // Reads the language section name and looks up the common texts. A missing file or
    // section is no error: every lookup is then empty and lands in the missing-keys list.
    explicit Translation(std::filesystem::path file, const LanguageChoice& choice = {});

    // The text as it stands in the file, or the empty text for a key that is missing or
    // has nothing after its "="; such a key is added to the missing-keys list each time.
    // Changes to the file are seen by the next lookup.
    std::u32string TranslateKey(std::string_view key) override;

    const std::u32string& LanguageSection() const { return section_; }
    // The language number of the section name, as the default symbol lists count them.
    int LanguageNumber() const;
    // Every key looked up without result, each followed by one blank, in lookup order.
    const std::u32string& MissingKeys() const { return missingKeys_; }
    const CommonTexts& Common() const { return common_; }

  private:
    PrivateProfileFile file_;
    std::u32string section_;
    std::u32string missingKeys_;
    CommonTexts common_;
};

}  // namespace kassavero
