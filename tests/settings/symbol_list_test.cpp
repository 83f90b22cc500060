// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/symbol_list.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/unicode_text.h"

#include "settings/profile_settings.h"

namespace kassavero {
namespace {

std::vector<std::u32string> Symbols(const SymbolList& list) {
    std::vector<std::u32string> out;
    for (const auto& entry : list)
        out.push_back(entry.Symbol);
    return out;
}

TEST(SymbolListText, TwoEntriesRoundTrip) {
    const SymbolList list = {TCurrencySymbol::FromOptionNumber(U"DM", 19),
                             TCurrencySymbol::FromOptionNumber(U"Deutsche Mark", 3)};
    EXPECT_EQ(SymbolListToText(list), U"\"DM,A19\",\"Deutsche Mark,A3\"");
    SymbolList read = {TCurrencySymbol{}};
    TextToSymbolList(SymbolListToText(list), read);
    EXPECT_EQ(read, list);
}

TEST(SymbolListText, SymbolWithACommaOrAQuote) {
    const SymbolList list = {TCurrencySymbol::FromOptionNumber(U"a,b", 83),
                             TCurrencySymbol::FromOptionNumber(U"x\"y", 83)};
    EXPECT_EQ(SymbolListToText(list), U"\"a,b,A83\",\"x\"\"y,A83\"");
    SymbolList read;
    TextToSymbolList(SymbolListToText(list), read);
    EXPECT_EQ(read, list);
}

TEST(SymbolListText, OptionBits) {
    const TCurrencySymbol a35 = TCurrencySymbol::FromOptionNumber(U"x", 35);
    EXPECT_TRUE(a35.AfterAmount);
    EXPECT_TRUE(a35.BeforeAmount);
    EXPECT_FALSE(a35.AsDecimalSeparator);
    EXPECT_FALSE(a35.CaseSensitive);
    EXPECT_FALSE(a35.SpaceOptional);
    EXPECT_EQ(a35.AbbreviationDot, AbbreviationDot::Always);
    EXPECT_EQ(TCurrencySymbol{}.OptionNumber(), 83);
    for (int options = 0; options < 128; ++options) {
        const int dot = options & 96;
        const int canonical = dot == 96 ? options & ~64 : options;  // "always" wins
        EXPECT_EQ(TCurrencySymbol::FromOptionNumber(U"s", options).OptionNumber(), canonical);
    }
}

TEST(SymbolListText, BrokenItemsAreSkippedAndTheRestRead) {
    SymbolList list;
    TextToSymbolList(U"\"DM,A19\",nocomma,\"x,B3\",\"y,Aabc\",\"z,A\",\"$,A4\",plain,A3", list);
    // An unquoted item ends at its comma, so plain,A3 is two broken items.
    EXPECT_EQ(Symbols(list), (std::vector<std::u32string>{U"DM", U"$"}));
    TextToSymbolList(U"", list);
    EXPECT_TRUE(list.empty());
    TextToSymbolList(U"\"unterminated,A3", list);
    EXPECT_EQ(Symbols(list), (std::vector<std::u32string>{U"unterminated"}));
    TextToSymbolList(std::u32string(U"\"a,A3\"\0\"b,A3\"", 13), list);
    EXPECT_EQ(Symbols(list), (std::vector<std::u32string>{U"a"}));
}

TEST(SymbolList, AddIfMissingComparesExactly) {
    SymbolList list;
    AddSymbolIfMissing(list, TCurrencySymbol::FromOptionNumber(U"DM", 19));
    AddSymbolIfMissing(list, TCurrencySymbol::FromOptionNumber(U"DM", 3));
    AddSymbolIfMissing(list, TCurrencySymbol::FromOptionNumber(U"dm", 3));
    EXPECT_EQ(Symbols(list), (std::vector<std::u32string>{U"DM", U"dm"}));
    EXPECT_EQ(list[0].OptionNumber(), 19);
}

LanguageSet Languages(std::initializer_list<int> numbers) {
    LanguageSet set;
    for (int n : numbers)
        set.set(static_cast<std::size_t>(n));
    return set;
}

TEST(DefaultSymbols, MarksWithGermanInterfaceOnGermanSystem) {
    SymbolList list;
    DefaultCurrencySymbols(list, kDEM, Languages({0, 0}), kDEM, CustomNames{});
    EXPECT_EQ(Symbols(list),
              (std::vector<std::u32string>{U"DEM", U"deutsche Mark", U"DM", U"Mark"}));
    EXPECT_EQ(list[0].OptionNumber(), 19);
    EXPECT_EQ(list[1].OptionNumber(), 3);
}

TEST(DefaultSymbols, MarksWithEnglishInterfaceOnGermanSystem) {
    SymbolList list;
    DefaultCurrencySymbols(list, kDEM, Languages({1, 0}), kDEM, CustomNames{});
    EXPECT_EQ(Symbols(list),
              (std::vector<std::u32string>{U"DEM", U"deutsche Mark", U"German Marks", U"DM",
                                           U"Mark", U"Marks", U"Deutschmarks"}));
}

TEST(DefaultSymbols, HomeCurrencyAndLanguageExtras) {
    SymbolList escudo;
    DefaultCurrencySymbols(escudo, kPTE, Languages({1, 12}), kPTE, CustomNames{});
    EXPECT_EQ(Symbols(escudo), (std::vector<std::u32string>{U"PTE", U"Portugese Escudos", U"esc",
                                                            U"Escudos", U"$"}));
    EXPECT_EQ(escudo.back().OptionNumber(), 4 + 16);

    SymbolList franc;
    DefaultCurrencySymbols(franc, kFRF, Languages({2}), kBEF, CustomNames{});
    EXPECT_EQ(Symbols(franc),
              (std::vector<std::u32string>{U"FRF", U"francs français", U"franc français", U"FF"}));
    // In Luxembourg and Belgium a plain "Franc" is the home franc, in German too.
    SymbolList luxembourg;
    DefaultCurrencySymbols(luxembourg, kFRF, Languages({0, 1}), kBEF, CustomNames{});
    const std::vector<std::u32string> luxembourgish = Symbols(luxembourg);
    for (const std::u32string_view plain : {U"Franc", U"Francs"})
        EXPECT_EQ(std::count(luxembourgish.begin(), luxembourgish.end(), plain), 0);

    SymbolList guilder;
    DefaultCurrencySymbols(guilder, kNLG, Languages({3}), kNLG, CustomNames{});
    EXPECT_EQ(Symbols(guilder), (std::vector<std::u32string>{U"NLG", U"Nederlandse guldens", U"hfl",
                                                             U"\u0192", U"Nederlandse gulden",
                                                             U"gulden", U"guldens", U"f", U"fl"}));

    SymbolList euro;
    DefaultCurrencySymbols(euro, kEUR, Languages({0}), kDEM, CustomNames{});
    EXPECT_EQ(Symbols(euro),
              (std::vector<std::u32string>{U"EUR", U"Euro", U"\u20AC", U"\u20ACuro"}));
}

TEST(DefaultSymbols, CustomCurrencyGetsCodeAndName) {
    const CustomNames names{U"Schweizer Franken", U"", U""};
    SymbolList list;
    DefaultCurrencySymbols(list, kCUS1, Languages({0, 1}), kDEM, names);
    EXPECT_EQ(Symbols(list), (std::vector<std::u32string>{U"CUS1", U"Schweizer Franken"}));

    SymbolList unnamed;
    DefaultCurrencySymbols(unnamed, kCUS2, Languages({0, 1}), kDEM, names);
    EXPECT_EQ(Symbols(unnamed), (std::vector<std::u32string>{U"CUS2"}));
}

TEST(DefaultSymbols, NonCurrencyUnitsDependOnTheSystemLanguage) {
    SymbolList english;
    DefaultNonCurrencySymbols(english, Languages({1}));
    EXPECT_EQ(english.size(), 15u);
    EXPECT_EQ(english[1].Symbol, U"\xA7");
    SymbolList german;
    DefaultNonCurrencySymbols(german, Languages({0}));
    EXPECT_EQ(german.size(), 18u);
    EXPECT_EQ(german[16].Symbol,
              U"St\xFC"
              U"ck");
    EXPECT_EQ(german[16].OptionNumber(), 83);
}

TEST(LanguageNumbers, SectionNamesAndSystemLanguages) {
    EXPECT_EQ(LanguageNumberOfSectionName(U"Deutsch"), 0);
    EXPECT_EQ(LanguageNumberOfSectionName(U"English"), 1);
    EXPECT_EQ(LanguageNumberOfSectionName(U"Fran\xE7"
                                          U"ais"),
              2);
    EXPECT_EQ(LanguageNumberOfSectionName(U"Nederlands"), 3);
    EXPECT_EQ(LanguageNumberOfSectionName(U"Espa\xF1ol"), 4);
    EXPECT_EQ(LanguageNumberOfSectionName(U"Italiano"), 7);
    EXPECT_EQ(LanguageNumberOfSectionName(U"Klingon"), 0);
    EXPECT_EQ(LanguageNumberOfLanguageId(0x0407), 0);
    EXPECT_EQ(LanguageNumberOfLanguageId(0x0809), 1);
    EXPECT_EQ(LanguageNumberOfLanguageId(0x080C), 2);
    EXPECT_EQ(LanguageNumberOfLanguageId(0x0813), 3);
    EXPECT_GE(LanguageNumberOfLanguageId(0x0C0A), 4);
    EXPECT_LE(LanguageNumberOfLanguageId(0x041D), 26);
    EXPECT_EQ(LanguageNumberOfLanguageId(0x0411), 27);
}

}  // namespace
}  // namespace kassavero
