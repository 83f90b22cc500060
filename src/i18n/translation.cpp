// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/translation.h"

#include <utility>

#include "core/unicode_text.h"
#include "i18n/language_numbers.h"

namespace kassavero {
namespace {

struct LanguageRow {
    std::string_view code;  // ISO 639-1
    const char32_t* section;
};

constexpr LanguageRow kLanguageSections[] = {
    {"de", U"Deutsch"},    {"en", U"English"},  {"fr", U"Français"},
    {"nl", U"Nederlands"}, {"es", U"Español"},  {"it", U"Italiano"},
    {"bg", U"Български"},  {"hr", U"Hrvatski"}, {"el", U"Ελληνικά"},
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
const char32_t* SectionOfName(std::string_view name) {
    name = WithoutCodeset(name);
    name = name.substr(0, name.find('_'));
    for (const LanguageRow& row : kLanguageSections) {
        if (row.code == name)
            return row.section;
    }
    return nullptr;
}

}  // namespace

std::u32string DesktopLanguageSection(const LocaleVariables& locale) {
    std::string_view messages = locale.lcAll;
    if (messages.empty())
        messages = locale.lcMessages;
    if (messages.empty())
        messages = locale.lang;
    if (!IsPlainCLocale(messages)) {
        std::string_view list = locale.language;
        while (!list.empty()) {
            const std::size_t colon = list.find(':');
            if (const char32_t* section = SectionOfName(list.substr(0, colon)))
                return section;
            list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
        }
    }
    const char32_t* section = SectionOfName(messages);
    return section != nullptr ? section : U"English";
}

Translation::Translation(std::filesystem::path file, const LanguageChoice& choice)
    : file_(std::move(file)) {
    if (!choice.userFile.empty()) {
        PrivateProfileFile user(choice.userFile);
        section_ = user.ReadString(U"Allgemein", U"Sprache", U"", kMaxSectionNameLength);
    }
    if (section_.empty())
        section_ = file_.ReadString(U"Allgemein", U"Sprache", U"", kMaxSectionNameLength);
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

std::u32string Translation::TranslateKey(std::string_view key) {
    // An empty key is a slip in a window's layout, not a missing text; reporting a lone
    // blank would tell the user nothing.
    if (key.empty())
        return {};
    const std::u32string name = Utf8ToText(key);
    // Without a language section every text is missing, even one a "[]" section would hold.
    std::u32string text =
        section_.empty() ? std::u32string() : file_.ReadString(section_, name, U"", kMaxTextLength);
    if (text.empty() && missingKeys_.size() < kMissingKeysLimit) {
        missingKeys_ += name;
        missingKeys_ += U' ';
    }
    return text;
}

int Translation::LanguageNumber() const {
    return LanguageNumberOfSectionName(section_);
}

}  // namespace kassavero
