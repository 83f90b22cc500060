// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text_words.h"

#include <algorithm>
#include <array>

namespace kassavero {
namespace {

constexpr std::u32string_view kOwnWords = U"!\"%()+/:;<=>?[]{}\u00A7\u00B0";  // section, degree

}  // namespace

bool TextWords::IsWordOfItsOwn(char32_t c) {
    return kOwnWords.find(c) != std::u32string_view::npos;
}

void TextWords::Assign(std::u32string text) {
    text_ = std::move(text);
    Split();
}

void TextWords::Clear() {
    text_.clear();
    words_.clear();
}

void TextWords::Split() {
    words_.clear();
    bool inWord = false;
    for (std::size_t i = 0; i < text_.size(); ++i) {
        const char32_t c = text_[i];
        if (c == U'\0')
            break;
        if (IsSeparator(c)) {
            inWord = false;
            continue;
        }
        const bool ownWord = IsWordOfItsOwn(c);
        if (inWord && !ownWord) {
            ++words_.back().length;
            continue;
        }
        // A new word begins here; the table is full after the last one allowed.
        if (words_.size() == kMaxWords)
            break;
        words_.push_back({i, 1});
        inWord = !ownWord;
    }
}

std::size_t TextWords::Start(std::size_t index) const {
    return index < words_.size() ? words_[index].start : 0;
}

std::size_t TextWords::Length(std::size_t index) const {
    return index < words_.size() ? words_[index].length : 0;
}

std::u32string_view TextWords::Word(std::size_t index) const {
    if (index >= words_.size())
        return {};
    const Span& span = words_[index];
    return std::u32string_view(text_).substr(span.start, std::min(span.length, kMaxWordRead));
}

}  // namespace kassavero
