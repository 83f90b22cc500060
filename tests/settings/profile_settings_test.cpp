// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/profile_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

namespace kassavero {
namespace {

const SettingKey& Key(std::string_view name) {
    const SettingKey* key = FindProfileKey(name);
    EXPECT_NE(key, nullptr) << name;
    return *key;
}

TEST(ProfileKeys, The283KeysAreUniqueAndInStoreOrder) {
    const auto& keys = ProfileKeys();
    ASSERT_EQ(keys.size(), 283u);
    std::set<std::string> names;
    for (const auto& key : keys)
        EXPECT_TRUE(names.insert(key.Name).second) << key.Name;

    EXPECT_EQ(keys[0].Name, "CalculatorLineEUR");
    EXPECT_EQ(keys[13].Name, "CalculatorLineCUS3");
    EXPECT_EQ(keys[14].Name, "CalculatorColCurrencySymbols");
    EXPECT_EQ(keys[21].Name, "CalculatorHotkey");
    EXPECT_EQ(keys[22].Name, "InputAcceptEUR");
    EXPECT_EQ(keys[23].Name, "InputSymbolsForEUR");
    EXPECT_EQ(keys[50].Name, "InputDecimalSymbols");
    EXPECT_EQ(keys[63].Name, "OutputEURCurrencySymbol");
    EXPECT_EQ(keys[63 + 13].Name, "OutputATSCurrencySymbol");
    EXPECT_EQ(keys[63 + 6].Name, "OutputEURAmountFirst");
    EXPECT_EQ(keys[245].Name, "OutputReplace");
    EXPECT_EQ(keys[251].Name, "WordConfirmChanges");
    EXPECT_EQ(keys[261].Name, "ExcelPrecision_ConstantCell");
    EXPECT_EQ(keys[265].Name, "ClipboardSearch");
    EXPECT_EQ(keys[272].Name, "CustomCurrency1Symbol");
    EXPECT_EQ(keys[280].Name, "CustomCurrency3Name");
    EXPECT_EQ(keys[281].Name, "OutputDefaultCurrency");
}

TEST(ProfileKeys, EveryKeyRoundTripsItsOwnText) {
    ProfileSettings original;
    SettingsToDefaults(original, ',', '.', kDEM);
    original.InputSymbolsFor[kDEM] = {TCurrencySymbol::FromOptionNumber("DM", 19)};
    original.Output[kITL].Multiple = 0.1 + 0.2;
    ProfileSettings copy;
    copy.Output[kITL].Multiple = 7;
    for (const auto& key : ProfileKeys()) {
        key.Decode(copy, key.Encode(original, ','), ',');
    }
    for (const auto& key : ProfileKeys()) {
        EXPECT_EQ(key.Encode(copy, ','), key.Encode(original, ',')) << key.Name;
    }
    EXPECT_EQ(copy.Output[kITL].Multiple, 0.1 + 0.2);
    EXPECT_EQ(copy.InputSymbolsFor[kDEM], original.InputSymbolsFor[kDEM]);
}

class BoolReading : public ::testing::TestWithParam<std::tuple<const char*, bool>> {};

TEST_P(BoolReading, TrueUnlessZeroOrEmpty) {
    ProfileSettings settings;
    settings.OutputReplace = !std::get<1>(GetParam());
    Key("OutputReplace").Decode(settings, std::get<0>(GetParam()), ',');
    EXPECT_EQ(settings.OutputReplace, std::get<1>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Table, BoolReading,
                         ::testing::Values(std::make_tuple("1", true), std::make_tuple("0", false),
                                           std::make_tuple("", false), std::make_tuple("yes", true),
                                           std::make_tuple("00", true),
                                           std::make_tuple(" ", true)));

TEST(ProfileKeys, AmountFirstIsStoredNegated) {
    ProfileSettings settings;
    EXPECT_TRUE(settings.Output[kDEM].SymbolBeforeAmount);
    EXPECT_EQ(Key("OutputDEMAmountFirst").Encode(settings, ','), "0");
    Key("OutputDEMAmountFirst").Decode(settings, "1", ',');
    EXPECT_FALSE(settings.Output[kDEM].SymbolBeforeAmount);
}

struct IntCase {
    const char* key;
    const char* text;
    int expected;
};

class IntReading : public ::testing::TestWithParam<IntCase> {};

int ReadBack(const ProfileSettings& s, std::string_view key) {
    if (key == "OutputDEMDecimals")
        return s.Output[kDEM].Decimals;
    if (key == "OutputITLDecimals")
        return s.Output[kITL].Decimals;
    if (key == "OutputDEMRoundToSignificantDigits")
        return s.Output[kDEM].SignificantDigits;
    if (key == "OutputDEMRoundingStrategy")
        return s.Output[kDEM].RoundingStrategy;
    if (key == "OutputCUS1RoundingStrategy")
        return s.Output[kCUS1].RoundingStrategy;
    if (key == "OutputDEMRoundingDirection")
        return s.Output[kDEM].RoundingDirection;
    if (key == "InputCheckForDecimals")
        return s.InputCheckForDecimals;
    if (key == "CalculatorPrecision")
        return s.CalculatorPrecision;
    if (key == "OutputEURDecimalSymbol")
        return static_cast<unsigned char>(s.Output[kEUR].DecimalSymbol);
    return -999;
}

TEST_P(IntReading, FallbacksAndRanges) {
    ProfileSettings settings;
    settings.Output[kDEM].RoundingStrategy = 3;
    Key(GetParam().key).Decode(settings, GetParam().text, ',');
    EXPECT_EQ(ReadBack(settings, GetParam().key), GetParam().expected)
        << GetParam().key << " = " << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, IntReading,
    ::testing::Values(
        IntCase{"OutputDEMDecimals", "abc", 2},
        IntCase{"OutputDEMRoundToSignificantDigits", "abc", 6},
        IntCase{"OutputDEMRoundingStrategy", "abc", 0}, IntCase{"CalculatorPrecision", "x", 0},
        IntCase{"OutputDEMDecimals", "-3", -3}, IntCase{"OutputDEMDecimals", "40000", 2},
        IntCase{"OutputITLDecimals", "40000", 0}, IntCase{"OutputITLDecimals", "-32768", -32768},
        IntCase{"OutputDEMRoundToSignificantDigits", "-40000", 6},
        IntCase{"InputCheckForDecimals", "99999", 2}, IntCase{"InputCheckForDecimals", "99", 99},
        IntCase{"OutputEURDecimalSymbol", "-44", ','},
        IntCase{"OutputEURDecimalSymbol", "300", ','}, IntCase{"OutputEURDecimalSymbol", "46", '.'},
        IntCase{"OutputEURDecimalSymbol", "x", 0}));

// One-byte settings read the whole number first: beyond 0..255 is out of range, not wrapped.
INSTANTIATE_TEST_SUITE_P(OneByte, IntReading,
                         ::testing::Values(IntCase{"OutputDEMRoundingStrategy", "256", 1},
                                           IntCase{"OutputDEMRoundingStrategy", "-1", 1},
                                           IntCase{"OutputCUS1RoundingStrategy", "513", 2},
                                           IntCase{"OutputDEMRoundingStrategy", "255", 255},
                                           IntCase{"OutputDEMRoundingDirection", "258", 0},
                                           IntCase{"OutputDEMRoundingDirection", "-2", 0}));

TEST(ProfileKeys, MultipleIsWrittenAsPlainDecimalAndReadInBothForms) {
    const struct {
        double value;
        char separator;
        const char* text;
    } cases[] = {{0.0001, ',', "0,0001"},
                 {100000, ',', "100000"},
                 {1e-7, '.', "0.0000001"},
                 {123456789012345680000.0, ',', "123456789012345680000"}};
    const SettingKey& key = Key("OutputDEMRoundToMultipleOf");
    for (const auto& c : cases) {
        ProfileSettings settings;
        settings.Output[kDEM].Multiple = c.value;
        EXPECT_EQ(key.Encode(settings, c.separator), c.text);
        settings.Output[kDEM].Multiple = 0;
        key.Decode(settings, c.text, c.separator);
        EXPECT_EQ(settings.Output[kDEM].Multiple, c.value) << c.text;
    }
    ProfileSettings settings;
    key.Decode(settings, "1E-04", ',');
    EXPECT_EQ(settings.Output[kDEM].Multiple, 0.0001);
}

TEST(ProfileKeys, MultipleReadsShortestTextAndFallsBackToZero) {
    ProfileSettings settings;
    const SettingKey& key = Key("OutputDEMRoundToMultipleOf");
    EXPECT_EQ(key.Encode(settings, ','), "0,01");
    key.Decode(settings, "0,05", ',');
    EXPECT_EQ(settings.Output[kDEM].Multiple, 0.05);
    key.Decode(settings, "letters", ',');
    EXPECT_EQ(settings.Output[kDEM].Multiple, 0.0);
}

TEST(ProfileKeys, SeparatorTextsRecomputeTheirSets) {
    ProfileSettings settings;
    Key("InputDecimalSymbols").Decode(settings, ". , ;", ',');
    EXPECT_EQ(settings.DecimalSymbolSet.count(), 3u);
    EXPECT_TRUE(settings.DecimalSymbolSet.test('.'));
    EXPECT_TRUE(settings.DecimalSymbolSet.test(','));
    EXPECT_TRUE(settings.DecimalSymbolSet.test(';'));
    Key("InputThousandSymbols").Decode(settings, "   ", ',');
    EXPECT_TRUE(settings.ThousandSymbolSet.none());
    // Editing the text alone does not change the set.
    settings.InputDecimalSymbols = "x";
    EXPECT_FALSE(settings.DecimalSymbolSet.test('x'));
}

TEST(ProfileKeys, ChoicesOfThreeKeepOneOption) {
    ProfileSettings s;
    Key("InputThousandsAlways").Decode(s, "1", ',');
    Key("InputThousandsSometimes").Decode(s, "0", ',');
    EXPECT_TRUE(s.InputThousandsAlways);
    EXPECT_FALSE(s.InputThousandsSometimes);
    Key("InputThousandsAlways").Decode(s, "0", ',');
    EXPECT_FALSE(s.InputThousandsAlways || s.InputThousandsSometimes);  // never

    Key("WordChangesBold").Decode(s, "1", ',');
    Key("WordChangesItalics").Decode(s, "0", ',');
    Key("WordChangesUnderlined").Decode(s, "0", ',');
    EXPECT_TRUE(s.WordChangesBold);
    EXPECT_FALSE(s.WordChangesUnderlined);
}

TEST(ProfileKeys, ListsAreStoredInBrackets) {
    ProfileSettings s;
    EXPECT_EQ(Key("InputSymbolsForDEM").Encode(s, ','), "()");
    Key("InputSymbolsForDEM").Decode(s, "(\"DM,A19\",\"Deutsche Mark,A3\")", ',');
    ASSERT_EQ(s.InputSymbolsFor[kDEM].size(), 2u);
    EXPECT_EQ(s.InputSymbolsFor[kDEM][1].Symbol, "Deutsche Mark");
    Key("InputSymbolsForDEM").Decode(s, "", ',');
    EXPECT_TRUE(s.InputSymbolsFor[kDEM].empty());
}

TEST(ProfileSettings, DefaultsOfANewProfile) {
    ProfileSettings s;
    SettingsToDefaults(s, ',', '.', kDEM);
    EXPECT_EQ(s.InputDecimalSymbols, ". , ");
    EXPECT_EQ(s.InputDefaultCurrency, kDEM);
    EXPECT_EQ(s.InputCheckForDecimals, 2);
    EXPECT_EQ(s.Output[kEUR].Symbol, "\x80");
    EXPECT_EQ(s.Output[kDEM].Symbol, "DEM");
    EXPECT_EQ(s.Output[kITL].Decimals, 0);
    EXPECT_EQ(s.Output[kITL].Multiple, 1.0);
    EXPECT_EQ(s.Output[kCUS2].RoundingStrategy, 2);
    EXPECT_EQ(s.Output[kCUS2].Symbol, "");
    EXPECT_EQ(s.Output[kATS].RoundingStrategy, 1);
    EXPECT_EQ(s.Output[kATS].DecimalSymbol, ',');
    EXPECT_EQ(s.Output[kATS].ThousandSymbol, '.');
    EXPECT_EQ(s.CalculatorLineSet(), 0x07FF);
    EXPECT_EQ(s.CalculatorHotkey, 49239);
    EXPECT_EQ(s.ClipboardHotkey, 49242);

    ProfileSettings swiss;
    swiss.CustomCurrencySymbol[0] = "CHF";
    SettingsToDefaults(swiss, '.', '\'', kNoCurrency);
    EXPECT_EQ(swiss.InputDefaultCurrency, -1);
    EXPECT_EQ(swiss.InputCheckForDecimals, 0);
    EXPECT_EQ(swiss.InputThousandSymbols, ". , '");
    EXPECT_EQ(swiss.Output[kCUS1].Symbol, "CHF");
}

TEST(ProfileSettings, CurrencyNamePerLanguage) {
    ProfileSettings s;
    s.CustomCurrencyName[1] = "Franken";
    EXPECT_EQ(CurrencyName(s, kDEM, 0), "deutsche Mark");
    EXPECT_EQ(CurrencyName(s, kDEM, 3), "Duitse mark");
    EXPECT_EQ(CurrencyName(s, kDEM, 1), "German Marks");
    EXPECT_EQ(CurrencyName(s, kDEM, 7), "German Marks");
    EXPECT_EQ(CurrencyName(s, kCUS2, 0), "Franken");
    EXPECT_EQ(CurrencyName(s, kCUS2, 3), "Franken");
    EXPECT_EQ(CurrencyName(s, kNoCurrency, 0), "");
}

TEST(ProfileSettings, CurrencyByCode) {
    ProfileSettings s;
    s.CustomCurrencySymbol[0] = "CHF";
    EXPECT_EQ(CurrencyByCode(s, "DEM"), kDEM);
    EXPECT_EQ(CurrencyByCode(s, "dem"), kNoCurrency);
    EXPECT_EQ(CurrencyByCode(s, "CHF"), kCUS1);
    EXPECT_EQ(CurrencyByCode(s, "CUS1"), kCUS1);
    EXPECT_EQ(CurrencyByCode(s, "CUS3"), kCUS3);
    // An undefined custom currency has the empty code.
    EXPECT_EQ(CurrencyByCode(s, ""), kCUS2);
    EXPECT_EQ(DisplayCurrencyCode(s, kCUS1), "CHF");
    EXPECT_EQ(DisplayCurrencyCode(s, kCUS3), "");
}

}  // namespace
}  // namespace kassavero
