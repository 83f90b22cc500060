// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/amount_recognizer.h"
#include "settings/profile_settings.h"

namespace kassavero {
namespace {

enum class Grouping { Always, Sometimes, Never };

struct NumberCase {
    std::string text;
    bool ok;
    double value = 0.0;
    int decimals = 0;
    Grouping grouping = Grouping::Sometimes;
    bool negatives = true;
    const char* thousands = ".,";
    const char* decimalSymbols = ".,";
};

TEST(ParseNumber, Table) {
    const std::vector<NumberCase> cases = {
        // Thousands separators group by three, or the separator was a decimal point.
        {"1,234", true, 1234, 0},
        {"1,2345", true, 1.2345, 4},
        {"1234.567", true, 1234.567, 3},
        {"1.234.567", true, 1234567, 0},
        {"1,234,567", true, 1234567, 0},
        {"1.234,56", true, 1234.56, 2},
        {"1.234,567", true, 1234.567, 3},
        {"12.345.678,9", true, 12345678.9, 1},
        {"123.456,78", true, 123456.78, 2},
        {"100.000", true, 100000, 0},
        {"1234.567.890", false},
        {"1.23.456", false},
        {"1.2345.678", false},
        {"1.234,567.890", false},
        {"1.234,567.8", false},
        {"1,234.567.890", false},
        {"1234,5678", true, 1234.5678, 4},
        {"1.23", true, 1.23, 2},
        {"0012", true, 12, 0},
        {"1.", true, 1, 0},
        {"1.000.", true, 1000, 0},
        // A separator taken as decimal point leaves no room for a second one.
        {"1,2345.5", false},
        {"1.2345,5", false},
        // A thousands separator that cannot be a decimal point must group by three.
        {"1'234", true, 1234, 0, Grouping::Sometimes, true, "'", ","},
        {"1'2345", false, 0, 0, Grouping::Sometimes, true, "'", ","},
        {"1'234'567,5", true, 1234567.5, 1, Grouping::Sometimes, true, "'", ","},
        {"1'234.5", false, 0, 0, Grouping::Sometimes, true, "'", ","},
        // Thousands always: four digits without a separator are not a number.
        {"1234,00", false, 0, 0, Grouping::Always},
        {"1.234,00", true, 1234, 2, Grouping::Always},
        {"999,99", true, 999.99, 2, Grouping::Always},
        {"1000", false, 0, 0, Grouping::Always},
        {"1,2345", true, 1.2345, 4, Grouping::Always},
        // Thousands never: every separator is a decimal point.
        {"1.234", true, 1.234, 3, Grouping::Never},
        {"1,234", true, 1.234, 3, Grouping::Never},
        {"1.234.567", false, 0, 0, Grouping::Never},
        {"1234567", true, 1234567, 0, Grouping::Never},
        // Signs.
        {"100,-", true, 100, 0},
        {"1.000,--", true, 1000, 0},
        {"-100,-", true, -100, 0},
        {"100,---", false},
        {"3.00-", true, -3, 2},
        {"-2,30", true, -2.3, 2},
        {"3,00-", true, -3, 2},
        {"-1.234", true, -1234, 0},
        {"--5", false},
        {"-5-", false},
        {"-", false},
        {"100,-", true, 100, 0, Grouping::Sometimes, false},
        {"3,00-", false, 0, 0, Grouping::Sometimes, false},
        {"-2,30", false, 0, 0, Grouping::Sometimes, false},
        // No zero before the decimal symbol, and no digit at all.
        {",50", true, 0.5, 2},
        {".5", true, 0.5, 1},
        {",", false},
        {",-", false},
        {"", false},
        {"12a", false},
        {"a12", false},
        {"12 ", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
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
    const CharSet separators = SymbolSetOf(".,");
    // The nearest double of the written value, as a reader of the text would expect.
    EXPECT_EQ(ParseNumber("1.234,56", separators, separators, false, false, true).Value, 1234.56);
    EXPECT_EQ(ParseNumber("0,1", separators, separators, false, false, true).Value, 0.1);
    EXPECT_EQ(ParseNumber("-51,13", separators, separators, false, false, true).Value, -51.13);
}

TEST(ParseNumber, VeryLongNumbersStayFinite) {
    const CharSet separators = SymbolSetOf(".,");
    const ParsedNumber digits255 =
        ParseNumber(std::string(255, '9'), separators, separators, false, false, true);
    EXPECT_TRUE(digits255.Ok);
    EXPECT_TRUE(std::isfinite(digits255.Value));
    // More digits than a double can hold is not a number rather than infinity.
    EXPECT_FALSE(ParseNumber(std::string(400, '9'), separators, separators, false, false, true).Ok);
    const ParsedNumber tiny =
        ParseNumber("0," + std::string(250, '0') + "1", separators, separators, false, false, true);
    EXPECT_TRUE(tiny.Ok);
    EXPECT_EQ(tiny.Decimals, 251);
    EXPECT_GT(tiny.Value, 0.0);
}

}  // namespace
}  // namespace kassavero
