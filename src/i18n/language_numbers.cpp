// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/language_numbers.h"

#include <array>
#include <cstddef>

namespace kassavero {

int LanguageNumberOfSectionName(std::u32string_view sectionName) {
    if (sectionName == U"English")
        return 1;
    if (sectionName == U"Français")
        return 2;
    if (sectionName == U"Nederlands")
        return 3;
    if (sectionName == U"Español")
        return 4;
    if (sectionName == U"Italiano")
        return 7;
    // Texts in these languages quote currencies by their English names far more often
    // than by their German ones.
    if (sectionName == U"Български" || sectionName == U"Hrvatski" || sectionName == U"Ελληνικά")
        return 1;
    return 0;
}

int LanguageNumberOfLanguageId(std::uint16_t languageId) {
    // German, English, French and Dutch first; then the other European languages in
    // a fixed order, numbered from 4.
    // (Serbian and Croatian share one primary language number.)
    static constexpr std::array<std::uint16_t, 21> kOthers = {
        0x03 /*Catalan*/,   0x05 /*Czech*/,     0x06 /*Danish*/,
        0x08 /*Greek*/,     0x0A /*Spanish*/,   0x0B /*Finnish*/,
        0x0E /*Hungarian*/, 0x0F /*Icelandic*/, 0x10 /*Italian*/,
        0x14 /*Norwegian*/, 0x15 /*Polish*/,    0x16 /*Portuguese*/,
        0x18 /*Romanian*/,  0x19 /*Russian*/,   0x1A /*Serbian, Croatian*/,
        0x1B /*Slovak*/,    0x1C /*Albanian*/,  0x1F /*Turkish*/,
        0x24 /*Slovenian*/, 0x2D /*Basque*/,    0x1D /*Swedish*/};
    const std::uint16_t primary = languageId & 0x3FF;
    switch (primary) {
        case 0x07:
            return 0;
        case 0x09:
            return 1;
        case 0x0C:
            return 2;
        case 0x13:
            return 3;
        default:
            break;
    }
    for (std::size_t i = 0; i < kOthers.size(); ++i) {
        if (kOthers[i] == primary)
            return static_cast<int>(4 + i);
    }
    return kLanguageNumberOther;
}

}  // namespace kassavero
