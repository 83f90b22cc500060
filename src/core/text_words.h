// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A text split into the words the amount recognizer looks at.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kassavero {

// Characters 0..32 separate words. The characters ! " % ( ) + / : ; < = > ? [ ] { } § °
// each form a word of their own; every other character extends the current word, so
// "DM100,50" is one word and "(100" is the two words "(" and "100". Splitting stops at
// the first zero character or once the table holds kMaxWords words.
//
// Offsets are size_t and count characters from 0, so they are right for a text of any
// length.
class TextWords {
  public:
    static constexpr std::size_t kMaxWords = 1024;
    // The recognizer never reads more of a word than this.
    static constexpr std::size_t kMaxWordRead = 255;

    TextWords() = default;
    explicit TextWords(std::u32string text) { Assign(std::move(text)); }

    // Replaces the text and splits it again.
    void Assign(std::u32string text);
    void Clear();

    // The whole text as it was handed over, including anything after a zero character.
    const std::u32string& Text() const { return text_; }

    std::size_t Count() const { return words_.size(); }

    // Offset of the word's first character and its full length; 0 for an index outside
    // the table.
    std::size_t Start(std::size_t index) const;
    std::size_t Length(std::size_t index) const;
    // Offset just after the word's last character.
    std::size_t End(std::size_t index) const { return Start(index) + Length(index); }

    // The word as the recognizer reads it: at most its first kMaxWordRead characters,
    // and empty for an index outside the table.
    std::u32string_view Word(std::size_t index) const;

    // The character classes of the splitting rules.
    static bool IsSeparator(char32_t c) { return c <= 32; }
    static bool IsWordOfItsOwn(char32_t c);

  private:
    struct Span {
        std::size_t start;
        std::size_t length;
    };

    void Split();

    std::u32string text_;
    std::vector<Span> words_;
};

}  // namespace kassavero
