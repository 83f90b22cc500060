// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Inside the program, text whose characters and offsets matter (documents, symbols,
// names, settings, commands, the texts of the interface) is Unicode: one char32_t per
// code point, so an offset counts characters the way the command protocol does. Text
// becomes UTF-8 only where it meets the platform (files, Qt, the session bus).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kassavero {

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

// Appends the UTF-8 form of a code point; a surrogate or a value above U+10FFFF, which
// UTF-8 cannot carry, goes as '?'.
void AppendUtf8(std::string& out, char32_t codePoint);

// UTF-8 as program text. Each malformed sequence becomes one '?', so a broken byte never
// takes the characters after it along.
std::u32string Utf8ToText(std::string_view utf8);
std::string TextToUtf8(std::u32string_view text);

// Plain ASCII (identifiers, digits, the program's own keys) as program text and back;
// a character outside ASCII becomes '?' on the way back.
std::u32string AsciiToText(std::string_view ascii);
std::string TextToAscii(std::u32string_view text);

// The simple lower case of Unicode (one character for one, so offsets stay): Latin with
// diacritics, Greek and Cyrillic as well as A..Z; the final sigma and the micro sign fold
// to the plain letters, as in case folding. Every comparison that ignores letter case
// (command names, symbols, keys) uses it.
char32_t LowerCaseBeyondAscii(char32_t c);
// Inline, as it runs for every character of every word compared.
inline char32_t LowerCase(char32_t c) {
    if (c < 0x80)
        return c >= U'A' && c <= U'Z' ? c + 32 : c;
    return LowerCaseBeyondAscii(c);
}
std::u32string LowerCase(std::u32string_view text);
// A lower-case Greek vowel without its accent ("έ" as "ε"): capitals are written without
// it, so words of money are compared so. DropGreekAccents does it in place and tells
// whether anything changed.
// Inline, as look-ups run it for every character of a word.
inline char32_t WithoutGreekAccent(char32_t c) {
    if (c >= U'\u03AC' && c <= U'\u03AF')
        return U"\u03B1\u03B5\u03B7\u03B9"[c - U'\u03AC'];
    if (c >= U'\u03CC' && c <= U'\u03CE')
        return U"\u03BF\u03C5\u03C9"[c - U'\u03CC'];
    return c;
}
bool DropGreekAccents(std::u32string& text);
// Lower case and without Greek accents: how words of money are looked up.
std::u32string WordKey(std::u32string_view text);
// The same into a buffer the caller keeps, for look-ups that run for every word.
void LowerCaseInto(std::u32string_view text, std::u32string& out);
char32_t UpperCase(char32_t c);

// Equal after LowerCase on both sides.
bool EqualsIgnoringCase(std::u32string_view a, std::u32string_view b);

// A word in lower case, on the stack when it is short: look-ups run for most words of a
// text and should not allocate.
class LowerCaseWord {
  public:
    explicit LowerCaseWord(std::u32string_view word) {
        if (word.size() <= kShort) {
            for (std::size_t i = 0; i < word.size(); ++i)
                short_[i] = LowerCase(word[i]);
            view_ = std::u32string_view(short_, word.size());
        } else {
            long_ = LowerCase(word);
            view_ = long_;
        }
    }
    LowerCaseWord(const LowerCaseWord&) = delete;
    LowerCaseWord& operator=(const LowerCaseWord&) = delete;
    std::u32string_view View() const { return view_; }

  private:
    static constexpr std::size_t kShort = 32;
    char32_t short_[kShort];
    std::u32string long_;
    std::u32string_view view_;
};

// A hash for maps keyed by text that are searched with a view of it (no copy made):
// FNV-1a over whole code points, as the keys are short words.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::u32string_view text) const noexcept {
        std::uint64_t hash = 0xcbf29ce484222325ULL;
        for (const char32_t c : text)
            hash = (hash ^ c) * 0x100000001b3ULL;
        return static_cast<std::size_t>(hash);
    }
};

// Most words looked up are in no table. With few keys per bucket, a miss lands in an
// empty bucket and is decided without walking (and hashing again) a chain of keys.
template <typename Table>
void SpreadOut(Table& table) {
    table.max_load_factor(0.25F);
    table.rehash(0);
}

// Letters of any alphabet (Unicode's alphabetic property).
bool IsLetter(char32_t c);

}  // namespace kassavero
