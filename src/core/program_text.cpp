// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/program_text.h"

#include <algorithm>

#include "core/unicode_text.h"

namespace kassavero {
namespace {

// Bytes that are not UTF-8 are carried as U+DC80..U+DCFF (a surrogate, which UTF-8
// never holds), so they come back out exactly as they went in.
constexpr char32_t kEscapedByteBase = 0xDC00;

bool IsWideBlank(char32_t c) {
    return (c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F || c == 0x3000;
}

}  // namespace

std::u32string DecodeKeepingBytes(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Character character = DecodeUtf8(utf8, i);
        if (character.length != 0) {
            out += character.codePoint;
            i += character.length;
        } else {
            out += static_cast<char32_t>(kEscapedByteBase + static_cast<unsigned char>(utf8[i]));
            ++i;
        }
    }
    return out;
}

std::string EncodeKeepingBytes(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char32_t c : text) {
        if (c >= kEscapedByteBase + 0x80 && c <= kEscapedByteBase + 0xFF)
            out += static_cast<char>(c - kEscapedByteBase);
        else
            AppendUtf8(out, c);
    }
    return out;
}

char32_t ProgramCharacter(char32_t codePoint) {
    if ((codePoint < 0x20 && codePoint != U'\t' && codePoint != U'\n' && codePoint != U'\v' &&
         codePoint != U'\f' && codePoint != U'\r' && codePoint != 0) ||
        codePoint == 0x7F)
        return U' ';
    if (IsWideBlank(codePoint))
        return U'\u00A0';
    if (codePoint == 0x2010 || codePoint == 0x2011 || codePoint == 0x2212)
        return U'-';
    if (codePoint == 0x2012 || codePoint == 0x2015)
        return U'\u2013';
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF)
        return U'?';
    return codePoint;
}

std::u32string AsProgramText(std::u32string_view text, std::size_t start, std::size_t end,
                             bool wholeLines) {
    std::u32string out;
    out.reserve(end - start);
    for (std::size_t i = start; i < end; ++i) {
        const char32_t c = text[i];
        if (!wholeLines)
            out += ProgramCharacter(c);
        else if (c == U'\n')
            out += U'\v';
        else if (c == U'\r')
            out += U'\f';
        else
            out += c == U'\0' ? U' ' : ProgramCharacter(c);
    }
    return out;
}

bool HasDigit(std::u32string_view text, std::size_t start, std::size_t end) {
    const auto first = text.begin() + static_cast<std::ptrdiff_t>(start);
    const auto last = text.begin() + static_cast<std::ptrdiff_t>(end);
    return std::any_of(first, last, [](char32_t c) { return c >= U'0' && c <= U'9'; });
}

std::u32string ReplacementInDocument(std::u32string_view document, std::size_t start,
                                     std::size_t end, std::u32string_view sent,
                                     std::u32string_view prefix, std::u32string_view middle,
                                     std::u32string_view suffix) {
    std::u32string out(prefix);
    if (middle == sent && end <= document.size() && start <= end)
        out += document.substr(start, end - start);
    else
        out += middle;
    out += suffix;
    return out;
}

}  // namespace kassavero
