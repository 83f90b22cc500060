// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator/numeric_edit.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kassavero {
namespace {

// Types the characters one by one into a field that starts with `start`, caret at the
// end, and returns the text.
std::string Typed(const std::string& start, const std::string& keys, char separator) {
    NumericEditState edit;
    edit.SetText(start);
    for (char key : keys)
        edit.TypeCharacter(key, separator);
    return edit.Text();
}

struct TypingCase {
    const char* name;
    char separator;
    const char* start;
    const char* keys;
    const char* expected;
};

class TypingTest : public ::testing::TestWithParam<TypingCase> {};

TEST_P(TypingTest, GivesText) {
    const TypingCase& c = GetParam();
    EXPECT_EQ(Typed(c.start, c.keys, c.separator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Filter, TypingTest,
    ::testing::Values(
        TypingCase{"FullStopBecomesComma", ',', "", "1.5", "1,5"},
        TypingCase{"SecondCommaIgnored", ',', "", "1,5,2", "1,52"},
        TypingCase{"FullStopAfterCommaIgnored", ',', "", "1,5.2", "1,52"},
        TypingCase{"CommaBecomesFullStop", '.', "", "1,5", "1.5"},
        TypingCase{"EitherKeyOnlyOnce", '.', "", "1,5.2,", "1.52"},
        TypingCase{"MinusInFront", ',', "", "-12", "-12"},
        TypingCase{"MinusAfterDigitIgnored", ',', "", "1-2", "12"},
        TypingCase{"SecondMinusIgnored", ',', "", "--3", "-3"},
        TypingCase{"LettersBlanksAndControlsDropped", ',', "",
                   "1a \x03"
                   "2\x16Z\x18\r\x1B"
                   "3",
                   "123"},
        TypingCase{"BackspaceRemovesCharacterBeforeCaret", ',', "12,5", "\b\b9", "129"},
        TypingCase{"BackspaceOnEmptyTextDoesNothing", ',', "", "\b", ""},
        TypingCase{"SixteenthDigitIgnored", ',', "123456789012345", "6", "123456789012345"},
        TypingCase{"SeparatorStillAfterFifteenDigits", ',', "123456789012345", ",",
                   "123456789012345,"},
        TypingCase{"SeparatorIsNotADigit", ',', "12345678901234,", "56", "12345678901234,5"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(NumericEditFilterTest, MinusOnlyWhereTheSelectionStartsAtTheFront) {
    EXPECT_EQ(NumericEditFilter('-', "12", {0, 0}, ','), '-');
    EXPECT_EQ(NumericEditFilter('-', "12", {1, 0}, ','), 0);
    EXPECT_EQ(NumericEditFilter('-', "12", {0, 2}, ','), '-') << "over the whole text";
    EXPECT_EQ(NumericEditFilter('-', "-12", {0, 0}, ','), 0) << "a second minus in front";
    EXPECT_EQ(NumericEditFilter('-', "-12", {0, 1}, ','), '-') << "replacing the minus";
}

TEST(NumericEditFilterTest, SixteenthDigitOnlyOverASelection) {
    const std::string full = "-123456789012,345";  // fifteen digits
    EXPECT_EQ(NumericEditFilter('7', full, {full.size(), 0}, ','), 0);
    EXPECT_EQ(NumericEditFilter('7', full, {3, 2}, ','), '7') << "replacing two digits";
    EXPECT_EQ(NumericEditFilter('7', full, {0, full.size()}, ','), '7');
    EXPECT_EQ(NumericEditFilter('7', full, {0, 1}, ','), 0)
        << "a selection without digits would still give sixteen";

    NumericEditState edit;
    edit.SetText("123456789012345");
    edit.SetSelection({5, 3});
    EXPECT_TRUE(edit.TypeCharacter('0', ','));
    EXPECT_EQ(edit.Text(), "1234509012345");
    EXPECT_EQ(edit.Selection(), (EditSelection{6, 0}));
}

TEST(NumericEditFilterTest, SeparatorOverASelectionThatHoldsOne) {
    NumericEditState edit;
    edit.SetText("1,5");
    edit.SelectAll();
    EXPECT_TRUE(edit.TypeCharacter('.', ','));
    EXPECT_TRUE(edit.TypeCharacter('5', ','));
    EXPECT_EQ(edit.Text(), ",5");
    EXPECT_EQ(NumericEditFilter(',', "1,5", {1, 0}, ','), 0);
}

TEST(NumericEditFilterTest, OtherSystemSeparator) {
    // A system whose separator is neither of the two keys: both keys still give it.
    EXPECT_EQ(NumericEditFilter('.', "1", {1, 0}, '\''), '\'');
    EXPECT_EQ(NumericEditFilter(',', "1", {1, 0}, '\''), '\'');
    EXPECT_EQ(NumericEditFilter('\'', "1'5", {3, 0}, '\''), 0);
    EXPECT_EQ(NumericEditFilter('.', "1.5", {3, 0}, '\''), '\'')
        << "a full stop in the text is not the system separator";
}

TEST(NumericEditStateTest, BackspaceRemovesTheSelection) {
    NumericEditState edit;
    edit.SetText("12345");
    edit.SetSelection({1, 3});
    EXPECT_TRUE(edit.TypeCharacter('\b', ','));
    EXPECT_EQ(edit.Text(), "15");
    EXPECT_EQ(edit.Selection(), (EditSelection{1, 0}));
    edit.SetSelection({0, 0});
    EXPECT_FALSE(edit.TypeCharacter('\b', ','));
}

TEST(NumericEditStateTest, StartsAsZeroAndKeepsSelectionInsideTheText) {
    NumericEditState edit;
    EXPECT_EQ(edit.Text(), "0");
    edit.SetSelection({7, 9});
    EXPECT_EQ(edit.Selection(), (EditSelection{1, 0}));
    edit.SetText("12");
    EXPECT_EQ(edit.Selection(), (EditSelection{2, 0})) << "caret after a written text";
}

TEST(NumericEditValueTest, EmptyIsZeroAndMinusAloneIsAnError) {
    EXPECT_EQ(NumericEditValue("", ','), 0.0);
    EXPECT_EQ(NumericEditValue("-1,25", ','), -1.25);
    EXPECT_EQ(NumericEditValue("-1.25", '.'), -1.25);
    EXPECT_FALSE(NumericEditValue("-", ','));
    EXPECT_FALSE(NumericEditValue(",", ','));
    EXPECT_FALSE(NumericEditValue("1.25", ',')) << "only the system separator counts";
    EXPECT_FALSE(NumericEditValue("Overflow", ','));
}

struct PasteCase {
    const char* pasted;
    const char* text;
    EditSelection selection;
    char separator;
    std::optional<std::string> inserted;  // nothing: refused whole
};

TEST(NumericEditPasteTest, TakenWholeOrNotAtAll) {
    const PasteCase cases[] = {
        {"12a", "", {0, 0}, ',', std::nullopt},
        {"12.5", "7", {0, 1}, ',', "12,5"},
        {" 100,5\r\n", "", {0, 0}, '.', "100.5"},
        {"-3", "5", {1, 0}, ',', std::nullopt},  // a minus only in front
        {"-3", "5", {0, 0}, ',', "-3"},
        {",5", "1,5", {0, 0}, ',', std::nullopt},  // a second separator
        {"1234567890123456", "", {0, 0}, ',', std::nullopt},
        {"  ", "1", {0, 1}, ',', std::nullopt},
        {"1\b2", "", {0, 0}, ',', std::nullopt},
    };
    for (const PasteCase& c : cases)
        EXPECT_EQ(NumericEditPaste(c.pasted, c.text, c.selection, c.separator), c.inserted)
            << c.pasted << " into " << c.text;
}

}  // namespace
}  // namespace kassavero
