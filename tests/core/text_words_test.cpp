// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text_words.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <string>
#include <vector>

#include "core/unicode_text.h"

namespace kassavero {
namespace {

std::vector<std::u32string> WordsOf(const TextWords& words) {
    std::vector<std::u32string> out;
    for (std::size_t i = 0; i < words.Count(); ++i)
        out.emplace_back(words.Word(i));
    return out;
}

struct SplitCase {
    std::u32string text;
    std::vector<std::u32string> words;
    std::vector<std::size_t> starts;
};

TEST(TextWords, SplittingRules) {
    const std::vector<SplitCase> cases = {
        {U"", {}, {}},
        {U" \t\r\n\x01\x1F ", {}, {}},
        {U"Preis: 100 DM", {U"Preis", U":", U"100", U"DM"}, {0, 5, 7, 11}},
        {U"DM100,50", {U"DM100,50"}, {0}},
        {U"(100", {U"(", U"100"}, {0, 1}},
        {U"a((b", {U"a", U"(", U"(", U"b"}, {0, 1, 2, 3}},
        {U"x\xA7"
         U"1\xB0"
         U"C",
         {U"x", U"\xA7", U"1", U"\xB0", U"C"},
         {0, 1, 2, 3, 4}},
        {U"$\u20AC\xA3&'-.,#*@x", {U"$\u20AC\xA3&'-.,#*@x"}, {0}},
        {U"  1.234,56\r\nDM)", {U"1.234,56", U"DM", U")"}, {2, 12, 14}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(TextToUtf8(c.text));
        const TextWords words(c.text);
        EXPECT_EQ(WordsOf(words), c.words);
        for (std::size_t i = 0; i < c.starts.size(); ++i) {
            EXPECT_EQ(words.Start(i), c.starts[i]);
            EXPECT_EQ(words.Length(i), c.words[i].size());
            EXPECT_EQ(words.End(i), c.starts[i] + c.words[i].size());
        }
    }
}

// Every character is a separator, a word of its own, or part of a word, and nothing else.
TEST(TextWords, EveryCharacterHasItsClass) {
    const std::u32string own = U"!\"%()+/:;<=>?[]{}\xA7\xB0";
    for (char32_t c = 1; c < 0x500; ++c) {
        SCOPED_TRACE(static_cast<unsigned>(c));
        const TextWords words(std::u32string(U"a") + c + U"a");
        if (c <= 32) {
            EXPECT_EQ(words.Count(), 2u);
        } else if (own.find(c) != std::u32string::npos) {
            EXPECT_EQ(WordsOf(words),
                      (std::vector<std::u32string>{U"a", std::u32string(1, c), U"a"}));
        } else {
            EXPECT_EQ(words.Count(), 1u);
        }
    }
}

TEST(TextWords, TheZeroCharacterEndsTheText) {
    const std::u32string text(U"100 DM\0 12,50 DM", 16);
    const TextWords words(text);
    EXPECT_EQ(WordsOf(words), (std::vector<std::u32string>{U"100", U"DM"}));
    EXPECT_EQ(words.Text(), text);
    EXPECT_EQ(TextWords(std::u32string(U"\0abc", 4)).Count(), 0u);
    EXPECT_EQ(WordsOf(TextWords(std::u32string(U"ab\0cd", 5))),
              (std::vector<std::u32string>{U"ab"}));
}

TEST(TextWords, AtMost1024Words) {
    std::u32string text;
    for (int i = 0; i < 1023; ++i)
        text += U"w ";
    text += U"last";
    const TextWords exact(text);
    ASSERT_EQ(exact.Count(), 1024u);
    EXPECT_EQ(exact.Word(1023), U"last");

    // The 1025th word is not taken, whether a plain word or one of its own; the 1024th
    // keeps its whole length.
    for (const std::u32string tail : {U" more", U"(", U"!x"}) {
        SCOPED_TRACE(TextToUtf8(tail));
        const TextWords words(text + tail);
        EXPECT_EQ(words.Count(), 1024u);
        EXPECT_EQ(words.Word(1023), U"last");
        EXPECT_EQ(words.Word(1024), U"");
        EXPECT_EQ(words.Start(1024), 0u);
        EXPECT_EQ(words.Length(1024), 0u);
    }
}

TEST(TextWords, AWordIsReadAsItsFirst255Characters) {
    std::u32string longWord;
    for (int i = 0; i < 300; ++i)
        longWord += static_cast<char>(U'a' + i % 26);
    const TextWords words(U"x " + longWord + U" y");
    EXPECT_EQ(words.Length(1), 300u);
    EXPECT_EQ(words.Word(1), longWord.substr(0, 255));
    EXPECT_EQ(words.Word(2), U"y");
    EXPECT_EQ(words.Start(2), 303u);
}

TEST(TextWords, OffsetsBeyond16BitsAreExact) {
    const std::u32string text =
        std::u32string(70000, U' ') + U"DM" + std::u32string(70000, U'\n') + U"100";
    const TextWords words(text);
    ASSERT_EQ(words.Count(), 2u);
    EXPECT_EQ(words.Start(0), 70000u);
    EXPECT_EQ(words.Start(1), 140002u);
    EXPECT_EQ(words.End(1), text.size());
}

TEST(TextWords, AssignReplacesTextAndWords) {
    TextWords words(U"eins zwei drei");
    words.Assign(U"vier");
    EXPECT_EQ(WordsOf(words), (std::vector<std::u32string>{U"vier"}));
    words.Clear();
    EXPECT_EQ(words.Count(), 0u);
    EXPECT_EQ(words.Text(), U"");
    EXPECT_EQ(words.Word(0), U"");
}

}  // namespace
}  // namespace kassavero
