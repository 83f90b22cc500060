// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/number_text.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <tuple>

namespace kassavero {
namespace {

class StrictDecimal : public ::testing::TestWithParam<
                          std::tuple<const char32_t*, char32_t, std::optional<double>>> {};

TEST_P(StrictDecimal, Reads) {
    const auto& [text, separator, expected] = GetParam();
    EXPECT_EQ(ParseDecimalStrict(text, separator), expected) << TextToUtf8(text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StrictDecimal,
    ::testing::Values(
        std::make_tuple(U"1,95583", U',', 1.95583), std::make_tuple(U"  -2,5 ", U',', -2.5),
        std::make_tuple(U"+7", U',', 7.0), std::make_tuple(U",5", U',', 0.5),
        std::make_tuple(U"5,", U',', 5.0), std::make_tuple(U"1,5E3", U',', 1500.0),
        std::make_tuple(U"1.5", U'.', 1.5), std::make_tuple(U"1.5", U',', std::nullopt),
        std::make_tuple(U"1,5,0", U',', std::nullopt), std::make_tuple(U"abc", U',', std::nullopt),
        std::make_tuple(U"", U',', std::nullopt), std::make_tuple(U",", U',', std::nullopt),
        std::make_tuple(U"-", U',', std::nullopt), std::make_tuple(U"1E", U',', std::nullopt),
        std::make_tuple(U"inf", U'.', std::nullopt), std::make_tuple(U"nan", U'.', std::nullopt),
        std::make_tuple(U"1e999", U'.', std::nullopt),
        std::make_tuple(U"12abc", U',', std::nullopt)));

// A stored number reads the same on a desktop with either decimal separator.
TEST(NumberText, StoredNumbersReadWithEitherSeparator) {
    EXPECT_EQ(ParseStoredDecimal(U"340,750", U'.'), 340.75);
    EXPECT_EQ(ParseStoredDecimal(U"340.750", U','), 340.75);
    EXPECT_EQ(ParseStoredDecimal(U"0,01", U','), 0.01);
    EXPECT_EQ(ParseStoredDecimal(U"1.955,83", U','), std::nullopt);
}

TEST(NumberText, LenientReadsUnreadableAsZero) {
    EXPECT_EQ(ParseDecimalLenient(U"abc", U','), 0.0);
    EXPECT_EQ(ParseDecimalLenient(U"3,25", U','), 3.25);
}

TEST(NumberText, Int32) {
    EXPECT_EQ(ParseInt32(U"42"), 42);
    EXPECT_EQ(ParseInt32(U" -44 "), -44);
    EXPECT_EQ(ParseInt32(U"+5"), 5);
    EXPECT_EQ(ParseInt32(U"2147483647"), 2147483647);
    EXPECT_EQ(ParseInt32(U"2147483648"), std::nullopt);
    EXPECT_EQ(ParseInt32(U"4.5"), std::nullopt);
    EXPECT_EQ(ParseInt32(U"+-5"), std::nullopt);
    EXPECT_EQ(ParseInt32(U""), std::nullopt);
    EXPECT_EQ(ParseInt32(U"x"), std::nullopt);
}

TEST(NumberText, ShortestDoubleReadsBackToTheSameValue) {
    EXPECT_EQ(FormatShortestDouble(0.01, U','), U"0,01");
    EXPECT_EQ(FormatShortestDouble(1, U','), U"1");
    EXPECT_EQ(FormatShortestDouble(0.1 + 0.2, U'.'), U"0.30000000000000004");
    for (double value : {0.01, 1e-7, 123456.789, 1936.27, 0.1 + 0.2, 1e300, -5e-300}) {
        EXPECT_EQ(ParseDecimalStrict(FormatShortestDouble(value, U','), U','), value) << value;
    }
}

class GeneralNumber
    : public ::testing::TestWithParam<std::tuple<double, char32_t, const char32_t*>> {};

TEST_P(GeneralNumber, Writes) {
    const auto& [value, separator, expected] = GetParam();
    EXPECT_EQ(FormatGeneralNumber(value, separator), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GeneralNumber,
    ::testing::Values(
        std::make_tuple(12.5, U',', U"12,5"), std::make_tuple(13.7603, U',', U"13,7603"),
        std::make_tuple(1936.27, U',', U"1936,27"), std::make_tuple(1.0, U',', U"1"),
        std::make_tuple(0.0, U',', U"0"), std::make_tuple(-0.0, U',', U"0"),
        std::make_tuple(-2.5, U'.', U"-2.5"), std::make_tuple(0.1 + 0.2, U',', U"0,3"),
        std::make_tuple(1234567.125, U',', U"1234567,125"),
        std::make_tuple(1 / 3.0, U',', U"0,333333333333333"),
        std::make_tuple(2 / 3.0, U',', U"0,666666666666667"),
        std::make_tuple(1e15, U',', U"1000000000000000"),
        std::make_tuple(1234567890123456.0, U',', U"1234567890123460"),
        std::make_tuple(9999999999999998.0, U',', U"1E+16"), std::make_tuple(1e16, U',', U"1E+16"),
        std::make_tuple(-1.5e16, U',', U"-1,5E+16"),
        std::make_tuple(123456789012345678.0, U',', U"1,23456789012346E+17"),
        std::make_tuple(1e300, U'.', U"1E+300"), std::make_tuple(0.00001, U',', U"0,00001"),
        std::make_tuple(0.000012345, U',', U"0,000012345"),
        std::make_tuple(0.0000099999999999999996, U',', U"0,00001"),
        std::make_tuple(0.000001, U',', U"1E-06"), std::make_tuple(-0.0000015, U',', U"-1,5E-06"),
        std::make_tuple(std::numeric_limits<double>::infinity(), U',', U"INF"),
        std::make_tuple(-std::numeric_limits<double>::infinity(), U',', U"-INF"),
        std::make_tuple(std::numeric_limits<double>::quiet_NaN(), U',', U"NAN")));

TEST(NumberText, GeneralNumberReadsBackWithinFifteenDigits) {
    for (double value : {12.5, -1e-7, 1.5e16, 123456.789, 0.1 + 0.2, 1e-300, 1.7e308}) {
        const auto back = ParseDecimalStrict(FormatGeneralNumber(value, U','), U',');
        ASSERT_TRUE(back.has_value()) << value;
        EXPECT_NEAR(*back, value, std::fabs(value) * 1e-14) << value;
    }
}

std::u32string DigitsOf(const FifteenDigits& d) {
    return std::u32string(d.Digits.begin(), d.Digits.end());
}

TEST(NumberText, FifteenDigitsRoundTrueHalvesAwayFromZero) {
    // Exact in binary, a true half at the sixteenth digit: up, whatever the digit before.
    auto d = RoundToFifteenDigits(123456789012344.5);
    EXPECT_EQ(DigitsOf(d), U"123456789012345");
    EXPECT_EQ(d.Exponent, 14);
    d = RoundToFifteenDigits(123456789012345.5);
    EXPECT_EQ(DigitsOf(d), U"123456789012346");
    d = RoundToFifteenDigits(12345678901234450.0);  // a whole number, exact as a double
    EXPECT_EQ(DigitsOf(d), U"123456789012345");
    EXPECT_EQ(d.Exponent, 16);
    d = RoundToFifteenDigits(999999999999999.5);
    EXPECT_EQ(DigitsOf(d), U"100000000000000");
    EXPECT_EQ(d.Exponent, 15);
    // An exact sixteenth digit 4 stays down.
    d = RoundToFifteenDigits(1234567890123424.0);
    EXPECT_EQ(DigitsOf(d), U"123456789012342");
    EXPECT_EQ(d.Exponent, 15);
}

TEST(NumberText, FifteenDigitsOfOrdinaryValues) {
    auto d = RoundToFifteenDigits(0);
    EXPECT_EQ(DigitsOf(d), U"000000000000000");
    EXPECT_EQ(d.Exponent, 0);
    d = RoundToFifteenDigits(2.345);
    EXPECT_EQ(DigitsOf(d), U"234500000000000");
    EXPECT_EQ(d.Exponent, 0);
    d = RoundToFifteenDigits(0.1 + 0.2);
    EXPECT_EQ(DigitsOf(d), U"300000000000000");
    EXPECT_EQ(d.Exponent, -1);
    d = RoundToFifteenDigits(0.5);
    EXPECT_EQ(DigitsOf(d), U"500000000000000");
    EXPECT_EQ(d.Exponent, -1);
    d = RoundToFifteenDigits(1e20);
    EXPECT_EQ(DigitsOf(d), U"100000000000000");
    EXPECT_EQ(d.Exponent, 20);
    d = RoundToFifteenDigits(1e-320);  // subnormal: 2024 * 2^-1074 = 9.9998886718268301E-321
    EXPECT_EQ(DigitsOf(d), U"999988867182683");
    EXPECT_EQ(d.Exponent, -321);
    d = RoundToFifteenDigits(std::numeric_limits<double>::max());
    EXPECT_EQ(DigitsOf(d), U"179769313486232");
    EXPECT_EQ(d.Exponent, 308);
}

TEST(NumberText, ScientificForm) {
    std::u32string out;
    AppendScientific(out, RoundToFifteenDigits(1234567890123456.0), U',');
    EXPECT_EQ(out, U"1,23456789012346E+15");
    out.clear();
    AppendScientific(out, RoundToFifteenDigits(1e-6), U'.');
    EXPECT_EQ(out, U"1E-06");
    out.clear();
    AppendScientific(out, RoundToFifteenDigits(2.5e-300), U'.');
    EXPECT_EQ(out, U"2.5E-300");
    // The shortest text writes its exponent the same way.
    EXPECT_EQ(FormatShortestDouble(1e-6, U','), U"1E-06");
}

}  // namespace
}  // namespace kassavero
