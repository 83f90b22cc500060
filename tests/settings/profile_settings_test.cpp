// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/profile_settings.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <map>
#include <set>
#include <tuple>

namespace kassavero {
namespace {

const SettingKey& Key(std::u32string_view name) {
    const SettingKey* key = FindProfileKey(name);
    EXPECT_NE(key, nullptr) << TextToUtf8(name);
    return *key;
}

TEST(ProfileKeys, The283KeysAreUniqueAndInStoreOrder) {
    const auto& keys = ProfileKeys();
    ASSERT_EQ(keys.size(), 283u);
    std::set<std::u32string> names;
    for (const auto& key : keys)
        EXPECT_TRUE(names.insert(key.Name).second) << TextToUtf8(key.Name);

    EXPECT_EQ(keys[0].Name, U"CalculatorLineEUR");
    EXPECT_EQ(keys[13].Name, U"CalculatorLineCUS3");
    EXPECT_EQ(keys[14].Name, U"CalculatorColCurrencySymbols");
    EXPECT_EQ(keys[21].Name, U"CalculatorHotkey");
    EXPECT_EQ(keys[22].Name, U"InputAcceptEUR");
    EXPECT_EQ(keys[23].Name, U"InputSymbolsForEUR");
    EXPECT_EQ(keys[50].Name, U"InputDecimalSymbols");
    EXPECT_EQ(keys[63].Name, U"OutputEURCurrencySymbol");
    EXPECT_EQ(keys[63 + 13].Name, U"OutputATSCurrencySymbol");
    EXPECT_EQ(keys[63 + 6].Name, U"OutputEURAmountFirst");
    EXPECT_EQ(keys[245].Name, U"OutputReplace");
    EXPECT_EQ(keys[251].Name, U"WordConfirmChanges");
    EXPECT_EQ(keys[261].Name, U"ExcelPrecision_ConstantCell");
    EXPECT_EQ(keys[265].Name, U"ClipboardSearch");
    EXPECT_EQ(keys[272].Name, U"CustomCurrency1Symbol");
    EXPECT_EQ(keys[280].Name, U"CustomCurrency3Name");
    EXPECT_EQ(keys[281].Name, U"OutputDefaultCurrency");
}

TEST(ProfileKeys, EveryKeyRoundTripsItsOwnText) {
    ProfileSettings original;
    SettingsToDefaults(original, U',', U'.', kDEM);
    original.InputSymbolsFor[kDEM] = {TCurrencySymbol::FromOptionNumber(U"DM", 19)};
    original.Output[kITL].Multiple = 0.1 + 0.2;
    ProfileSettings copy;
    copy.Output[kITL].Multiple = 7;
    for (const auto& key : ProfileKeys()) {
        key.Decode(copy, key.Encode(original, U','), U',');
    }
    for (const auto& key : ProfileKeys()) {
        EXPECT_EQ(key.Encode(copy, U','), key.Encode(original, U',')) << TextToUtf8(key.Name);
    }
    EXPECT_EQ(copy.Output[kITL].Multiple, 0.1 + 0.2);
    EXPECT_EQ(copy.InputSymbolsFor[kDEM], original.InputSymbolsFor[kDEM]);
}

class BoolReading : public ::testing::TestWithParam<std::tuple<const char32_t*, bool>> {};

TEST_P(BoolReading, TrueUnlessZeroOrEmpty) {
    ProfileSettings settings;
    settings.OutputReplace = !std::get<1>(GetParam());
    Key(U"OutputReplace").Decode(settings, std::get<0>(GetParam()), U',');
    EXPECT_EQ(settings.OutputReplace, std::get<1>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    Table, BoolReading,
    ::testing::Values(std::make_tuple(U"1", true), std::make_tuple(U"0", false),
                      std::make_tuple(U"", false), std::make_tuple(U"yes", true),
                      std::make_tuple(U"00", true), std::make_tuple(U" ", true)));

TEST(ProfileKeys, AmountFirstIsStoredNegated) {
    ProfileSettings settings;
    EXPECT_TRUE(settings.Output[kDEM].SymbolBeforeAmount);
    EXPECT_EQ(Key(U"OutputDEMAmountFirst").Encode(settings, U','), U"0");
    Key(U"OutputDEMAmountFirst").Decode(settings, U"1", U',');
    EXPECT_FALSE(settings.Output[kDEM].SymbolBeforeAmount);
}

struct IntCase {
    const char32_t* key;
    const char32_t* text;
    int expected;
};

class IntReading : public ::testing::TestWithParam<IntCase> {};

int ReadBack(const ProfileSettings& s, std::u32string_view key) {
    if (key == U"OutputDEMDecimals")
        return s.Output[kDEM].Decimals;
    if (key == U"OutputITLDecimals")
        return s.Output[kITL].Decimals;
    if (key == U"OutputDEMRoundToSignificantDigits")
        return s.Output[kDEM].SignificantDigits;
    if (key == U"OutputDEMRoundingStrategy")
        return s.Output[kDEM].RoundingStrategy;
    if (key == U"OutputCUS1RoundingStrategy")
        return s.Output[kCUS1].RoundingStrategy;
    if (key == U"OutputDEMRoundingDirection")
        return s.Output[kDEM].RoundingDirection;
    if (key == U"InputCheckForDecimals")
        return s.InputCheckForDecimals;
    if (key == U"CalculatorPrecision")
        return s.CalculatorPrecision;
    if (key == U"OutputEURDecimalSymbol")
        return static_cast<unsigned char>(s.Output[kEUR].DecimalSymbol);
    return -999;
}

TEST_P(IntReading, FallbacksAndRanges) {
    ProfileSettings settings;
    settings.Output[kDEM].RoundingStrategy = 3;
    Key(GetParam().key).Decode(settings, GetParam().text, U',');
    EXPECT_EQ(ReadBack(settings, GetParam().key), GetParam().expected)
        << TextToUtf8(GetParam().key) << " = " << TextToUtf8(GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, IntReading,
                         ::testing::Values(IntCase{U"OutputDEMDecimals", U"abc", 2},
                                           IntCase{U"OutputDEMRoundToSignificantDigits", U"abc", 6},
                                           IntCase{U"OutputDEMRoundingStrategy", U"abc", 0},
                                           IntCase{U"CalculatorPrecision", U"x", 0},
                                           IntCase{U"OutputDEMDecimals", U"-3", -3},
                                           IntCase{U"OutputDEMDecimals", U"40000", 2},
                                           IntCase{U"OutputITLDecimals", U"40000", 0},
                                           IntCase{U"OutputITLDecimals", U"-32768", -32768},
                                           IntCase{U"OutputDEMRoundToSignificantDigits", U"-40000",
                                                   6},
                                           IntCase{U"InputCheckForDecimals", U"99999", 2},
                                           IntCase{U"InputCheckForDecimals", U"99", 99},
                                           IntCase{U"OutputEURDecimalSymbol", U"-44", U','},
                                           IntCase{U"OutputEURDecimalSymbol", U"300", U','},
                                           IntCase{U"OutputEURDecimalSymbol", U"46", U'.'},
                                           IntCase{U"OutputEURDecimalSymbol", U"x", 0}));

// One-byte settings read the whole number first: beyond 0..255 is out of range, not wrapped.
INSTANTIATE_TEST_SUITE_P(OneByte, IntReading,
                         ::testing::Values(IntCase{U"OutputDEMRoundingStrategy", U"256", 1},
                                           IntCase{U"OutputDEMRoundingStrategy", U"-1", 1},
                                           IntCase{U"OutputCUS1RoundingStrategy", U"513", 2},
                                           IntCase{U"OutputDEMRoundingStrategy", U"255", 255},
                                           IntCase{U"OutputDEMRoundingDirection", U"258", 0},
                                           IntCase{U"OutputDEMRoundingDirection", U"-2", 0}));

TEST(ProfileKeys, MultipleIsWrittenAsPlainDecimalAndReadInBothForms) {
    const struct {
        double value;
        char separator;
        const char32_t* text;
    } cases[] = {{0.0001, U',', U"0,0001"},
                 {100000, U',', U"100000"},
                 {1e-7, U'.', U"0.0000001"},
                 {123456789012345680000.0, U',', U"123456789012345680000"}};
    const SettingKey& key = Key(U"OutputDEMRoundToMultipleOf");
    for (const auto& c : cases) {
        ProfileSettings settings;
        settings.Output[kDEM].Multiple = c.value;
        EXPECT_EQ(key.Encode(settings, c.separator), c.text);
        settings.Output[kDEM].Multiple = 0;
        key.Decode(settings, c.text, c.separator);
        EXPECT_EQ(settings.Output[kDEM].Multiple, c.value) << TextToUtf8(c.text);
    }
    ProfileSettings settings;
    key.Decode(settings, U"1E-04", U',');
    EXPECT_EQ(settings.Output[kDEM].Multiple, 0.0001);
}

TEST(ProfileKeys, MultipleReadsShortestTextAndFallsBackToZero) {
    ProfileSettings settings;
    const SettingKey& key = Key(U"OutputDEMRoundToMultipleOf");
    EXPECT_EQ(key.Encode(settings, U','), U"0,01");
    key.Decode(settings, U"0,05", U',');
    EXPECT_EQ(settings.Output[kDEM].Multiple, 0.05);
    key.Decode(settings, U"letters", U',');
    EXPECT_EQ(settings.Output[kDEM].Multiple, 0.0);
}

TEST(ProfileKeys, SeparatorTextsRecomputeTheirSets) {
    ProfileSettings settings;
    Key(U"InputDecimalSymbols").Decode(settings, U". , ;", U',');
    EXPECT_EQ(settings.DecimalSymbolSet, CharSet(U".,;"));
    Key(U"InputThousandSymbols").Decode(settings, U"   ", U',');
    EXPECT_TRUE(settings.ThousandSymbolSet.Empty());
    // Editing the text alone does not change the set.
    settings.InputDecimalSymbols = U"x";
    EXPECT_FALSE(settings.DecimalSymbolSet.Contains(U'x'));
}

TEST(ProfileKeys, ChoicesOfThreeKeepOneOption) {
    ProfileSettings s;
    Key(U"InputThousandsAlways").Decode(s, U"1", U',');
    Key(U"InputThousandsSometimes").Decode(s, U"0", U',');
    EXPECT_TRUE(s.InputThousandsAlways);
    EXPECT_FALSE(s.InputThousandsSometimes);
    Key(U"InputThousandsAlways").Decode(s, U"0", U',');
    EXPECT_FALSE(s.InputThousandsAlways || s.InputThousandsSometimes);  // never

    Key(U"WordChangesBold").Decode(s, U"1", U',');
    Key(U"WordChangesItalics").Decode(s, U"0", U',');
    Key(U"WordChangesUnderlined").Decode(s, U"0", U',');
    EXPECT_TRUE(s.WordChangesBold);
    EXPECT_FALSE(s.WordChangesUnderlined);
}

TEST(ProfileKeys, ListsAreStoredInBrackets) {
    ProfileSettings s;
    EXPECT_EQ(Key(U"InputSymbolsForDEM").Encode(s, U','), U"()");
    Key(U"InputSymbolsForDEM").Decode(s, U"(\"DM,A19\",\"Deutsche Mark,A3\")", U',');
    ASSERT_EQ(s.InputSymbolsFor[kDEM].size(), 2u);
    EXPECT_EQ(s.InputSymbolsFor[kDEM][1].Symbol, U"Deutsche Mark");
    Key(U"InputSymbolsForDEM").Decode(s, U"", U',');
    EXPECT_TRUE(s.InputSymbolsFor[kDEM].empty());
}

TEST(ProfileSettings, DefaultsOfANewProfile) {
    ProfileSettings s;
    SettingsToDefaults(s, U',', U'.', kDEM);
    EXPECT_EQ(s.InputDecimalSymbols, U". , ");
    EXPECT_EQ(s.InputDefaultCurrency, kDEM);
    EXPECT_EQ(s.InputCheckForDecimals, 2);
    EXPECT_EQ(s.Output[kEUR].Symbol, U"\u20AC");
    EXPECT_EQ(s.Output[kDEM].Symbol, U"DEM");
    EXPECT_EQ(s.Output[kITL].Decimals, 0);
    EXPECT_EQ(s.Output[kITL].Multiple, 1.0);
    EXPECT_EQ(s.Output[kCUS2].RoundingStrategy, 2);
    EXPECT_EQ(s.Output[kCUS2].Symbol, U"");
    EXPECT_EQ(s.Output[kATS].RoundingStrategy, 1);
    EXPECT_EQ(s.Output[kATS].DecimalSymbol, U',');
    EXPECT_EQ(s.Output[kATS].ThousandSymbol, U'.');
    EXPECT_EQ(s.CalculatorLineSet(), 0x07FF);
    EXPECT_EQ(s.CalculatorHotkey, 49239);
    EXPECT_EQ(s.ClipboardHotkey, 49242);

    ProfileSettings swiss;
    swiss.CustomCurrencySymbol[0] = U"CHF";
    SettingsToDefaults(swiss, U'.', U'\'', kNoCurrency);
    EXPECT_EQ(swiss.InputDefaultCurrency, -1);
    EXPECT_EQ(swiss.InputCheckForDecimals, 0);
    EXPECT_EQ(swiss.InputThousandSymbols, U". , '");
    EXPECT_EQ(swiss.Output[kCUS1].Symbol, U"CHF");
}

TEST(ProfileSettings, CurrencyNamePerLanguage) {
    ProfileSettings s;
    s.CustomCurrencyName[1] = U"Franken";
    EXPECT_EQ(CurrencyName(s, kDEM, 0), U"deutsche Mark");
    EXPECT_EQ(CurrencyName(s, kDEM, 3), U"Duitse mark");
    EXPECT_EQ(CurrencyName(s, kDEM, 1), U"German Marks");
    EXPECT_EQ(CurrencyName(s, kDEM, 7), U"German Marks");
    EXPECT_EQ(CurrencyName(s, kCUS2, 0), U"Franken");
    EXPECT_EQ(CurrencyName(s, kCUS2, 3), U"Franken");
    EXPECT_EQ(CurrencyName(s, kNoCurrency, 0), U"");
}

TEST(ProfileSettings, CurrencyByCode) {
    ProfileSettings s;
    s.CustomCurrencySymbol[0] = U"CHF";
    EXPECT_EQ(CurrencyByCode(s, U"DEM"), kDEM);
    EXPECT_EQ(CurrencyByCode(s, U"dem"), kNoCurrency);
    EXPECT_EQ(CurrencyByCode(s, U"CHF"), kCUS1);
    EXPECT_EQ(CurrencyByCode(s, U"CUS1"), kCUS1);
    EXPECT_EQ(CurrencyByCode(s, U"CUS3"), kCUS3);
    // An undefined custom currency has the empty code.
    EXPECT_EQ(CurrencyByCode(s, U""), kCUS2);
    EXPECT_EQ(DisplayCurrencyCode(s, kCUS1), U"CHF");
    EXPECT_EQ(DisplayCurrencyCode(s, kCUS3), U"");
}

}  // namespace
}  // namespace kassavero
