// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A document's Unicode text and the program's Windows-1252 view of it, with the same
// offsets on both sides: one program character for each code point. Everything outside a
// change is copied from the document itself, so characters the program cannot hold come
// back exactly as they were.

#include <cstddef>
#include <string>
#include <string_view>

namespace kassavero {

// The document as code points; bytes that are not UTF-8 are carried along so that
// EncodeKeepingBytes gives them back exactly.
std::u32string DecodeKeepingBytes(std::string_view utf8);
std::string EncodeKeepingBytes(std::u32string_view text);

// Text the program wrote (Windows-1252) as code points.
std::u32string FromProgramText(std::string_view text);

// One code point as the program sees it in a document: the blanks Windows-1252 lacks
// (narrow no-break, thin, figure space ...) as its no-break space, the hyphens and dashes
// it lacks as its own, the controls whose bytes are places of extra characters as a blank,
// else the program character of the code point (CodePointToWin1252).
char ProgramCharacter(char32_t codePoint);

// [start, end) as the program sees it. With wholeLines a piece across lines travels in one
// command and is searched to its end: a line break becomes a vertical tab or form feed (a
// command ends at a line break; the recognizer still sees a new line) and a zero
// character a blank.
std::string AsProgramText(std::u32string_view text, std::size_t start, std::size_t end,
                          bool wholeLines = false);

// AsProgramText in UTF-8, as a command line carries it to the program: a letter the
// program has no place for goes as the document's own, which the program reads as
// another letter again, where "?" would part words.
std::string AsCommandText(std::u32string_view text, std::size_t start, std::size_t end,
                          bool wholeLines = false);

// Whether [start, end) holds a digit, which every amount has.
bool HasDigit(std::u32string_view text, std::size_t start, std::size_t end);

// What replaces the document's [start, end). Where the program wrote the old amount back
// as it found it (beside the new one), the document's own characters stand there, so its
// line breaks, no-break spaces and letters outside Windows-1252 stay as they were.
// `sent` is that stretch as the program was given it; the parts are code points.
std::u32string ReplacementInDocument(std::u32string_view document, std::size_t start,
                                     std::size_t end, std::u32string_view sent,
                                     std::u32string_view prefix, std::u32string_view middle,
                                     std::u32string_view suffix);

}  // namespace kassavero
