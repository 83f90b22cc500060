// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A document's text and the program's view of it, with the same offsets on both sides:
// one program character for each code point. Everything outside a change is copied from
// the document itself, so the document's own blanks and dashes come back as they were.

#include <cstddef>
#include <string>
#include <string_view>

namespace kassavero {

// The document as code points; bytes that are not UTF-8 are carried along so that
// EncodeKeepingBytes gives them back exactly.
std::u32string DecodeKeepingBytes(std::string_view utf8);
std::string EncodeKeepingBytes(std::u32string_view text);

// One code point as the recognizers see it in a document: the wider blanks (narrow
// no-break, thin, figure space ...) as the no-break space, the rarer hyphens and dashes
// as '-' and the en dash, controls as blanks, a byte that was not UTF-8 as '?'; every
// other character as itself.
char32_t ProgramCharacter(char32_t codePoint);

// [start, end) as the program sees it. With wholeLines a piece across lines travels in one
// command and is searched to its end: a line break becomes a vertical tab or form feed (a
// command ends at a line break; the recognizer still sees a new line) and a zero
// character a blank.
std::u32string AsProgramText(std::u32string_view text, std::size_t start, std::size_t end,
                             bool wholeLines = false);

// Whether [start, end) holds a digit, which every amount has.
bool HasDigit(std::u32string_view text, std::size_t start, std::size_t end);

// What replaces the document's [start, end). Where the program wrote the old amount back
// as it found it (beside the new one), the document's own characters stand there, so its
// line breaks and no-break spaces stay as they were. `sent` is that stretch as the
// program was given it.
std::u32string ReplacementInDocument(std::u32string_view document, std::size_t start,
                                     std::size_t end, std::u32string_view sent,
                                     std::u32string_view prefix, std::u32string_view middle,
                                     std::u32string_view suffix);

}  // namespace kassavero
