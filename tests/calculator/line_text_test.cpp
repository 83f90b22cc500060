// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator/line_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

#include "core/amount_format.h"

namespace kassavero {
namespace {

constexpr char kOverflow[] = "Overflow";

class LineTextTest : public ::testing::Test {
  protected:
    LineTextTest() { SettingsToDefaults(settings_, ',', '.', kDEM); }

    std::optional<std::string> Text(double amount, CurrencyIndex currency, int precision,
                                    char separator = ',') const {
        return CalculatorLineText(amount, currency, precision, settings_, separator, kOverflow);
    }

    ProfileSettings settings_;
};

struct LineCase {
    const char* name;
    double amount;
    CurrencyIndex currency;
    int precision;
    const char* expected;
};

class LineTableTest : public LineTextTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(LineTableTest, Writes) {
    const LineCase& c = GetParam();
    EXPECT_EQ(Text(c.amount, c.currency, c.precision), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Precisions, LineTableTest,
    ::testing::Values(
        // 100 euro in the three fixed precisions.
        LineCase{"TransferUnitDEM", 195.583, kDEM, 1, "195,58"},
        LineCase{"TransferUnitITL", 193627.0, kITL, 1, "193627"},
        LineCase{"TransferUnitPTE", 20048.26, kPTE, 1, "20048,30"},
        LineCase{"CoinITL", 193627.0, kITL, 2, "193650"},
        LineCase{"CoinFRF", 655.957, kFRF, 2, "655,95"},
        LineCase{"NegativeMinusFirst", -195.583, kDEM, 1, "-195,58"},
        // High precision: fifteen significant digits, at most fourteen decimals.
        LineCase{"HighBelowOne", 1 / 1.95583, kEUR, 0, "0,51129188119622"},
        LineCase{"HighHalf", 0.5, kDEM, 0, "0,50000000000000"},
        LineCase{"HighZero", 0.0, kDEM, 0, "0,00000000000000"},
        LineCase{"HighBelowTen", 9.5, kDEM, 0, "9,50000000000000"},
        LineCase{"HighTen", 10.0, kDEM, 0, "10,0000000000000"},
        LineCase{"HighEightPlaces", 19558300.0, kDEM, 0, "19558300,0000000"},
        LineCase{"HighNegative", -12345678.123456789, kDEM, 0, "-12345678,1234568"},
        LineCase{"HighFifteenWholeDigits", 999999999999999.0, kITL, 0, "999999999999999"},
        // Overflow: beyond 10^15, and fifteen digits in the other precisions.
        LineCase{"BeyondLimitHigh", 1.5e15, kITL, 0, kOverflow},
        LineCase{"BeyondLimitTransfer", -1.0000001e15, kITL, 1, kOverflow},
        LineCase{"ExactlyLimitHigh", 1e15, kITL, 0, kOverflow},
        LineCase{"RoundedToLimitHigh", 999999999999999.9, kITL, 0, kOverflow},
        LineCase{"FifteenDigitsTransfer", 1e13, kDEM, 1, kOverflow},
        LineCase{"FourteenDigitsTransfer", 999999999999.99, kDEM, 1, "999999999999,99"},
        LineCase{"FifteenWholeDigits", 193627000000000.0, kITL, 1, kOverflow},
        LineCase{"NegativeFifteenDigits", -1e13, kDEM, 2, kOverflow},
        LineCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), kDEM, 1, kOverflow}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(LineTextTest, CurrencySettingsTakeOnlyRoundingAndDecimals) {
    TWaehrungsAusgabeFormat& dem = settings_.Output[kDEM];
    dem.MinusFirst = false;
    dem.DecimalSymbol = '.';
    dem.UseThousandSymbol = true;
    dem.RoundingStrategy = kRoundToSignificantDigits;
    dem.SignificantDigits = 2;
    EXPECT_EQ(Text(-123456, kDEM, 3), "-120000,00");

    dem.RoundingStrategy = kRoundToMultiple;
    dem.Multiple = 0.25;
    dem.RoundingDirection = kRoundUp;
    EXPECT_EQ(Text(10.01, kDEM, 3), "10,25");
    EXPECT_EQ(Text(10.01, kDEM, 1), "10,01") << "the fixed precisions round commercially";
}

TEST_F(LineTextTest, NegativeDecimalsRoundToWholeTensAndHundreds) {
    settings_.Output[kITL].Decimals = -2;
    EXPECT_EQ(Text(193627, kITL, 3), "193600");
    EXPECT_EQ(Text(-193650, kITL, 3), "-193700");
    settings_.Output[kITL].Decimals = -6;
    EXPECT_EQ(Text(193627, kITL, 3), "0");
}

TEST_F(LineTextTest, FullStopSystemAndOtherPrecisions) {
    EXPECT_EQ(Text(195.583, kDEM, 1, '.'), "195.58");
    EXPECT_EQ(Text(1 / 1.95583, kEUR, 0, '.'), "0.51129188119622");
    EXPECT_EQ(Text(1, kDEM, 4), std::nullopt) << "an unknown precision leaves the line";
    EXPECT_EQ(Text(1, kDEM, -1), std::nullopt);
}

}  // namespace
}  // namespace kassavero
