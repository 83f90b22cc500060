// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator/line_text.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <limits>
#include <optional>
#include <string>

#include "core/amount_format.h"

namespace kassavero {
namespace {

constexpr char32_t kOverflow[] = U"Overflow";

class LineTextTest : public ::testing::Test {
  protected:
    LineTextTest() { SettingsToDefaults(settings_, U',', U'.', kDEM); }

    std::optional<std::u32string> Text(double amount, CurrencyIndex currency, int precision,
                                       char32_t separator = U',') const {
        return CalculatorLineText(amount, currency, precision, settings_, separator, kOverflow);
    }

    ProfileSettings settings_;
};

struct LineCase {
    const char32_t* name;
    double amount;
    CurrencyIndex currency;
    int precision;
    const char32_t* expected;
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
        LineCase{U"TransferUnitDEM", 195.583, kDEM, 1, U"195,58"},
        LineCase{U"TransferUnitITL", 193627.0, kITL, 1, U"193627"},
        LineCase{U"TransferUnitPTE", 20048.26, kPTE, 1, U"20048,30"},
        LineCase{U"CoinITL", 193627.0, kITL, 2, U"193650"},
        LineCase{U"CoinFRF", 655.957, kFRF, 2, U"655,95"},
        LineCase{U"NegativeMinusFirst", -195.583, kDEM, 1, U"-195,58"},
        // High precision: fifteen significant digits, at most fourteen decimals.
        LineCase{U"HighBelowOne", 1 / 1.95583, kEUR, 0, U"0,51129188119622"},
        LineCase{U"HighHalf", 0.5, kDEM, 0, U"0,50000000000000"},
        LineCase{U"HighZero", 0.0, kDEM, 0, U"0,00000000000000"},
        LineCase{U"HighBelowTen", 9.5, kDEM, 0, U"9,50000000000000"},
        LineCase{U"HighTen", 10.0, kDEM, 0, U"10,0000000000000"},
        LineCase{U"HighEightPlaces", 19558300.0, kDEM, 0, U"19558300,0000000"},
        LineCase{U"HighNegative", -12345678.123456789, kDEM, 0, U"-12345678,1234568"},
        LineCase{U"HighFifteenWholeDigits", 999999999999999.0, kITL, 0, U"999999999999999"},
        // Overflow: beyond 10^15, and fifteen digits in the other precisions.
        LineCase{U"BeyondLimitHigh", 1.5e15, kITL, 0, kOverflow},
        LineCase{U"BeyondLimitTransfer", -1.0000001e15, kITL, 1, kOverflow},
        LineCase{U"ExactlyLimitHigh", 1e15, kITL, 0, kOverflow},
        LineCase{U"RoundedToLimitHigh", 999999999999999.9, kITL, 0, kOverflow},
        LineCase{U"FifteenDigitsTransfer", 1e13, kDEM, 1, kOverflow},
        LineCase{U"FourteenDigitsTransfer", 999999999999.99, kDEM, 1, U"999999999999,99"},
        LineCase{U"FifteenWholeDigits", 193627000000000.0, kITL, 1, kOverflow},
        LineCase{U"NegativeFifteenDigits", -1e13, kDEM, 2, kOverflow},
        LineCase{U"NotANumber", std::numeric_limits<double>::quiet_NaN(), kDEM, 1, kOverflow}),
    [](const auto& test) { return TextToUtf8(test.param.name); });

TEST_F(LineTextTest, CurrencySettingsTakeOnlyRoundingAndDecimals) {
    TWaehrungsAusgabeFormat& dem = settings_.Output[kDEM];
    dem.MinusFirst = false;
    dem.DecimalSymbol = U'.';
    dem.UseThousandSymbol = true;
    dem.RoundingStrategy = kRoundToSignificantDigits;
    dem.SignificantDigits = 2;
    EXPECT_EQ(Text(-123456, kDEM, 3), U"-120000,00");

    dem.RoundingStrategy = kRoundToMultiple;
    dem.Multiple = 0.25;
    dem.RoundingDirection = kRoundUp;
    EXPECT_EQ(Text(10.01, kDEM, 3), U"10,25");
    EXPECT_EQ(Text(10.01, kDEM, 1), U"10,01") << "the fixed precisions round commercially";
}

TEST_F(LineTextTest, NegativeDecimalsRoundToWholeTensAndHundreds) {
    settings_.Output[kITL].Decimals = -2;
    EXPECT_EQ(Text(193627, kITL, 3), U"193600");
    EXPECT_EQ(Text(-193650, kITL, 3), U"-193700");
    settings_.Output[kITL].Decimals = -6;
    EXPECT_EQ(Text(193627, kITL, 3), U"0");
}

TEST_F(LineTextTest, FullStopSystemAndOtherPrecisions) {
    EXPECT_EQ(Text(195.583, kDEM, 1, U'.'), U"195.58");
    EXPECT_EQ(Text(1 / 1.95583, kEUR, 0, U'.'), U"0.51129188119622");
    EXPECT_EQ(Text(1, kDEM, 4), std::nullopt) << "an unknown precision leaves the line";
    EXPECT_EQ(Text(1, kDEM, -1), std::nullopt);
}

}  // namespace
}  // namespace kassavero
