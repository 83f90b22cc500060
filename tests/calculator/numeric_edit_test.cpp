// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator/numeric_edit.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <optional>
#include <string>

namespace kassavero {
namespace {

// Types the characters one by one into a field that starts with `start`, caret at the
// end, and returns the text.
std::u32string Typed(const std::u32string& start, const std::u32string& keys, char32_t separator) {
    NumericEditState edit;
    edit.SetText(start);
    for (char32_t key : keys)
        edit.TypeCharacter(key, separator);
    return edit.Text();
}

struct TypingCase {
    const char32_t* name;
    char32_t separator;
    const char32_t* start;
    const char32_t* keys;
    const char32_t* expected;
};

class TypingTest : public ::testing::TestWithParam<TypingCase> {};

TEST_P(TypingTest, GivesText) {
    const TypingCase& c = GetParam();
    EXPECT_EQ(Typed(c.start, c.keys, c.separator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Filter, TypingTest,
    ::testing::Values(
        TypingCase{U"FullStopBecomesComma", U',', U"", U"1.5", U"1,5"},
        TypingCase{U"SecondCommaIgnored", U',', U"", U"1,5,2", U"1,52"},
        TypingCase{U"FullStopAfterCommaIgnored", U',', U"", U"1,5.2", U"1,52"},
        TypingCase{U"CommaBecomesFullStop", U'.', U"", U"1,5", U"1.5"},
        TypingCase{U"EitherKeyOnlyOnce", U'.', U"", U"1,5.2,", U"1.52"},
        TypingCase{U"MinusInFront", U',', U"", U"-12", U"-12"},
        TypingCase{U"MinusAfterDigitIgnored", U',', U"", U"1-2", U"12"},
        TypingCase{U"SecondMinusIgnored", U',', U"", U"--3", U"-3"},
        TypingCase{U"LettersBlanksAndControlsDropped", U',', U"",
                   U"1a \x03"
                   U"2\x16Z\x18\r\x1B"
                   U"3",
                   U"123"},
        TypingCase{U"BackspaceRemovesCharacterBeforeCaret", U',', U"12,5", U"\b\b9", U"129"},
        TypingCase{U"BackspaceOnEmptyTextDoesNothing", U',', U"", U"\b", U""},
        TypingCase{U"SixteenthDigitIgnored", U',', U"123456789012345", U"6", U"123456789012345"},
        TypingCase{U"SeparatorStillAfterFifteenDigits", U',', U"123456789012345", U",",
                   U"123456789012345,"},
        TypingCase{U"SeparatorIsNotADigit", U',', U"12345678901234,", U"56", U"12345678901234,5"}),
    [](const auto& test) { return TextToUtf8(test.param.name); });

TEST(NumericEditFilterTest, MinusOnlyWhereTheSelectionStartsAtTheFront) {
    EXPECT_EQ(NumericEditFilter(U'-', U"12", {0, 0}, U','), U'-');
    EXPECT_EQ(NumericEditFilter(U'-', U"12", {1, 0}, U','), 0);
    EXPECT_EQ(NumericEditFilter(U'-', U"12", {0, 2}, U','), U'-') << "over the whole text";
    EXPECT_EQ(NumericEditFilter(U'-', U"-12", {0, 0}, U','), 0) << "a second minus in front";
    EXPECT_EQ(NumericEditFilter(U'-', U"-12", {0, 1}, U','), U'-') << "replacing the minus";
}

TEST(NumericEditFilterTest, SixteenthDigitOnlyOverASelection) {
    const std::u32string full = U"-123456789012,345";  // fifteen digits
    EXPECT_EQ(NumericEditFilter(U'7', full, {full.size(), 0}, U','), 0);
    EXPECT_EQ(NumericEditFilter(U'7', full, {3, 2}, U','), U'7') << "replacing two digits";
    EXPECT_EQ(NumericEditFilter(U'7', full, {0, full.size()}, U','), U'7');
    EXPECT_EQ(NumericEditFilter(U'7', full, {0, 1}, U','), 0)
        << "a selection without digits would still give sixteen";

    NumericEditState edit;
    edit.SetText(U"123456789012345");
    edit.SetSelection({5, 3});
    EXPECT_TRUE(edit.TypeCharacter(U'0', U','));
    EXPECT_EQ(edit.Text(), U"1234509012345");
    EXPECT_EQ(edit.Selection(), (EditSelection{6, 0}));
}

TEST(NumericEditFilterTest, SeparatorOverASelectionThatHoldsOne) {
    NumericEditState edit;
    edit.SetText(U"1,5");
    edit.SelectAll();
    EXPECT_TRUE(edit.TypeCharacter(U'.', U','));
    EXPECT_TRUE(edit.TypeCharacter(U'5', U','));
    EXPECT_EQ(edit.Text(), U",5");
    EXPECT_EQ(NumericEditFilter(U',', U"1,5", {1, 0}, U','), 0);
}

TEST(NumericEditFilterTest, OtherSystemSeparator) {
    // A system whose separator is neither of the two keys: both keys still give it.
    EXPECT_EQ(NumericEditFilter(U'.', U"1", {1, 0}, U'\''), U'\'');
    EXPECT_EQ(NumericEditFilter(U',', U"1", {1, 0}, U'\''), U'\'');
    EXPECT_EQ(NumericEditFilter(U'\'', U"1'5", {3, 0}, U'\''), 0);
    EXPECT_EQ(NumericEditFilter(U'.', U"1.5", {3, 0}, U'\''), U'\'')
        << "a full stop in the text is not the system separator";
}

TEST(NumericEditStateTest, BackspaceRemovesTheSelection) {
    NumericEditState edit;
    edit.SetText(U"12345");
    edit.SetSelection({1, 3});
    EXPECT_TRUE(edit.TypeCharacter(U'\b', U','));
    EXPECT_EQ(edit.Text(), U"15");
    EXPECT_EQ(edit.Selection(), (EditSelection{1, 0}));
    edit.SetSelection({0, 0});
    EXPECT_FALSE(edit.TypeCharacter(U'\b', U','));
}

TEST(NumericEditStateTest, StartsAsZeroAndKeepsSelectionInsideTheText) {
    NumericEditState edit;
    EXPECT_EQ(edit.Text(), U"0");
    edit.SetSelection({7, 9});
    EXPECT_EQ(edit.Selection(), (EditSelection{1, 0}));
    edit.SetText(U"12");
    EXPECT_EQ(edit.Selection(), (EditSelection{2, 0})) << "caret after a written text";
}

TEST(NumericEditValueTest, EmptyIsZeroAndMinusAloneIsAnError) {
    EXPECT_EQ(NumericEditValue(U"", U','), 0.0);
    EXPECT_EQ(NumericEditValue(U"-1,25", U','), -1.25);
    EXPECT_EQ(NumericEditValue(U"-1.25", U'.'), -1.25);
    EXPECT_FALSE(NumericEditValue(U"-", U','));
    EXPECT_FALSE(NumericEditValue(U",", U','));
    EXPECT_FALSE(NumericEditValue(U"1.25", U',')) << "only the system separator counts";
    EXPECT_FALSE(NumericEditValue(U"Overflow", U','));
}

struct PasteCase {
    const char32_t* pasted;
    const char32_t* text;
    EditSelection selection;
    char32_t separator;
    std::optional<std::u32string> inserted;  // nothing: refused whole
};

TEST(NumericEditPasteTest, TakenWholeOrNotAtAll) {
    const PasteCase cases[] = {
        {U"12a", U"", {0, 0}, U',', std::nullopt},
        {U"12.5", U"7", {0, 1}, U',', U"12,5"},
        {U" 100,5\r\n", U"", {0, 0}, U'.', U"100.5"},
        {U"-3", U"5", {1, 0}, U',', std::nullopt},  // a minus only in front
        {U"-3", U"5", {0, 0}, U',', U"-3"},
        {U",5", U"1,5", {0, 0}, U',', std::nullopt},  // a second separator
        {U"1234567890123456", U"", {0, 0}, U',', std::nullopt},
        {U"  ", U"1", {0, 1}, U',', std::nullopt},
        {U"1\b2", U"", {0, 0}, U',', std::nullopt},
    };
    for (const PasteCase& c : cases)
        EXPECT_EQ(NumericEditPaste(c.pasted, c.text, c.selection, c.separator), c.inserted)
            << TextToUtf8(c.pasted) << " into " << TextToUtf8(c.text);
}

}  // namespace
}  // namespace kassavero
