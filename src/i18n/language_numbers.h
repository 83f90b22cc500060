// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's numbering of languages, which picks the default symbol lists and the
// currency names.

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

namespace kassavero {

// Language numbers of the default lists: 0 German, 1 English, 2 French, 3 Dutch,
// 4..26 other European languages, 27 any other language.
using LanguageSet = std::bitset<28>;
inline constexpr int kLanguageNumberOther = 27;

// The language number of the translation file's language section name.
int LanguageNumberOfSectionName(std::u32string_view sectionName);

// The language number of a Windows language identifier.
int LanguageNumberOfLanguageId(std::uint16_t languageId);

}  // namespace kassavero
