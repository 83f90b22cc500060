#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <tuple>

namespace kassavero {
namespace {

class StrictDecimal
    : public ::testing::TestWithParam<std::tuple<const char*, char, std::optional<double>>> {};

TEST_P(StrictDecimal, Reads) {
    const auto& [text, separator, expected] = GetParam();
    EXPECT_EQ(ParseDecimalStrict(text, separator), expected) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, StrictDecimal,
    ::testing::Values(std::make_tuple("1,95583", ',', 1.95583),
                      std::make_tuple("  -2,5 ", ',', -2.5),
                      std::make_tuple("+7", ',', 7.0), std::make_tuple(",5", ',', 0.5),
                      std::make_tuple("5,", ',', 5.0), std::make_tuple("1,5E3", ',', 1500.0),
                      std::make_tuple("1.5", '.', 1.5),
                      std::make_tuple("1.5", ',', std::nullopt),
                      std::make_tuple("1,5,0", ',', std::nullopt),
                      std::make_tuple("abc", ',', std::nullopt),
                      std::make_tuple("", ',', std::nullopt),
                      std::make_tuple(",", ',', std::nullopt),
                      std::make_tuple("-", ',', std::nullopt),
                      std::make_tuple("1E", ',', std::nullopt),
                      std::make_tuple("inf", '.', std::nullopt),
                      std::make_tuple("nan", '.', std::nullopt),
                      std::make_tuple("1e999", '.', std::nullopt),
                      std::make_tuple("12abc", ',', std::nullopt)));

TEST(NumberText, LenientReadsUnreadableAsZero) {
    EXPECT_EQ(ParseDecimalLenient("abc", ','), 0.0);
    EXPECT_EQ(ParseDecimalLenient("3,25", ','), 3.25);
}

TEST(NumberText, Int32) {
    EXPECT_EQ(ParseInt32("42"), 42);
    EXPECT_EQ(ParseInt32(" -44 "), -44);
    EXPECT_EQ(ParseInt32("+5"), 5);
    EXPECT_EQ(ParseInt32("2147483647"), 2147483647);
    EXPECT_EQ(ParseInt32("2147483648"), std::nullopt);
    EXPECT_EQ(ParseInt32("4.5"), std::nullopt);
    EXPECT_EQ(ParseInt32("+-5"), std::nullopt);
    EXPECT_EQ(ParseInt32(""), std::nullopt);
    EXPECT_EQ(ParseInt32("x"), std::nullopt);
}

TEST(NumberText, ShortestDoubleReadsBackToTheSameValue) {
    EXPECT_EQ(FormatShortestDouble(0.01, ','), "0,01");
    EXPECT_EQ(FormatShortestDouble(1, ','), "1");
    EXPECT_EQ(FormatShortestDouble(0.1 + 0.2, '.'), "0.30000000000000004");
    for (double value : {0.01, 1e-7, 123456.789, 1936.27, 0.1 + 0.2, 1e300, -5e-300}) {
        EXPECT_EQ(ParseDecimalStrict(FormatShortestDouble(value, ','), ','), value) << value;
    }
}

}  // namespace
}  // namespace kassavero
