// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/win1252.h"

#include <array>

namespace kassavero {
namespace {

// 0x80..0x9F; the undefined positions keep their own value.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
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

char32_t Win1252ToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

char CodePointToWin1252(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<char>(codePoint);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == codePoint) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

std::string Win1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char c : text) {
        AppendUtf8(out, Win1252ToCodePoint(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string Utf8ToWin1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Character character = DecodeUtf8(text, i);
        // A broken sequence counts as one character; reading resumes after it.
        out += character.length != 0 ? CodePointToWin1252(character.codePoint) : '?';
        i += character.span;
    }
    return out;
}

char LowerCaseLatin1(char c) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 192 && b <= 222 && b != 215)) {
        return static_cast<char>(b + 32);
    }
    return c;
}

std::string LowerCaseLatin1(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = LowerCaseLatin1(c);
    }
    return out;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerCaseLatin1(a[i]) != LowerCaseLatin1(b[i]))
            return false;
    }
    return true;
}

std::string AdoptUtf8(std::string_view text) {
    return Utf8ToWin1252(text);
}

}  // namespace kassavero
