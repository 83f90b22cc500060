// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/text_words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/win1252.h"

namespace kassavero {
namespace {

std::vector<std::string> WordsOf(const TextWords& words) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < words.Count(); ++i)
        out.emplace_back(words.Word(i));
    return out;
}

struct SplitCase {
    std::string text;
    std::vector<std::string> words;
    std::vector<std::size_t> starts;
};

TEST(TextWords, SplittingRules) {
    const std::vector<SplitCase> cases = {
        {"", {}, {}},
        {" \t\r\n\x01\x1F ", {}, {}},
        {"Preis: 100 DM", {"Preis", ":", "100", "DM"}, {0, 5, 7, 11}},
        {"DM100,50", {"DM100,50"}, {0}},
        {"(100", {"(", "100"}, {0, 1}},
        {"a((b", {"a", "(", "(", "b"}, {0, 1, 2, 3}},
        {"x\xA7"
         "1\xB0"
         "C",
         {"x", "\xA7", "1", "\xB0", "C"},
         {0, 1, 2, 3, 4}},
        {"$\x80\xA3&'-.,#*@x", {"$\x80\xA3&'-.,#*@x"}, {0}},
        {"  1.234,56\r\nDM)", {"1.234,56", "DM", ")"}, {2, 12, 14}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
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
// The place of another letter (core/win1252.h) is part of a word.
TEST(TextWords, EveryCharacterHasItsClass) {
    const std::string own = "!\"%()+/:;<=>?[]{}\xA7\xB0";
    for (int code = 1; code < 256; ++code) {
        const char c = static_cast<char>(code);
        SCOPED_TRACE(code);
        const TextWords words(std::string("a") + c + "a");
        if (code <= 32 && c != kAnotherLetter) {
            EXPECT_EQ(words.Count(), 2u);
        } else if (own.find(c) != std::string::npos) {
            EXPECT_EQ(WordsOf(words), (std::vector<std::string>{"a", std::string(1, c), "a"}));
        } else {
            EXPECT_EQ(words.Count(), 1u);
        }
    }
}

TEST(TextWords, TheZeroCharacterEndsTheText) {
    const std::string text("100 DM\0 12,50 DM", 16);
    const TextWords words(text);
    EXPECT_EQ(WordsOf(words), (std::vector<std::string>{"100", "DM"}));
    EXPECT_EQ(words.Text(), text);
    EXPECT_EQ(TextWords(std::string("\0abc", 4)).Count(), 0u);
    EXPECT_EQ(WordsOf(TextWords(std::string("ab\0cd", 5))), (std::vector<std::string>{"ab"}));
}

TEST(TextWords, AtMost1024Words) {
    std::string text;
    for (int i = 0; i < 1023; ++i)
        text += "w ";
    text += "last";
    const TextWords exact(text);
    ASSERT_EQ(exact.Count(), 1024u);
    EXPECT_EQ(exact.Word(1023), "last");

    // The 1025th word is not taken, whether a plain word or one of its own; the 1024th
    // keeps its whole length.
    for (const std::string tail : {" more", "(", "!x"}) {
        SCOPED_TRACE(tail);
        const TextWords words(text + tail);
        EXPECT_EQ(words.Count(), 1024u);
        EXPECT_EQ(words.Word(1023), "last");
        EXPECT_EQ(words.Word(1024), "");
        EXPECT_EQ(words.Start(1024), 0u);
        EXPECT_EQ(words.Length(1024), 0u);
    }
}

TEST(TextWords, AWordIsReadAsItsFirst255Characters) {
    std::string longWord;
    for (int i = 0; i < 300; ++i)
        longWord += static_cast<char>('a' + i % 26);
    const TextWords words("x " + longWord + " y");
    EXPECT_EQ(words.Length(1), 300u);
    EXPECT_EQ(words.Word(1), longWord.substr(0, 255));
    EXPECT_EQ(words.Word(2), "y");
    EXPECT_EQ(words.Start(2), 303u);
}

TEST(TextWords, OffsetsBeyond16BitsAreExact) {
    const std::string text = std::string(70000, ' ') + "DM" + std::string(70000, '\n') + "100";
    const TextWords words(text);
    ASSERT_EQ(words.Count(), 2u);
    EXPECT_EQ(words.Start(0), 70000u);
    EXPECT_EQ(words.Start(1), 140002u);
    EXPECT_EQ(words.End(1), text.size());
}

TEST(TextWords, AssignReplacesTextAndWords) {
    TextWords words("eins zwei drei");
    words.Assign("vier");
    EXPECT_EQ(WordsOf(words), (std::vector<std::string>{"vier"}));
    words.Clear();
    EXPECT_EQ(words.Count(), 0u);
    EXPECT_EQ(words.Text(), "");
    EXPECT_EQ(words.Word(0), "");
}

}  // namespace
}  // namespace kassavero
