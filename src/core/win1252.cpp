// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/win1252.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <clocale>
#include <cwctype>
#include <mutex>

namespace kassavero {
namespace {

// 0x80..0x9F; the undefined positions keep their own value.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The places of extra characters: controls that never stand in text the program handles.
// Tab, line feed, carriage return, and the vertical tab and form feed that stand for line
// breaks in a command, keep their meaning; so do the five undefined bytes, which carry
// C1 controls through a round trip. kAnotherLetter (0x1A, "substitute") is no place.
constexpr std::array<unsigned char, 26> kPlaces = {
    0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x0E, 0x0F, 0x10, 0x11, 0x12,
    0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F, 0x7F};

bool IsPlaceByte(unsigned char b) {
    return (b < 0x20 && b != '\t' && b != '\n' && b != '\v' && b != '\f' && b != '\r' && b != 0) ||
           b == 0x7F;
}

// The byte of a code point in Windows-1252 itself, 0 when the code page lacks it.
char CodePageByte(char32_t cp) {
    if (cp == 0 || cp > 0xFFFF)
        return 0;
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return IsPlaceByte(static_cast<unsigned char>(cp)) || cp == 0x1A ? 0
                                                                         : static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp)
            return static_cast<char>(0x80 + i);
    }
    return 0;
}

// The characters given a place. This is the one piece of state the whole process
// shares: it is part of the character set, like the code page itself, and every text
// the program holds (settings, documents, commands) must read its bytes the same way.
// Places are only ever added, so a byte once read keeps its meaning; the atomics let a
// reader see a place whole without taking the lock that adding takes.
class ExtraCharacters {
  public:
    static ExtraCharacters& Instance() {
        static ExtraCharacters table;
        return table;
    }

    // 0 for a place that holds nothing (and for any other byte).
    char32_t At(unsigned char b) const { return b < 0x80 ? held_[b].load() : 0; }
    unsigned char Lower(unsigned char b) const { return lower_[b].load(); }
    bool Letter(unsigned char b) const { return letter_[b].load(); }

    char PlaceOf(char32_t cp) const {
        for (unsigned char b : kPlaces) {
            const char32_t held = held_[b].load();
            if (held == cp)
                return static_cast<char>(b);
            if (held == 0)
                break;  // places are handed out in order
        }
        return 0;
    }

    bool IsLetter(char32_t cp) const { return ctype_ != nullptr && iswalpha_l(cp, ctype_); }

    // The place of cp, given now (with its other letter cases) if there is room; 0 if not.
    char Adopt(char32_t cp) {
        const std::lock_guard<std::mutex> lock(adding_);
        if (const char place = PlaceOf(cp))
            return place;
        std::array<char32_t, 3> forms = {cp, cp, cp};
        if (ctype_ != nullptr) {
            forms[1] = static_cast<char32_t>(towlower_l(static_cast<wint_t>(cp), ctype_));
            forms[2] = static_cast<char32_t>(towupper_l(static_cast<wint_t>(cp), ctype_));
        }
        std::array<char32_t, 3> added{};
        std::size_t count = 0;
        for (const char32_t form : forms) {
            if (form != cp && (CodePageByte(form) != 0 || PlaceOf(form) != 0))
                continue;
            if (std::find(added.begin(), added.begin() + count, form) != added.begin() + count)
                continue;
            added[count++] = form;
        }
        // A letter goes in with its other case or not at all, so matching that ignores
        // case never half works.
        if (used_ + count > kPlaces.size())
            return 0;
        const std::size_t first = used_;
        const auto byteOf = [&](char32_t form) -> unsigned char {
            for (std::size_t i = 0; i < count; ++i) {
                if (added[i] == form)
                    return kPlaces[first + i];
            }
            if (const char b = CodePageByte(form))
                return static_cast<unsigned char>(b);
            return static_cast<unsigned char>(PlaceOf(form));
        };
        // Every new place lower-cases to the place (or code page byte) of cp's lower case.
        const unsigned char lower = byteOf(forms[1]);
        for (std::size_t i = 0; i < count; ++i) {
            letter_[kPlaces[first + i]] = IsLetter(added[i]);
            lower_[kPlaces[first + i]] = lower != 0 ? lower : kPlaces[first + i];
        }
        for (std::size_t i = 0; i < count; ++i)
            held_[kPlaces[first + i]] = added[i];
        used_ += count;
        return static_cast<char>(byteOf(cp));
    }

  private:
    // Case and letters come from the C library's Unicode tables; without a UTF-8
    // locale, characters get places without case partners and unknown ones are no
    // letters.
    ExtraCharacters() : ctype_(newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{})) {}

    std::array<std::atomic<char32_t>, 0x80> held_{};
    std::array<std::atomic<unsigned char>, 0x80> lower_{};
    std::array<std::atomic<bool>, 0x80> letter_{};
    std::size_t used_ = 0;
    std::mutex adding_;
    locale_t ctype_;
};

// Blanks, line separators and invisible format characters never get a place: a blank in
// a symbol must match the blanks of a document, which reach the program as its own.
bool IsBlankOrControl(char32_t cp) {
    return cp < 0x20 || (cp >= 0x7F && cp < 0xA0) || (cp >= 0x2000 && cp <= 0x200F) ||
           (cp >= 0x2028 && cp <= 0x202F) || cp == 0x205F || cp == 0x2060 || cp == 0x3000 ||
           cp == 0xFEFF;
}

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
    if (byte == static_cast<unsigned char>(kAnotherLetter))
        return U'?';
    if (IsPlaceByte(byte)) {
        const char32_t held = ExtraCharacters::Instance().At(byte);
        return held != 0 ? held : byte;
    }
    return byte;
}

char CodePointToWin1252(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        const auto b = static_cast<unsigned char>(codePoint);
        // A control whose place holds a character is no longer what that byte means.
        if (b == static_cast<unsigned char>(kAnotherLetter) ||
            (IsPlaceByte(b) && ExtraCharacters::Instance().At(b) != 0))
            return '?';
        return static_cast<char>(codePoint);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == codePoint) {
            return static_cast<char>(0x80 + i);
        }
    }
    const ExtraCharacters& extra = ExtraCharacters::Instance();
    if (const char place = extra.PlaceOf(codePoint))
        return place;
    return extra.IsLetter(codePoint) ? kAnotherLetter : '?';
}

bool IsExtraCharacter(char c) {
    const auto b = static_cast<unsigned char>(c);
    return c == kAnotherLetter || (IsPlaceByte(b) && ExtraCharacters::Instance().At(b) != 0);
}

bool IsExtraLetter(char c) {
    const auto b = static_cast<unsigned char>(c);
    return c == kAnotherLetter || (IsPlaceByte(b) && ExtraCharacters::Instance().At(b) != 0 &&
                                   ExtraCharacters::Instance().Letter(b));
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
    if (IsPlaceByte(b)) {
        const unsigned char lower = ExtraCharacters::Instance().Lower(b);
        return lower != 0 ? static_cast<char>(lower) : c;
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
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Character character = DecodeUtf8(text, i);
        i += character.span;
        if (character.length == 0) {
            out += '?';
            continue;
        }
        const char32_t cp = character.codePoint;
        char c = CodePointToWin1252(cp);
        if ((c == '?' || c == kAnotherLetter) && cp != U'?' && !IsBlankOrControl(cp)) {
            const char place = ExtraCharacters::Instance().Adopt(cp);
            c = place != 0 ? place : '?';
        }
        out += c;
    }
    return out;
}

}  // namespace kassavero
