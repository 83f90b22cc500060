// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <cmath>
#include <string>
#include <vector>

#include "engine/amount_recognizer.h"
#include "settings/profile_settings.h"

namespace kassavero {
namespace {

enum class Grouping { Always, Sometimes, Never };

struct NumberCase {
    std::u32string text;
    bool ok;
    double value = 0.0;
    int decimals = 0;
    Grouping grouping = Grouping::Sometimes;
    bool negatives = true;
    const char32_t* thousands = U".,";
    const char32_t* decimalSymbols = U".,";
};

TEST(ParseNumber, Table) {
    const std::vector<NumberCase> cases = {
        // Thousands separators group by three, or the separator was a decimal point.
        {U"1,234", true, 1234, 0},
        {U"1,2345", true, 1.2345, 4},
        {U"1234.567", true, 1234.567, 3},
        {U"1.234.567", true, 1234567, 0},
        {U"1,234,567", true, 1234567, 0},
        {U"1.234,56", true, 1234.56, 2},
        {U"1.234,567", true, 1234.567, 3},
        {U"12.345.678,9", true, 12345678.9, 1},
        {U"123.456,78", true, 123456.78, 2},
        {U"100.000", true, 100000, 0},
        {U"1234.567.890", false},
        {U"1.23.456", false},
        {U"1.2345.678", false},
        {U"1.234,567.890", false},
        {U"1.234,567.8", false},
        {U"1,234.567.890", false},
        {U"1234,5678", true, 1234.5678, 4},
        {U"1.23", true, 1.23, 2},
        {U"0012", true, 12, 0},
        {U"1.", true, 1, 0},
        {U"1.000.", true, 1000, 0},
        // A separator taken as decimal point leaves no room for a second one.
        {U"1,2345.5", false},
        {U"1.2345,5", false},
        // A thousands separator that cannot be a decimal point must group by three.
        {U"1'234", true, 1234, 0, Grouping::Sometimes, true, U"'", U","},
        {U"1'2345", false, 0, 0, Grouping::Sometimes, true, U"'", U","},
        {U"1'234'567,5", true, 1234567.5, 1, Grouping::Sometimes, true, U"'", U","},
        {U"1'234.5", false, 0, 0, Grouping::Sometimes, true, U"'", U","},
        // Thousands always: four digits without a separator are not a number.
        {U"1234,00", false, 0, 0, Grouping::Always},
        {U"1.234,00", true, 1234, 2, Grouping::Always},
        {U"999,99", true, 999.99, 2, Grouping::Always},
        {U"1000", false, 0, 0, Grouping::Always},
        {U"1,2345", true, 1.2345, 4, Grouping::Always},
        // Thousands never: every separator is a decimal point.
        {U"1.234", true, 1.234, 3, Grouping::Never},
        {U"1,234", true, 1.234, 3, Grouping::Never},
        {U"1.234.567", false, 0, 0, Grouping::Never},
        {U"1234567", true, 1234567, 0, Grouping::Never},
        // Signs.
        {U"100,-", true, 100, 0},
        {U"1.000,--", true, 1000, 0},
        {U"-100,-", true, -100, 0},
        {U"100,---", false},
        {U"3.00-", true, -3, 2},
        {U"-2,30", true, -2.3, 2},
        {U"3,00-", true, -3, 2},
        {U"-1.234", true, -1234, 0},
        {U"--5", false},
        {U"-5-", false},
        {U"-", false},
        {U"100,-", true, 100, 0, Grouping::Sometimes, false},
        {U"3,00-", false, 0, 0, Grouping::Sometimes, false},
        {U"-2,30", false, 0, 0, Grouping::Sometimes, false},
        // No zero before the decimal symbol, and no digit at all.
        {U",50", true, 0.5, 2},
        {U".5", true, 0.5, 1},
        {U",", false},
        {U",-", false},
        {U"", false},
        {U"12a", false},
        {U"a12", false},
        {U"12 ", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(TextToUtf8(c.text));
        const ParsedNumber result =
            ParseNumber(c.text, SymbolSetOf(c.thousands), SymbolSetOf(c.decimalSymbols),
                        c.grouping == Grouping::Always, c.grouping == Grouping::Never, c.negatives);
        EXPECT_EQ(result.Ok, c.ok);
        if (c.ok) {
            EXPECT_DOUBLE_EQ(result.Value, c.value);
            EXPECT_EQ(result.Decimals, c.decimals);
        }
    }
}

TEST(ParseNumber, EachStepIsStoredAsADouble) {
    const CharSet separators = SymbolSetOf(U".,");
    // The nearest double of the written value, as a reader of the text would expect.
    EXPECT_EQ(ParseNumber(U"1.234,56", separators, separators, false, false, true).Value, 1234.56);
    EXPECT_EQ(ParseNumber(U"0,1", separators, separators, false, false, true).Value, 0.1);
    EXPECT_EQ(ParseNumber(U"-51,13", separators, separators, false, false, true).Value, -51.13);
}

TEST(ParseNumber, VeryLongNumbersStayFinite) {
    const CharSet separators = SymbolSetOf(U".,");
    const ParsedNumber digits255 =
        ParseNumber(std::u32string(255, U'9'), separators, separators, false, false, true);
    EXPECT_TRUE(digits255.Ok);
    EXPECT_TRUE(std::isfinite(digits255.Value));
    // More digits than a double can hold is not a number rather than infinity.
    EXPECT_FALSE(
        ParseNumber(std::u32string(400, U'9'), separators, separators, false, false, true).Ok);
    const ParsedNumber tiny = ParseNumber(U"0," + std::u32string(250, U'0') + U"1", separators,
                                          separators, false, false, true);
    EXPECT_TRUE(tiny.Ok);
    EXPECT_EQ(tiny.Decimals, 251);
    EXPECT_GT(tiny.Value, 0.0);
}

}  // namespace
}  // namespace kassavero
