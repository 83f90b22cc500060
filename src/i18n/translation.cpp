// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/translation.h"

#include <utility>

#include "core/win1252.h"
#include "i18n/language_numbers.h"

namespace kassavero {
namespace {

// True when the text holds at least one multi-byte UTF-8 sequence and nothing else that
// is not ASCII.
bool IsNonAsciiUtf8(std::string_view text) {
    bool multiByte = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        if (lead >= 0x80) {
            if ((lead & 0xE0) == 0xC0 && lead >= 0xC2) {
                length = 2;
            } else if ((lead & 0xF0) == 0xE0) {
                length = 3;
            } else if ((lead & 0xF8) == 0xF0 && lead <= 0xF4) {
                length = 4;
            } else {
                return false;
            }
            if (i + length > text.size())
                return false;
            for (std::size_t k = 1; k < length; ++k) {
                if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                    return false;
            }
            multiByte = true;
        }
        i += length;
    }
    return multiByte;
}

struct LanguageRow {
    std::string_view code;  // ISO 639-1
    const char* section;
};

constexpr LanguageRow kLanguageSections[] = {
    {"de", "Deutsch"},
    {"en", "English"},
    {"fr",
     "Fran\xE7"
     "ais"},
    {"nl", "Nederlands"},
    {"es",
     "Espa\xF1"
     "ol"},
    {"it", "Italiano"},
};

// "de_AT.UTF-8@euro" -> "de_AT"
std::string_view WithoutCodeset(std::string_view name) {
    return name.substr(0, name.find_first_of(".@"));
}

bool IsPlainCLocale(std::string_view name) {
    name = WithoutCodeset(name);
    return name.empty() || name == "C" || name == "POSIX";
}

// The section of a language or locale name ("de", "de_AT", "fr_BE.UTF-8"), or null.
const char* SectionOfName(std::string_view name) {
    name = WithoutCodeset(name);
    name = name.substr(0, name.find('_'));
    for (const LanguageRow& row : kLanguageSections) {
        if (row.code == name)
            return row.section;
    }
    return nullptr;
}

}  // namespace

std::string DesktopLanguageSection(const LocaleVariables& locale) {
    std::string_view messages = locale.lcAll;
    if (messages.empty())
        messages = locale.lcMessages;
    if (messages.empty())
        messages = locale.lang;
    if (!IsPlainCLocale(messages)) {
        std::string_view list = locale.language;
        while (!list.empty()) {
            const std::size_t colon = list.find(':');
            if (const char* section = SectionOfName(list.substr(0, colon)))
                return section;
            list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
        }
    }
    const char* section = SectionOfName(messages);
    return section != nullptr ? section : "English";
}

std::string NormaliseTranslationKey(std::string_view key) {
    return IsNonAsciiUtf8(key) ? Utf8ToWin1252(key) : std::string(key);
}

Translation::Translation(std::filesystem::path file, const LanguageChoice& choice)
    : file_(std::move(file)) {
    if (!choice.userFile.empty()) {
        PrivateProfileFile user(choice.userFile);
        section_ = user.ReadString("Allgemein", "Sprache", "", kMaxSectionNameLength);
    }
    if (section_.empty())
        section_ = file_.ReadString("Allgemein", "Sprache", "", kMaxSectionNameLength);
    if (section_.empty())
        section_ = choice.desktopSection.substr(0, kMaxSectionNameLength);
    common_.Overflow = TranslateKey("Overflow");
    common_.ContinueCaption = TranslateKey("Fortsetzen_SC");
    common_.StopCaption = TranslateKey("Anhalten_SC");
    common_.YesLetter = TranslateKey("AnfangsbuchstabeJa");
    common_.NoLetter = TranslateKey("AnfangsbuchstabeNein");
    common_.ConversionTitle = TranslateKey("Umrechnung");
    common_.InputTitle = TranslateKey("Input");
    common_.OutputTitle = TranslateKey("Output");
    common_.ExcelFormulaTitle = TranslateKey("ExcelFormel");
}

std::string Translation::TranslateKey(std::string_view key) {
    // An empty key is a slip in a window's layout, not a missing text; reporting a lone
    // blank would tell the user nothing.
    if (key.empty())
        return {};
    const std::string name = NormaliseTranslationKey(key);
    // Without a language section every text is missing, even one a "[]" section would hold.
    std::string text =
        section_.empty() ? std::string() : file_.ReadString(section_, name, "", kMaxTextLength);
    if (text.empty() && missingKeys_.size() < kMissingKeysLimit) {
        missingKeys_ += name;
        missingKeys_ += ' ';
    }
    return text;
}

int Translation::LanguageNumber() const {
    return LanguageNumberOfSectionName(section_);
}

}  // namespace kassavero
