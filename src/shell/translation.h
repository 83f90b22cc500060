#pragma once

// The user interface language: every text the user sees is looked up by its key in the
// translation file, in the section that the file's own "Allgemein"/"Sprache" value names.

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/private_profile_file.h"
#include "shell/translator.h"

namespace kassavero {

// The texts that windows need again and again, looked up once when the translation starts.
struct CommonTexts {
    std::string Overflow;           // a calculator value that does not fit
    std::string ContinueCaption;    // confirmation dialog: continue a paused conversion
    std::string StopCaption;        // confirmation dialog: pause a running conversion
    std::string YesLetter;          // confirmation dialog: the key that answers yes
    std::string NoLetter;           // confirmation dialog: the key that answers no
    std::string ConversionTitle;    // confirmation dialog: window title
    std::string InputTitle;         // confirmation dialog: the text as found
    std::string OutputTitle;        // confirmation dialog: the text to be written
    std::string ExcelFormulaTitle;  // confirmation dialog: title part for a formula
};

class Translation final : public Translator {
  public:
    static constexpr std::size_t kMaxSectionNameLength = 255;
    static constexpr std::size_t kMaxTextLength = 1023;
    // The missing-keys list stops growing once it has reached this length.
    static constexpr std::size_t kMissingKeysLimit = 1000;

    // Reads the language section name and looks up the common texts. A missing file or
    // section is no error: every lookup is then empty and lands in the missing-keys list.
    explicit Translation(std::filesystem::path file);

    // The text as it stands in the file, or the empty text for a key that is missing or
    // has nothing after its "="; such a key is added to the missing-keys list each time.
    // Changes to the file are seen by the next lookup.
    std::string TranslateKey(std::string_view key) override;

    const std::string& LanguageSection() const { return section_; }
    // The language number of the section name, as the default symbol lists count them.
    int LanguageNumber() const;
    // Every key looked up without result, each followed by one blank, in lookup order.
    const std::string& MissingKeys() const { return missingKeys_; }
    const CommonTexts& Common() const { return common_; }

  private:
    PrivateProfileFile file_;
    std::string section_;
    std::string missingKeys_;
    CommonTexts common_;
};

// Keys are Windows-1252 like all program text; a key literal written with its umlauts in a
// UTF-8 source file ("ExcelKleinsteÜberweisungCBEntry") is converted to it. Key names are
// plain words, so a key that is well-formed UTF-8 with non-ASCII letters is never meant as
// Windows-1252.
std::string NormaliseTranslationKey(std::string_view key);

}  // namespace kassavero
