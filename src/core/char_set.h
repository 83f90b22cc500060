// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A set of characters, such as the decimal or thousands symbols of a profile. The
// characters of Latin-1, which nearly every test asks about, sit in a bitmap; any other
// code point in a short list beside it.

#include <algorithm>
#include <bitset>
#include <string>
#include <string_view>

namespace kassavero {

class CharSet {
  public:
    CharSet() = default;
    // Every character of the text.
    explicit CharSet(std::u32string_view characters) {
        for (const char32_t c : characters)
            Add(c);
    }

    void Add(char32_t c) {
        if (c < kBitmapSize)
            bitmap_.set(c);
        else if (!Contains(c))
            others_ += c;
    }

    void Remove(char32_t c) {
        if (c < kBitmapSize)
            bitmap_.reset(c);
        else if (const auto at = others_.find(c); at != std::u32string::npos)
            others_.erase(at, 1);
    }

    bool Contains(char32_t c) const {
        if (c < kBitmapSize)
            return bitmap_.test(c);
        return others_.find(c) != std::u32string::npos;
    }

    bool Empty() const { return bitmap_.none() && others_.empty(); }

    CharSet& operator|=(const CharSet& other) {
        bitmap_ |= other.bitmap_;
        for (const char32_t c : other.others_)
            Add(c);
        return *this;
    }
    friend CharSet operator|(CharSet a, const CharSet& b) { return a |= b; }

    bool operator==(const CharSet& other) const {
        return bitmap_ == other.bitmap_ && others_.size() == other.others_.size() &&
               std::all_of(others_.begin(), others_.end(),
                           [&](char32_t c) { return other.Contains(c); });
    }

  private:
    static constexpr char32_t kBitmapSize = 256;
    std::bitset<kBitmapSize> bitmap_;
    std::u32string others_;
};

inline bool Contains(const CharSet& set, char32_t c) {
    return set.Contains(c);
}

}  // namespace kassavero
