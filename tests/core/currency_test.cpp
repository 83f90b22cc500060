// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/currency.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <array>
#include <string>
#include <tuple>

namespace kassavero {
namespace {

// The live custom rates, as the profile holds them.
struct Rates final : CustomRates {
    std::array<std::u32string, 3> text;
    const std::u32string& CustomRate(int index) const override {
        return text[static_cast<std::size_t>(index)];
    }
};

TEST(Currency, HundredMarksToFrancsMatchesTheDoubleOfEachStep) {
    Rates profile;
    CurrencyTable table(profile, U',', kDEM);
    EXPECT_EQ(*table.ToEuro(100, kDEM), 51.12918811962185);
    EXPECT_EQ(*table.ConvertAmount(100, kDEM, kFRF), 335.3854885138279);
}

TEST(Currency, EuroToLireAndBack) {
    Rates profile;
    CurrencyTable table(profile, U',', kDEM);
    EXPECT_EQ(*table.ConvertAmount(1, kEUR, kITL), 1936.27);
    EXPECT_DOUBLE_EQ(*table.ConvertAmount(1936.27, kITL, kEUR), 1.0);
}

TEST(Currency, CustomRateIsReadAnewOnEveryUse) {
    Rates profile;
    CurrencyTable table(profile, U',', kDEM);
    auto& rate = profile.text[0];

    rate = U"abc";
    EXPECT_EQ(table.CurrencyRate(kCUS1), 0.0);
    EXPECT_FALSE(table.ConvertAmount(10, kCUS1, kEUR).has_value());
    EXPECT_EQ(*table.ConvertAmount(10, kEUR, kCUS1), 0.0);

    rate = U"2,5";
    EXPECT_EQ(*table.ConvertAmount(10, kCUS1, kEUR), 4.0);
    rate = U"";
    EXPECT_FALSE(table.ConvertAmount(10, kCUS1, kEUR).has_value());
}

TEST(Currency, NoCurrencyOnEitherSideGivesNoResult) {
    Rates profile;
    CurrencyTable table(profile, U',', kDEM);
    EXPECT_FALSE(table.ConvertAmount(1, kNoCurrency, kEUR).has_value());
    EXPECT_FALSE(table.ConvertAmount(1, kEUR, kNoCurrency).has_value());
    EXPECT_FALSE(table.ConvertAmount(1, 200, kEUR).has_value());
}

TEST(Currency, TableRows) {
    EXPECT_EQ(CurrencyCode(13), U"CUS3");
    EXPECT_EQ(CurrencyCode(14), U"UNDEF");
    EXPECT_EQ(CurrencyCode(255), U"UNDEF");
    EXPECT_EQ(FixedCurrencyRate(kPTE), 200.482);
    EXPECT_EQ(FixedCurrencyRate(kCUS2), 0.0);
    EXPECT_EQ(FixedCurrencyRate(kNoCurrency), 0.0);
    EXPECT_EQ(DefaultDecimals(kBEF), 0);
    EXPECT_EQ(DefaultDecimals(kESP), 0);
    EXPECT_EQ(DefaultDecimals(kITL), 0);
    EXPECT_EQ(DefaultDecimals(kCUS1), 2);
    EXPECT_EQ(DefaultDecimals(kNoCurrency), 2);
    EXPECT_EQ(SmallestCoin(kITL), 50.0);
    EXPECT_EQ(SmallestTransferUnit(kPTE), 0.1);
    EXPECT_EQ(SmallestCoin(kNoCurrency), 0.01);
}

TEST(Currency, ListPositions) {
    EXPECT_EQ(ListPositionToIndex(-1), kNoCurrency);
    EXPECT_EQ(ListPositionToIndex(0), kEUR);
    EXPECT_EQ(ListPositionToIndex(13), kCUS3);
    EXPECT_EQ(ListPositionToIndex(14), kNoCurrency);
    EXPECT_EQ(IndexToListPosition(kNoCurrency), -1);
    EXPECT_EQ(IndexToListPosition(kCUS1), 11);
}

class HomeCurrencyTest : public ::testing::TestWithParam<std::tuple<std::uint16_t, CurrencyIndex>> {
};

TEST_P(HomeCurrencyTest, FromLanguageIdentifier) {
    EXPECT_EQ(HomeCurrencyForLanguage(std::get<0>(GetParam())), std::get<1>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Countries, HomeCurrencyTest,
                         ::testing::Values(std::make_tuple(0x0407, kDEM),           // de_DE
                                           std::make_tuple(0x0C07, kATS),           // de_AT
                                           std::make_tuple(0x1007, kBEF),           // de_LU
                                           std::make_tuple(0x0807, kNoCurrency),    // de_CH
                                           std::make_tuple(0x1407, kNoCurrency),    // de_LI
                                           std::make_tuple(0x080C, kBEF),           // fr_BE
                                           std::make_tuple(0x140C, kBEF),           // fr_LU
                                           std::make_tuple(0x0C0C, kNoCurrency),    // fr_CA
                                           std::make_tuple(0x100C, kNoCurrency),    // fr_CH
                                           std::make_tuple(0x040C, kFRF),           // fr_FR
                                           std::make_tuple(0x1809, kIEP),           // en_IE
                                           std::make_tuple(0x0809, kNoCurrency),    // en_GB
                                           std::make_tuple(0x081D, kFIM),           // sv_FI
                                           std::make_tuple(0x041D, kNoCurrency),    // sv_SE
                                           std::make_tuple(0x040B, kFIM),           // fi_FI
                                           std::make_tuple(0x0410, kITL),           // it_IT
                                           std::make_tuple(0x0810, kNoCurrency),    // it_CH
                                           std::make_tuple(0x0813, kBEF),           // nl_BE
                                           std::make_tuple(0x0413, kNLG),           // nl_NL
                                           std::make_tuple(0x0816, kPTE),           // pt_PT
                                           std::make_tuple(0x0403, kESP),           // ca_ES
                                           std::make_tuple(0x042D, kESP),           // eu_ES
                                           std::make_tuple(0x0C0A, kESP),           // es_ES
                                           std::make_tuple(0x046E, kBEF),           // lb_LU
                                           std::make_tuple(0x0411, kNoCurrency)));  // ja_JP

}  // namespace
}  // namespace kassavero
