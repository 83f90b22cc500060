// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/win1252.h"

#include <gtest/gtest.h>

namespace kassavero {
namespace {

TEST(Win1252, EveryByteRoundTripsThroughUtf8) {
    for (int b = 1; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
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
    EXPECT_EQ(Utf8ToWin1252("a\u4E2Db"), "a?b");
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

}  // namespace
}  // namespace kassavero
