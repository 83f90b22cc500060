// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/unicode_text.h"

#include <unicode/uchar.h>

#include <algorithm>

namespace kassavero {

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
        out += '?';
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp <= 0x10FFFF) {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += '?';
    }
}

Utf8Character DecodeUtf8(std::string_view text, std::size_t position) {
    const auto lead = static_cast<unsigned char>(text[position]);
    if (lead < 0x80)
        return {lead, 1, 1};
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return {0, 0, 1};
    }
    std::size_t used = 1;
    for (; used < length; ++used) {
        if (position + used >= text.size())
            return {0, 0, used};
        const auto next = static_cast<unsigned char>(text[position + used]);
        if ((next & 0xC0) != 0x80)
            return {0, 0, used};
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return {0, 0, used};
    return {cp, length, length};
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Character character = DecodeUtf8(text, i);
        if (character.length == 0)
            return false;
        i += character.length;
    }
    return true;
}

std::u32string Utf8ToText(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            out += byte;
            ++i;
            continue;
        }
        const Utf8Character character = DecodeUtf8(utf8, i);
        // A broken sequence counts as one character; reading resumes after it.
        out += character.length != 0 ? character.codePoint : U'?';
        i += character.span;
    }
    return out;
}

std::string TextToUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (const char32_t c : text)
        AppendUtf8(out, c);
    return out;
}

std::u32string AsciiToText(std::string_view ascii) {
    std::u32string out;
    out.reserve(ascii.size());
    for (const char c : ascii)
        out += static_cast<unsigned char>(c) < 0x80 ? static_cast<char32_t>(c) : U'?';
    return out;
}

std::string TextToAscii(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char32_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

char32_t LowerCaseBeyondAscii(char32_t c) {
    // As case folding has it: a word's last sigma and the micro sign, which some pages
    // write for mu ("εκατοµµύρια"), compare as the plain letters.
    if (c == U'\u00B5')
        return U'\u03BC';
    const auto lower = static_cast<char32_t>(u_tolower(static_cast<UChar32>(c)));
    return lower == U'\u03C2' ? U'\u03C3' : lower;
}

std::u32string WordKey(std::u32string_view text) {
    std::u32string key = LowerCase(text);
    DropGreekAccents(key);
    return key;
}

bool DropGreekAccents(std::u32string& text) {
    bool dropped = false;
    for (char32_t& c : text) {
        const char32_t plain = WithoutGreekAccent(c);
        dropped = dropped || plain != c;
        c = plain;
    }
    return dropped;
}

char32_t UpperCase(char32_t c) {
    if (c < 0x80)
        return c >= U'a' && c <= U'z' ? c - 32 : c;
    return static_cast<char32_t>(u_toupper(static_cast<UChar32>(c)));
}

std::u32string LowerCase(std::u32string_view text) {
    std::u32string out(text);
    for (char32_t& c : out)
        c = LowerCase(c);
    return out;
}

void LowerCaseInto(std::u32string_view text, std::u32string& out) {
    out.assign(text);
    for (char32_t& c : out)
        c = LowerCase(c);
}

bool EqualsIgnoringCase(std::u32string_view a, std::u32string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char32_t x, char32_t y) {
               return x == y || LowerCase(x) == LowerCase(y);
           });
}

bool IsLetter(char32_t c) {
    if (c < 0x80)
        return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
    return u_isUAlphabetic(static_cast<UChar32>(c)) != 0;
}

}  // namespace kassavero
