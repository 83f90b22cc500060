// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix_system_info.h"

#include <langinfo.h>
#include <clocale>

#include <array>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/unicode_text.h"
#include "core/win1252.h"

namespace kassavero {
namespace {

struct LanguageRow {
    std::string_view iso;
    std::uint16_t primary;
};

// ISO 639-1 codes and their Windows primary language numbers.
constexpr std::array<LanguageRow, 42> kLanguages = {{
    {"ar", 0x01}, {"bg", 0x02}, {"ca", 0x03}, {"zh", 0x04}, {"cs", 0x05}, {"da", 0x06},
    {"de", 0x07}, {"el", 0x08}, {"en", 0x09}, {"es", 0x0A}, {"fi", 0x0B}, {"fr", 0x0C},
    {"he", 0x0D}, {"hu", 0x0E}, {"is", 0x0F}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12},
    {"nl", 0x13}, {"nb", 0x14}, {"nn", 0x14}, {"no", 0x14}, {"pl", 0x15}, {"pt", 0x16},
    {"ro", 0x18}, {"ru", 0x19}, {"hr", 0x1A}, {"sr", 0x1A}, {"sk", 0x1B}, {"sq", 0x1C},
    {"sv", 0x1D}, {"th", 0x1E}, {"tr", 0x1F}, {"id", 0x21}, {"uk", 0x22}, {"sl", 0x24},
    {"et", 0x25}, {"lv", 0x26}, {"lt", 0x27}, {"eu", 0x2D}, {"mt", 0x3A}, {"lb", 0x6E},
}};

struct CountryRow {
    std::uint16_t primary;
    std::string_view country;
    std::uint16_t sublanguage;
};

// Sublanguages where they differ from 1 (the language's main country), for every
// language whose home currency or name list depends on the country.
constexpr std::array<CountryRow, 31> kCountries = {{
    {0x07, "CH", 2}, {0x07, "AT", 3}, {0x07, "LU", 4}, {0x07, "LI", 5}, {0x09, "GB", 2},
    {0x09, "AU", 3}, {0x09, "CA", 4}, {0x09, "NZ", 5}, {0x09, "IE", 6}, {0x09, "ZA", 7},
    {0x0A, "ES", 3}, {0x0A, "MX", 2}, {0x0C, "BE", 2}, {0x0C, "CA", 3}, {0x0C, "CH", 4},
    {0x0C, "LU", 5}, {0x0C, "MC", 6}, {0x10, "CH", 2}, {0x13, "BE", 2}, {0x16, "BR", 1},
    {0x16, "PT", 2}, {0x1D, "FI", 2}, {0x1A, "HR", 1}, {0x1A, "RS", 2}, {0x14, "NO", 1},
    {0x04, "TW", 1}, {0x04, "CN", 2}, {0x04, "HK", 3}, {0x04, "SG", 4}, {0x04, "MO", 5},
    {0x08, "CY", 2},
}};

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The locale's separator as UTF-8, whatever the locale's own character set is.
std::string SeparatorAsUtf8(const char* text, const char* codeset) {
    std::string value = text != nullptr ? text : "";
    const std::string set = codeset != nullptr ? codeset : "";
    if (set == "UTF-8" || set == "utf8" || set == "ANSI_X3.4-1968")
        return value;
    // The single-byte Latin sets agree with Unicode on the characters that matter here.
    return TextToUtf8(Win1252ToText(value));
}

bool IsSpaceLike(std::string_view utf8) {
    return utf8 == "\u202F" || utf8 == "\u2009" || utf8 == "\u2007";
}

// A UTF-8 text that is exactly one character, and not a blank of the wider kind.
std::optional<char32_t> SingleCharacter(std::string_view utf8) {
    const std::u32string text = Utf8ToText(utf8);
    if (text.size() != 1 || !IsValidUtf8(utf8) || IsSpaceLike(utf8))
        return std::nullopt;
    return text.front();
}

}  // namespace

NumberSeparators SanitizeSeparators(std::string_view decimalUtf8, std::string_view thousandUtf8) {
    const char32_t decimal = SingleCharacter(decimalUtf8).value_or(U'.');
    const char32_t counterpart = decimal == U'.' ? U',' : U'.';
    char32_t thousand = counterpart;
    if (const auto single = SingleCharacter(thousandUtf8)) {
        thousand = *single;
    } else if (IsSpaceLike(thousandUtf8)) {
        thousand = U'\u00A0';
    }
    if (thousand == decimal)
        thousand = counterpart;
    return {decimal, thousand};
}

std::uint16_t LanguageIdOfLocaleName(std::string_view name) {
    name = name.substr(0, name.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX")
        return 0x0409;
    const std::string_view language = name.substr(0, name.find('_'));
    const std::string_view country =
        name.find('_') == std::string_view::npos ? "" : name.substr(name.find('_') + 1);
    std::uint16_t primary = 0;
    for (const auto& row : kLanguages) {
        if (row.iso == language)
            primary = row.primary;
    }
    std::uint16_t sub = 1;
    for (const auto& row : kCountries) {
        if (row.primary == primary && row.country == country)
            sub = row.sublanguage;
    }
    return static_cast<std::uint16_t>((sub << 10) | primary);
}

LocaleVariables LocaleVariablesFromEnvironment() {
    return {Environment("LANGUAGE"), Environment("LC_ALL"), Environment("LC_MESSAGES"),
            Environment("LANG")};
}

PosixSystemInfo::PosixSystemInfo() {
    ReadSeparators("");
    std::string localeName;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        localeName = Environment(variable);
        if (!localeName.empty())
            break;
    }
    languageId_ = LanguageIdOfLocaleName(localeName);
}

PosixSystemInfo::PosixSystemInfo(const std::string& localeName) {
    ReadSeparators(localeName.c_str());
    languageId_ = LanguageIdOfLocaleName(localeName);
}

void PosixSystemInfo::ReadSeparators(const char* localeName) {
    std::string decimal = ".";
    std::string thousand;
    if (locale_t numeric = newlocale(LC_NUMERIC_MASK, localeName, nullptr)) {
        const char* codeset = nl_langinfo_l(CODESET, numeric);
        decimal = SeparatorAsUtf8(nl_langinfo_l(RADIXCHAR, numeric), codeset);
        thousand = SeparatorAsUtf8(nl_langinfo_l(THOUSEP, numeric), codeset);
        freelocale(numeric);
    }
    // Some locales group only money (bg_BG): amounts are money, so that grouping counts.
    if (thousand.empty()) {
        if (locale_t monetary = newlocale(LC_MONETARY_MASK, localeName, nullptr)) {
            thousand = SeparatorAsUtf8(nl_langinfo_l(MON_THOUSANDS_SEP, monetary),
                                       nl_langinfo_l(CODESET, monetary));
            freelocale(monetary);
        }
    }
    const NumberSeparators separators = SanitizeSeparators(decimal, thousand);
    decimal_ = separators.decimal;
    thousand_ = separators.thousand;
}

}  // namespace kassavero
