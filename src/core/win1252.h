// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Windows-1252 code page, where stored forms still use it: a separator stored as a
// character code, and files written by older programs that are not UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace kassavero {

// The character of a byte. The five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) stand for the C1 controls of the same value.
char32_t Win1252ToCodePoint(unsigned char byte);

// The byte of a character in the code page, if it has one.
std::optional<unsigned char> CodePointToWin1252(char32_t codePoint);

// Bytes of the code page as program text.
std::u32string Win1252ToText(std::string_view bytes);

}  // namespace kassavero
