// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/unicode_text.h"

#include <gtest/gtest.h>

#include "core/char_set.h"
#include "core/win1252.h"

namespace kassavero {
namespace {

TEST(Win1252, EveryByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        EXPECT_EQ(CodePointToWin1252(Win1252ToCodePoint(byte)), byte) << "byte " << b;
    }
    EXPECT_EQ(Win1252ToText("\x80 M\xE4rz \x85\x83"), U"\u20AC M\u00E4rz \u2026\u0192");
    EXPECT_FALSE(CodePointToWin1252(U'\u043B').has_value());
}

TEST(Utf8, MalformedSequencesBecomeOneQuestionMarkEach) {
    const struct {
        std::string utf8;
        std::u32string text;
    } rows[] = {
        {"\xD0\xBB\xD0\xB2. \xE2\x82\xAC \xF0\x9F\x98\x80", U"\u043B\u0432. \u20AC \U0001F600"},
        {"a\xC3", U"a?"},          // cut short at the end
        {"a\xC3z", U"a?z"},        // lead byte without continuation
        {"\x80x", U"?x"},          // lone continuation byte
        {"\xC0\xAF", U"?"},        // overlong form
        {"\xED\xA0\x80.", U"?."},  // surrogate
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Utf8ToText(row.utf8), row.text) << row.utf8;
        if (IsValidUtf8(row.utf8)) {
            EXPECT_EQ(TextToUtf8(row.text), row.utf8);
        }
    }
    EXPECT_EQ(TextToUtf8(U"a\xDC80"), "a?") << "UTF-8 cannot carry a surrogate";
}

// Every alphabet of the euro area, and what must not change case.
TEST(UnicodeText, LetterCaseOfEveryAlphabet) {
    const struct {
        std::u32string upper;
        std::u32string lower;
    } rows[] = {
        {U"ABC XYZ", U"abc xyz"},
        {U"\u00C4\u00D6\u00DC\u00DE", U"\u00E4\u00F6\u00FC\u00FE"},              // Latin-1
        {U"\u0160\u017D\u0172\u0116\u0100", U"\u0161\u017E\u0173\u0117\u0101"},  // Baltic, Slavic
        {U"\u041B\u0415\u0412\u0410", U"\u043B\u0435\u0432\u0430"},              // Cyrillic
        {U"\u0394\u03A1\u03A7\u0386", U"\u03B4\u03C1\u03C7\u03AC"},              // Greek
        {U"\u00D7\u00DF@[`{1", U"\u00D7\u00DF@[`{1"},                            // no case
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LowerCase(row.upper), row.lower);
        EXPECT_TRUE(EqualsIgnoringCase(row.upper, row.lower));
    }
    EXPECT_FALSE(EqualsIgnoringCase(U"\u043B\u0432", U"\u043B\u0432."));
    // A word's last sigma and the micro sign fold as case folding has them; an accent is
    // kept, and dropped only where asked.
    EXPECT_TRUE(EqualsIgnoringCase(U"\u039C\u0395\u03A3", U"\u00B5\u03B5\u03C2"));
    EXPECT_FALSE(EqualsIgnoringCase(U"\u03B5", U"\u03AD"));
    std::u32string accented = U"\u03B4\u03C1\u03B1\u03C7\u03BC\u03AD\u03C3";
    EXPECT_TRUE(DropGreekAccents(accented));
    EXPECT_EQ(accented, LowerCase(U"\u0394\u03A1\u0391\u03A7\u039C\u0395\u03A3"));
    EXPECT_EQ(UpperCase(U'\u0434'), U'\u0414');
}

TEST(UnicodeText, LettersOfEveryAlphabet) {
    for (const char32_t c : std::u32string_view(U"aZ\u00E9\u0173\u043B\u03B4"))
        EXPECT_TRUE(IsLetter(c)) << static_cast<unsigned>(c);
    for (const char32_t c : std::u32string_view(U"1 .\u00A0\u20AC\u00D7\u202F"))
        EXPECT_FALSE(IsLetter(c)) << static_cast<unsigned>(c);
}

TEST(CharSet, HoldsAnyCodePoint) {
    CharSet set(U".,\u00A0\u066B");
    for (const char32_t c : std::u32string_view(U".,\u00A0\u066B"))
        EXPECT_TRUE(set.Contains(c));
    EXPECT_FALSE(set.Contains(U';'));
    set.Remove(U'\u066B');
    set.Remove(U',');
    EXPECT_FALSE(set.Contains(U'\u066B'));
    EXPECT_FALSE(set.Contains(U','));
    EXPECT_EQ(set | CharSet(U",\u066B"), CharSet(U"\u066B.,\u00A0"));
}

}  // namespace
}  // namespace kassavero
