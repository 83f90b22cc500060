// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/win1252.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/program_text.h"

namespace kassavero {
namespace {

TEST(Win1252, EveryByteRoundTripsThroughUtf8) {
    for (int b = 1; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        if (one[0] == kAnotherLetter)
            EXPECT_EQ(Win1252ToUtf8(one), "?");  // stands for many letters
        else
            EXPECT_EQ(Utf8ToWin1252(Win1252ToUtf8(one)), one) << "byte " << b;
    }
}

TEST(Win1252, KnownCharacters) {
    EXPECT_EQ(Win1252ToUtf8("\x80"), "\u20AC");
    EXPECT_EQ(Win1252ToUtf8("\x85"), "\u2026");
    EXPECT_EQ(Win1252ToUtf8("\x83"), "\u0192");
    EXPECT_EQ(Win1252ToUtf8("M\xE4rz"), "M\u00E4rz");
    EXPECT_EQ(Utf8ToWin1252("\u20AC 5"), "\x80 5");
}

TEST(Win1252, CharactersItCannotHoldBecomeOneQuestionMarkEach) {
    EXPECT_EQ(Win1252ToUtf8(Utf8ToWin1252("a\u4E2Db")), "a?b");  // inside, another letter
    EXPECT_EQ(Utf8ToWin1252("\U0001F600!"), "?!");
    EXPECT_EQ(Utf8ToWin1252("\u202F"), "?");
}

TEST(Win1252, MalformedUtf8NeverLosesTheRestOfTheText) {
    EXPECT_EQ(Utf8ToWin1252("a\xC3"), "a?");          // truncated at the end
    EXPECT_EQ(Utf8ToWin1252("a\xC3z"), "a?z");        // lead byte without continuation
    EXPECT_EQ(Utf8ToWin1252("\x80x"), "?x");          // lone continuation byte
    EXPECT_EQ(Utf8ToWin1252("\xC0\xAF"), "?");        // overlong form
    EXPECT_EQ(Utf8ToWin1252("\xED\xA0\x80."), "?.");  // surrogate
}

TEST(Win1252, LowerCaseLatin1) {
    EXPECT_EQ(LowerCaseLatin1("ABC xyz"), "abc xyz");
    EXPECT_EQ(LowerCaseLatin1("\xC4\xD6\xDC\xDE"), "\xE4\xF6\xFC\xFE");
    EXPECT_EQ(LowerCaseLatin1("\xD7"), "\xD7");          // the multiplication sign stays
    EXPECT_EQ(LowerCaseLatin1("\xDF\x8A"), "\xDF\x8A");  // sharp s and S caron untouched
    EXPECT_EQ(LowerCaseLatin1("@[`{"), "@[`{");
}

struct AdoptRow {
    const char* utf8;
    const char* otherCase;  // the same text in other letter case
};

TEST(ExtraCharacters, AdoptedTextReadsAndComparesAsItself) {
    const AdoptRow rows[] = {
        {"1 234,56 \u043B\u0432.", "1 234,56 \u041B\u0412."},        // Cyrillic among Western
        {"\u0394\u03C1\u03C7. 5.000", "\u03B4\u03A1\u03A7. 5.000"},  // capital first
        {"lit\u0173", "LIT\u0172"},                                  // Latin outside the code page
        {"\u20AC \u00C4", "\u20AC \u00E4"},                          // code page only
    };
    for (const AdoptRow& row : rows) {
        const std::string kept = AdoptUtf8(row.utf8);
        EXPECT_EQ(kept.size(), std::u32string(FromProgramText(kept)).size()) << row.utf8;
        EXPECT_EQ(Win1252ToUtf8(kept), row.utf8);
        EXPECT_EQ(Utf8ToWin1252(row.utf8), kept) << "the place is found again";
        const std::string other = Utf8ToWin1252(row.otherCase);
        EXPECT_EQ(Win1252ToUtf8(other), row.otherCase) << "the other case has a place too";
        EXPECT_TRUE(EqualsIgnoringCase(kept, other)) << row.utf8;
        EXPECT_EQ(LowerCaseLatin1(kept), LowerCaseLatin1(other)) << row.utf8;
    }
}

TEST(ExtraCharacters, WhatHasNoPlace) {
    const std::string el = AdoptUtf8("\u043B");
    ASSERT_TRUE(IsExtraLetter(el[0]));
    const struct {
        std::string utf8;
        std::string program;
    } rows[] = {
        {"\u4E2D", std::string(1, kAnotherLetter)},  // a letter never adopted
        {"\u20BF", "?"},                             // a symbol never adopted
        {std::string(1, el[0]), "?"},                // the control whose byte is now a place
        {"\t\n\v\f\r", "\t\n\v\f\r"},                // controls the program uses
    };
    for (const auto& row : rows)
        EXPECT_EQ(Utf8ToWin1252(row.utf8), row.program) << row.utf8;
    EXPECT_EQ(AdoptUtf8("a\u202Fb\u2028"), "a?b?");  // blanks get no place
    EXPECT_TRUE(IsExtraLetter(kAnotherLetter));
    EXPECT_FALSE(IsExtraCharacter('\t'));
    EXPECT_TRUE(IsExtraCharacter(AdoptUtf8("\u20BD")[0]));
    EXPECT_FALSE(IsExtraLetter(AdoptUtf8("\u20BD")[0]));
    // A document's own control is never read as the character at that place.
    EXPECT_EQ(ProgramCharacter(static_cast<unsigned char>(el[0])), ' ');
    EXPECT_EQ(ProgramCharacter(0x7F), ' ');
    EXPECT_EQ(ProgramCharacter(U'\u043B'), el[0]);
}

// In a child process, since the places it uses up are the whole process's.
TEST(ExtraCharacters, WhenPlacesRunOutCharactersBecomeQuestionMarks) {
    EXPECT_EXIT(
        {
            bool full = false;
            bool ok = true;
            // Cyrillic capitals from U+0410 on, each taking its small letter along.
            for (char32_t cp = 0x410; cp < 0x430 && ok; ++cp) {
                std::string utf8;
                AppendUtf8(utf8, cp);
                const std::string kept = AdoptUtf8(utf8);
                if (kept == "?") {
                    full = true;
                    std::string lower;
                    AppendUtf8(lower, cp + 0x20);
                    // Neither case alone, and the letter still parts no words.
                    ok = Utf8ToWin1252(lower) == std::string(1, kAnotherLetter);
                } else {
                    ok = Win1252ToUtf8(kept) == utf8;  // new, or placed before
                }
            }
            std::exit(full && ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace kassavero
