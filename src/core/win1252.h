// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Inside the program all text is Windows-1252, one byte per character; the euro sign
// is 0x80. These helpers convert at the edges where text meets the platform (files,
// Qt, D-Bus, the clipboard), which all speak UTF-8.
//
// The code page is extended at run time: the control bytes that never stand in text
// the program handles are places for extra characters (Cyrillic, Greek ...) that
// AdoptUtf8 hands out to text the program keeps. A place, once given, keeps its
// character for the rest of the process.

#include <cstddef>
#include <string>
#include <string_view>

namespace kassavero {

// The place of a letter outside Windows-1252 that has no place of its own: the
// recognizers read it as a letter, so that a symbol is never found inside a longer
// word; it is written out as '?'.
inline constexpr char kAnotherLetter = '\x1A';

// Unicode code point of a program character. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D), and the places no character holds yet, map
// to the controls of the same value, so those bytes survive a round trip; a place gives
// its character, kAnotherLetter a '?'.
char32_t Win1252ToCodePoint(unsigned char byte);

// The program character of a code point: its byte in Windows-1252 or its place, else
// kAnotherLetter for a letter and '?' for anything else (also for the control of a
// place some character holds).
char CodePointToWin1252(char32_t codePoint);

// Whether a byte is a place that holds a character, or kAnotherLetter: such a byte is
// never a blank or a control.
bool IsExtraCharacter(char c);
// Whether it is one of them that stands for a letter.
bool IsExtraLetter(char c);

std::string Win1252ToUtf8(std::string_view text);

// Each character that Windows-1252 cannot hold, and each malformed UTF-8 sequence,
// becomes one '?'. The number of characters is kept, so offsets match on both sides.
std::string Utf8ToWin1252(std::string_view text);

// UTF-8 text the program keeps as its own (symbols, currency names, settings): a
// character outside Windows-1252 is given a place of its own, together with its other
// letter case, while places last, so that it reads, compares and writes back as itself;
// one that finds no place, a blank or a control becomes '?' as in Utf8ToWin1252.
std::string AdoptUtf8(std::string_view text);

// One UTF-8 character at `position` (below text.size()). `length` is its size in
// bytes, or 0 when the sequence is malformed (overlong, a surrogate, above U+10FFFF,
// cut short); `span` is then how far the broken sequence reaches: the lead byte and
// the continuation bytes read after it, at least 1.
struct Utf8Character {
    char32_t codePoint;
    std::size_t length;
    std::size_t span;
};
Utf8Character DecodeUtf8(std::string_view text, std::size_t position);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t codePoint);

// Lower-cases 'A'..'Z', the capitals 192..222 except the multiplication sign 215, and
// the extra characters whose lower case holds a place too.
char LowerCaseLatin1(char c);
std::string LowerCaseLatin1(std::string_view text);

// Equal after LowerCaseLatin1 on both sides.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace kassavero
