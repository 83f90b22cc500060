// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/amount_format.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <ostream>
#include <string>

namespace kassavero {
namespace {

// A format with decimal symbol "," and thousands symbol ".", grouping off, minus first,
// rounding by `strategy` to `step` (the coin, transfer unit, multiple or number of
// significant digits it names). The other steps hold decoys that would show if the
// wrong one were taken.
AmountFormat Step(std::uint8_t strategy, double step, int decimals = 2,
                  std::uint8_t direction = kRoundCommercial) {
    AmountFormat format{.DecimalSymbol = U',',
                        .Decimals = decimals,
                        .RoundingStrategy = strategy,
                        .Multiple = 0.2,
                        .SmallestCoin = 0.25,
                        .SmallestTransferUnit = 0.5,
                        .RoundingDirection = direction,
                        .SignificantDigits = 1};
    switch (strategy) {
        case kRoundToCoin:
            format.SmallestCoin = step;
            break;
        case kRoundToMultiple:
            format.Multiple = step;
            break;
        case kRoundToSignificantDigits:
            format.SignificantDigits = static_cast<int>(step);
            break;
        default:
            format.SmallestTransferUnit = step;
    }
    return format;
}
AmountFormat Cents(int decimals = 2, std::uint8_t direction = kRoundCommercial) {
    return Step(kRoundToMultiple, 0.01, decimals, direction);
}
AmountFormat MinusLast(AmountFormat format) {
    format.MinusFirst = false;
    return format;
}
AmountFormat Grouped(AmountFormat format) {
    format.UseThousandSymbol = true;
    return format;
}

constexpr auto kCoin = kRoundToCoin;
constexpr auto kUnit = kRoundToTransferUnit;
constexpr auto kMultiple = kRoundToMultiple;
constexpr auto kDigits = kRoundToSignificantDigits;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Case {
    const char32_t* name;
    double value;
    const char32_t* expected;
    AmountFormat format;
};

std::ostream& operator<<(std::ostream& out, const Case& c) {
    return out << TextToUtf8(c.name);
}

class FormatAmountTable : public ::testing::TestWithParam<Case> {};

TEST_P(FormatAmountTable, Writes) {
    EXPECT_EQ(FormatAmount(GetParam().value, GetParam().format), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rounding, FormatAmountTable,
    ::testing::Values(
        Case{U"HalfGoesAwayFromZero", 2.345, U"2,35", Cents()},
        Case{U"NegativeHalfMinusFirst", -2.345, U"-2,35", Cents()},
        Case{U"NegativeHalfMinusLast", -2.345, U"2,35-", MinusLast(Cents())},
        Case{U"UpAddsAStep", 1.2301, U"1,24", Cents(2, kRoundUp)},
        Case{U"UpOnNegativeGoesAwayFromZero", -1.2301, U"-1,24", Cents(2, kRoundUp)},
        Case{U"UpOnAnExactMultipleStays", 1.25, U"1,25", Step(kMultiple, 0.05, 2, kRoundUp)},
        Case{U"DownCuts", 1.239, U"1,23", Cents(2, kRoundDown)},
        Case{U"DownOnNegativeGoesTowardsZero", -1.239, U"-1,23", Cents(2, kRoundDown)},
        Case{U"OtherDirectionIsCommercial", 0.015, U"0,02", Cents(2, 9)},
        // The quotient is decided in fifteen decimal digits: 1,005 / 0,01 is just below
        // 100,5 as a double, but a half in decimal.
        Case{U"QuotientJustBelowHalf", 1.005, U"1,01", Cents()},
        Case{U"QuotientJustBelowHalfSmall", 0.145, U"0,15", Cents()},
        // 0,015 lies below the half in binary, but its quotient is exactly 1,5.
        Case{U"QuotientExactlyHalf", 0.015, U"0,02", Cents()},
        Case{U"TwoSignificantDigits", 123456, U"120000,00", Step(kDigits, 2)},
        // trunc, not floor: log10 0,0123 is cut to -1, so the step is 0,01.
        Case{U"TwoSignificantDigitsBelowOne", 0.0123, U"0,0100", Step(kDigits, 2, 4)},
        Case{U"OneSignificantDigitBelowOne", 0.5, U"1,00", Step(kDigits, 1)},
        Case{U"SignificantDigitsOfZero", 0, U"0,00", Step(kDigits, 2)},
        Case{U"SignificantDigitsNeverFinerThanDecimals", 1.23456, U"1,24",
             Step(kDigits, 6, 2, kRoundUp)},
        Case{U"FifteenSignificantDigitsAsTheCalculator", 1 / 1.95583, U"0,51129188119622",
             Step(kDigits, 15, 14)},
        Case{U"LireToTheCoin", 1234, U"1250", Step(kCoin, 50, 0)},
        Case{U"LireToTheTransferUnit", 1234, U"1234", Step(kUnit, 1, 0)},
        Case{U"FrancsDownToTheCoin", 1.02, U"1,00", Step(kCoin, 0.05)},
        Case{U"FrancsUpToTheCoin", 1.03, U"1,05", Step(kCoin, 0.05)},
        Case{U"UnknownStrategyIsTransferUnit", 1.26, U"1,30", Step(7, 0.1)},
        // Rounding up shows the step: a multiple of 0 means the last decimal, not none.
        Case{U"MultipleZeroIsLastDecimal", 1.231, U"1,24", Step(kMultiple, 0, 2, kRoundUp)},
        Case{U"NegativeMultipleIsLastDecimal", 1.231, U"1,24", Step(kMultiple, -0.05, 2, kRoundUp)},
        Case{U"NotANumberMultipleIsLastDecimal", 1.231, U"1,24",
             Step(kMultiple, kNaN, 2, kRoundUp)},
        Case{U"UnusableStepLeavesTheValue", 1.239, U"1,24", Step(kCoin, 0, 2, kRoundDown)},
        Case{U"QuotientOverflowLeavesTheValue", 1.7e308, U"1,7E+308", Step(kMultiple, 1e-300)}));

INSTANTIATE_TEST_SUITE_P(
    Text, FormatAmountTable,
    ::testing::Values(
        Case{U"Grouped", 1234.5, U"1.234,50", Grouped(Cents())},
        Case{U"NotGrouped", 1234.5, U"1234,50", Cents()},
        Case{U"GroupedMillions", 1234567.891, U"1.234.567,89", Grouped(Cents())},
        Case{U"ThreeDigitsNeedNoGroup", 123, U"123,00", Grouped(Cents())},
        Case{U"MinusLast", -12.3, U"12,30-", MinusLast(Cents())},
        Case{U"MinusFirst", -12.3, U"-12,30", Cents()},
        Case{U"MinusStaysOnZero", -0.001, U"-0,00", Cents()},
        Case{U"MinusLastStaysOnZero", -0.001, U"0,00-", MinusLast(Cents())},
        Case{U"NegativeZeroHasNoMinus", -0.0, U"0,00", Cents()},
        Case{U"PaddedWithZeros", 0.1, U"0,10", Cents()},
        Case{U"NoDecimalSymbolForZeroDecimals", 2.5, U"3", Step(kUnit, 1, 0)},
        // The text rounds once more at the last decimal, from fifteen significant digits:
        // 29 * 0,005 is 0,14499999... in binary but 0,145000000000000 in fifteen digits.
        Case{U"LastDecimalRoundedFromFifteenDigits", 0.1451, U"0,15", Step(kMultiple, 0.005)},
        Case{U"MoreDecimalsThanTheStep", 2.5, U"2,5000", Cents(4)},
        Case{U"ManyDecimalsPadBeyondFifteenDigits", 0.1, U"0,10000000000000000000",
             Step(kMultiple, 0, 20)},
        Case{U"NegativeDecimalsRoundTheWholeNumber", 1234.5, U"1200", Step(kUnit, 0.01, -2)},
        Case{U"NegativeDecimalsStepOfAZeroMultiple", 1250, U"1300", Step(kMultiple, 0, -2)},
        Case{U"NegativeDecimalsGrouped", 1234567, U"1.235.000", Grouped(Step(kUnit, 0.01, -3))},
        Case{U"SixNegativeDecimals", 12345678, U"12000000", Step(kUnit, 0.01, -6)},
        Case{U"NegativeDecimalsRoundSmallToZero", 400, U"0", Step(kUnit, 0.01, -3)},
        Case{U"NegativeDecimalsRoundUpToNextPower", 600, U"1000", Step(kUnit, 0.01, -3)},
        Case{U"NegativeDecimalsMinusStaysOnZero", -400, U"-0", Step(kUnit, 0.01, -3)},
        Case{U"FifteenDigitWholePart", 999999999999999, U"999999999999999,00", Cents()},
        Case{U"FifteenDigitsGrouped", 123456789012345.67, U"123.456.789.012.346,00",
             Grouped(Cents())},
        Case{U"FifteenDigitsCarry", 99999999999999.99, U"100000000000000,00", Cents()},
        Case{U"RoundsUpToSixteenDigits", 999999999999999.9, U"1E+15", Cents()},
        Case{U"TenToTheFifteen", 1e15, U"1E+15", Grouped(Cents())},
        Case{U"SixteenDigitsScientific", 1234567890123456, U"1,23456789012346E+15",
             Grouped(Cents())},
        Case{U"ScientificMinusLast", -1e15, U"1E+15-", MinusLast(Cents())},
        Case{U"LastDecimalCarriesToSixteenDigits", 999999999999999, U"1E+15", Step(kUnit, 1, -1)},
        Case{U"LargeScientific", 1.5e300, U"1,5E+300", Step(kUnit, 0.01)},
        Case{U"Infinity", kInf, U"INF", Cents()},
        Case{U"NegativeInfinityMinusLast", -kInf, U"INF-", MinusLast(Cents())},
        Case{U"NotANumber", kNaN, U"NAN", Cents()}));

// Amounts that are exact in decimal but not in binary: the direction must see the decimal.
INSTANTIATE_TEST_SUITE_P(
    DecimalQuotient, FormatAmountTable,
    ::testing::Values(
        Case{U"DownKeepsAWholeCent", 2.30, U"2,30", Cents(2, kRoundDown)},
        Case{U"UpKeepsAWholeCent", 0.07, U"0,07", Cents(2, kRoundUp)},
        Case{U"HalfCentGoesUp", 8.325, U"8,33", Cents()},
        Case{U"HalfOfATenthGoesUp", 1.45, U"1,50", Step(kMultiple, 0.1)},
        Case{U"UpJustAboveAWholeStepStillAddsOne", 2.3000000001, U"2,31", Cents(2, kRoundUp)},
        Case{U"DownJustBelowAWholeStepStillCuts", 2.2999999999, U"2,29", Cents(2, kRoundDown)}));

TEST(FormatAmount, EveryCentAndHalfCentBelowAHundredIsDecidedInDecimal) {
    int changedByUp = 0;
    int changedByDown = 0;
    int halvesNotUp = 0;
    for (int cents = 0; cents < 10'000; ++cents) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%d,%02d", cents / 100, cents % 100);
        std::u32string exact = AsciiToText(buffer);
        const double value = cents / 100.0;
        changedByUp += FormatAmount(value, Cents(2, kRoundUp)) != exact;
        changedByDown += FormatAmount(value, Cents(2, kRoundDown)) != exact;
        // The half-cent value above this cent, rounded commercially, is the next cent.
        const int next = cents + 1;
        std::snprintf(buffer, sizeof buffer, "%d,%02d", next / 100, next % 100);
        exact = AsciiToText(buffer);
        halvesNotUp += FormatAmount((2 * cents + 1) / 200.0, Cents()) != exact;
    }
    EXPECT_EQ(changedByUp, 0);
    EXPECT_EQ(changedByDown, 0);
    EXPECT_EQ(halvesNotUp, 0);
}

TEST(FormatAmount, ConvertedHalfCentGoesUp) {
    // 1.500 EUR are exactly 9.839,355 FRF.
    const double francs = *ConvertWithRates(1500, 1.0, FixedCurrencyRate(kFRF));
    EXPECT_EQ(FormatAmount(francs, Grouped(Cents())), U"9.839,36");
}

TEST(FormatAmount, HalfOfTheFifteenthDigitGoesAwayFromZero) {
    // 123456789012344,5 is exact in binary: a true half at the sixteenth digit.
    EXPECT_EQ(FormatAmount(false, U'.', U',', 123456789012344.5, 1, true, kRoundToMultiple, 0.5,
                           0.01, 0.01, kRoundCommercial, 6),
              U"123456789012345,0");
}

TEST(FormatAmount, ExtremeDecimalsStayBounded) {
    const std::u32string text = FormatAmount(false, U'.', U',', 0.5, 1'000'000, true,
                                             kRoundToTransferUnit, 0, 0.01, 0.01, 0, 6);
    EXPECT_EQ(text.size(), 2u + 340u);
    EXPECT_EQ(text.substr(0, 4), U"0,50");
    EXPECT_EQ(FormatAmount(false, U'.', U',', 123.0, -1'000'000, true, kRoundToMultiple, 0, 0.01,
                           0.01, 0, 6),
              U"0");
    // Absurd significant digits must neither overflow nor produce garbage.
    EXPECT_EQ(FormatAmount(false, U'.', U',', 1.234, 2, true, kRoundToSignificantDigits, 0, 0.01,
                           0.01, 0, std::numeric_limits<int>::min()),
              U"1,23");
    EXPECT_EQ(FormatAmount(false, U'.', U',', 1.234, 2, true, kRoundToSignificantDigits, 0, 0.01,
                           0.01, 0, std::numeric_limits<int>::max()),
              U"1,23");
}

TEST(FormatAmount, SeparatorsAreThoseOfTheCall) {
    EXPECT_EQ(FormatAmount(true, U'\'', U'.', 1234567.5, 2, true, kRoundToMultiple, 0.01, 0.01,
                           0.01, 0, 6),
              U"1'234'567.50");
    EXPECT_EQ(
        FormatAmount(true, U'\xA0', U',', 1234.5, 1, true, kRoundToMultiple, 0.1, 0.01, 0.01, 0, 6),
        U"1\xA0"
        U"234,5");
}

TEST(PowerOfTen, ExactForTheStepsInUse) {
    EXPECT_EQ(PowerOfTen(-6), 1e-6);
    EXPECT_EQ(PowerOfTen(-4), 0.0001);
    EXPECT_EQ(PowerOfTen(-2), 0.01);
    EXPECT_EQ(PowerOfTen(0), 1.0);
    EXPECT_EQ(PowerOfTen(2), 100.0);
    EXPECT_EQ(PowerOfTen(6), 1e6);
    EXPECT_EQ(PowerOfTen(-400), 0.0);
    EXPECT_TRUE(std::isinf(PowerOfTen(400)));
}

TEST(PrecisionMode, FromSetting) {
    EXPECT_EQ(ToPrecisionMode(0), PrecisionMode::HighPrecision);
    EXPECT_EQ(ToPrecisionMode(1), PrecisionMode::TransferUnit);
    EXPECT_EQ(ToPrecisionMode(2), PrecisionMode::Coin);
    EXPECT_EQ(ToPrecisionMode(3), PrecisionMode::CurrencySettings);
    EXPECT_EQ(ToPrecisionMode(-1), std::nullopt);
    EXPECT_EQ(ToPrecisionMode(4), std::nullopt);
}

// ---- The fixed parameter sets ----

struct FormulaCase {
    const char32_t* name;
    PrecisionMode mode;
    CurrencyIndex target;
    double value;
    const char32_t* expected;
};

std::ostream& operator<<(std::ostream& out, const FormulaCase& c) {
    return out << TextToUtf8(c.name);
}

class FormulaAmount : public ::testing::TestWithParam<FormulaCase> {};

// The profile's own records are set to something else entirely, so that the fixed
// modes show they ignore them and the mode "as set" shows it follows only the rounding.
OutputRecords OddRecords() {
    OutputRecords records;
    for (auto& record : records) {
        record.Decimals = 3;
        record.RoundingStrategy = kRoundToSignificantDigits;
        record.SignificantDigits = 4;
        record.RoundingDirection = kRoundDown;
        record.DecimalSymbol = U'#';
        record.ThousandSymbol = U'\'';
        record.UseThousandSymbol = true;
        record.MinusFirst = false;
    }
    return records;
}

TEST_P(FormulaAmount, Writes) {
    const FormulaCase& c = GetParam();
    EXPECT_EQ(FormatAmount(c.value, FormulaAmountFormat(c.mode, c.target, OddRecords(), U',')),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, FormulaAmount,
    ::testing::Values(
        FormulaCase{U"HighPrecisionEuro", PrecisionMode::HighPrecision, kEUR, 51.12918811962185,
                    U"51,129188"},
        FormulaCase{U"HighPrecisionFrancs", PrecisionMode::HighPrecision, kFRF, -3353.854885138279,
                    U"-3353,854885"},
        FormulaCase{U"HighPrecisionLire", PrecisionMode::HighPrecision, kITL, 98.99019, U"98,9902"},
        FormulaCase{U"TransferUnitEuro", PrecisionMode::TransferUnit, kEUR, 51.12918811962185,
                    U"51,13"},
        FormulaCase{U"TransferUnitFrancs", PrecisionMode::TransferUnit, kFRF, -3353.854885138279,
                    U"-3353,85"},
        FormulaCase{U"TransferUnitPesetas", PrecisionMode::TransferUnit, kPTE, 200.482, U"200,50"},
        FormulaCase{U"CoinFrancs", PrecisionMode::Coin, kFRF, 335.3854885138279, U"335,40"},
        FormulaCase{U"CoinLire", PrecisionMode::Coin, kITL, 193627, U"193650"},
        FormulaCase{U"AsSetTakesOnlyTheRounding", PrecisionMode::CurrencySettings, kEUR, -1234.56,
                    U"-1234,000"},
        FormulaCase{U"NoCurrencyTarget", PrecisionMode::TransferUnit, kNoCurrency, 1.234,
                    U"1,23"}));

TEST(FixedFormats, CurrencyAmountFormatTakesTheRecordAndTheCurrencysSteps) {
    TWaehrungsAusgabeFormat record;
    record.Decimals = 0;
    record.RoundingStrategy = kRoundToCoin;
    record.DecimalSymbol = U',';
    record.ThousandSymbol = U'.';
    record.UseThousandSymbol = true;
    record.MinusFirst = false;
    EXPECT_EQ(FormatAmount(-1234567, CurrencyAmountFormat(record, kITL)), U"1.234.550-");
    record.RoundingStrategy = kRoundToTransferUnit;
    EXPECT_EQ(FormatAmount(-1234567, CurrencyAmountFormat(record, kITL)), U"1.234.567-");
    record.Decimals = 2;
    record.RoundingStrategy = kRoundToMultiple;
    record.Multiple = 0.25;
    record.RoundingDirection = kRoundUp;
    EXPECT_EQ(FormatAmount(10.01, CurrencyAmountFormat(record, kDEM)), U"10,25");
}

TEST(FixedFormats, OldAmountShowsTheDecimalsOfTheTextWhenThereAreMore) {
    EXPECT_EQ(FormatAmount(1234.5, OldAmountFormat(kDEM, 0, U',', U'.')), U"1.234,50");
    EXPECT_EQ(FormatAmount(1234.5678, OldAmountFormat(kDEM, 3, U',', U'.')), U"1.234,568");
    EXPECT_EQ(FormatAmount(-1234567, OldAmountFormat(kITL, 0, U',', U'.')), U"-1.234.567");
    EXPECT_EQ(FormatAmount(1234.5, OldAmountFormat(kITL, 1, U'.', U',')), U"1,234.5");
}

TEST(FixedFormats, IntermediateEuroEndsWithTheEllipsis) {
    EXPECT_EQ(IntermediateEuroText(51.12918811962185, U',', U'.'), U"51,1292\u2026");
    EXPECT_EQ(IntermediateEuroText(1234.56789, U',', U'.'), U"1234,5679\u2026");
    EXPECT_EQ(IntermediateEuroText(-0.00004, U'.', U','), U"-0.0000\u2026");
}

}  // namespace
}  // namespace kassavero
