// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/amount_recognizer.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/win1252.h"
#include "engine/german_profile.h"
#include "settings/active_profile.h"

namespace kassavero {
namespace {

class Recognizer : public ::testing::Test {
  protected:
    Recognizer() { MakeGermanProfile(Settings()); }

    ProfileSettings& Settings() { return profile_.MutableSettings(); }

    void AddSymbol(CurrencyIndex list, const std::u32string& symbol, int options) {
        Settings().SymbolListOf(list).push_back(TCurrencySymbol::FromOptionNumber(symbol, options));
    }
    TCurrencySymbol& Entry(CurrencyIndex list, const std::u32string& symbol) {
        for (auto& entry : Settings().SymbolListOf(list)) {
            if (entry.Symbol == symbol)
                return entry;
        }
        throw std::logic_error("no such symbol: " + TextToUtf8(symbol));
    }

    // The first amount in the text, tested word by word as a session does, with the
    // index of its number word.
    struct Hit {
        std::size_t index;
        TGeplanteAenderung proposal;
    };
    std::optional<Hit> FirstAmount(const std::u32string& text) const {
        const TextWords words(text);
        for (std::size_t i = 0; i < words.Count(); ++i) {
            TGeplanteAenderung proposal;
            if (recognizer_.ScanAmount(words, i, proposal))
                return Hit{i, proposal};
        }
        return std::nullopt;
    }

    ActiveProfile profile_;
    AmountRecognizer recognizer_{profile_};
};

struct AmountCase {
    std::u32string text;
    std::size_t index;  // of the number word
    CurrencyIndex currency;
    double amount;
    int decimals;
    bool hasSymbol;
    int before;
    int after;
    std::u32string oldText;
};

class RecognizerTable : public Recognizer {
  protected:
    void ExpectFound(const std::vector<AmountCase>& cases) const {
        for (const auto& c : cases) {
            SCOPED_TRACE(TextToUtf8(U"text: " + c.text));
            const auto hit = FirstAmount(c.text);
            ASSERT_TRUE(hit.has_value());
            const TGeplanteAenderung& p = hit->proposal;
            EXPECT_EQ(hit->index, c.index);
            EXPECT_EQ(p.Currency, c.currency);
            EXPECT_DOUBLE_EQ(p.Amount, c.amount);
            EXPECT_EQ(p.Decimals, c.decimals);
            EXPECT_EQ(p.HasSymbol, c.hasSymbol);
            EXPECT_EQ(p.WordsBefore, c.before);
            EXPECT_EQ(p.WordsAfter, c.after);
            EXPECT_EQ(p.OldText, c.oldText);
            EXPECT_EQ(c.text.substr(p.Start, p.End - p.Start), c.oldText);
        }
    }
    void ExpectNone(const std::vector<std::u32string>& texts) const {
        for (const auto& text : texts) {
            SCOPED_TRACE(TextToUtf8(U"text: " + text));
            const auto hit = FirstAmount(text);
            EXPECT_FALSE(hit.has_value()) << "found at word " << hit->index;
        }
    }
};

TEST_F(RecognizerTable, SymbolsAroundANumber) {
    ExpectFound({
        {U"DM 1.234,56", 1, kDEM, 1234.56, 2, true, 1, 0, U"DM 1.234,56"},
        {U"1.234,56 DM", 0, kDEM, 1234.56, 2, true, 0, 1, U"1.234,56 DM"},
        {U"Preis: 100 DM", 2, kDEM, 100, 0, true, 0, 1, U"100 DM"},
        {U"DM. 100", 1, kDEM, 100, 0, true, 1, 0, U"DM. 100"},
        {U"dem 5", 1, kDEM, 5, 0, true, 1, 0, U"dem 5"},
        {U"100,50 Deutsche Mark", 0, kDEM, 100.5, 2, true, 0, 2, U"100,50 Deutsche Mark"},
        {U"deutsche  Mark\t7", 2, kDEM, 7, 0, true, 2, 0, U"deutsche  Mark\t7"},
        {U"die finnische Mark 5", 3, kFIM, 5, 0, true, 2, 0, U"finnische Mark 5"},
        {U"die Mark 5", 2, kDEM, 5, 0, true, 1, 0, U"Mark 5"},
        {U"\xD6S 100", 1, kATS, 100, 0, true, 1, 0, U"\xD6S 100"},
        {U"1,234 DM", 0, kDEM, 1234, 0, true, 0, 1, U"1,234 DM"},
        {U"1,2345 DM", 0, kDEM, 1.2345, 4, true, 0, 1, U"1,2345 DM"},
        {U"1234.567 DM", 0, kDEM, 1234.567, 3, true, 0, 1, U"1234.567 DM"},
        {U"1.234.567 DM", 0, kDEM, 1234567, 0, true, 0, 1, U"1.234.567 DM"},
        {U"100,- DM", 0, kDEM, 100, 0, true, 0, 1, U"100,- DM"},
        {U"DM -2,30", 1, kDEM, -2.3, 2, true, 1, 0, U"DM -2,30"},
        // A currency on one side wins over a unit on the other; before wins over after.
        {U"DM 100 kg", 1, kDEM, 100, 0, true, 1, 0, U"DM 100"},
        {U"kg 100 DM", 1, kDEM, 100, 0, true, 0, 1, U"100 DM"},
        {U"DM 100 \xF6S", 1, kDEM, 100, 0, true, 1, 0, U"DM 100"},
        // A sentence's full stop or comma after the number is not the amount's.
        {U"Es kostet DM 100.", 3, kDEM, 100, 0, true, 1, 0, U"DM 100"},
        {U"Es kostet DM 100, nicht mehr", 3, kDEM, 100, 0, true, 1, 0, U"DM 100"},
        // Nor is punctuation after a symbol that was dropped to match it.
        {U"Es kostet 100 DM, nicht mehr", 2, kDEM, 100, 0, true, 0, 1, U"100 DM"},
        {U"\u201EPreis 100 DM\u201C", 1, kDEM, 100, 0, true, 0, 1, U"100 DM"},
        {U"100,00 deutsche Mark\xBB,", 0, kDEM, 100, 2, true, 0, 2, U"100,00 deutsche Mark"},
    });
}

// Symbols in other scripts, matched without regard to letter case and never inside a
// longer word.
TEST_F(RecognizerTable, SymbolsInOtherScripts) {
    for (const char32_t* symbol :
         {U"\u043B\u0432", U"\u043B\u0435\u0432\u0430", U"\u0394\u03C1\u03C7"})
        AddSymbol(kCUS1, symbol, 3);
    ExpectFound({
        {U"1.234,56 \u043B\u0432.", 0, kCUS1, 1234.56, 2, true, 0, 1, U"1.234,56 \u043B\u0432"},
        {U"\u043B\u0432 100", 1, kCUS1, 100, 0, true, 1, 0, U"\u043B\u0432 100"},
        {U"100 \u041B\u0415\u0412\u0410", 0, kCUS1, 100, 0, true, 0, 1,
         U"100 \u041B\u0415\u0412\u0410"},
        {U"\u0426\u0435\u043D\u0430 \u0394\u03C1\u03C7. 5.000", 2, kCUS1, 5000, 0, true, 1, 0,
         U"\u0394\u03C1\u03C7. 5.000"},
        {U"\u03B4\u03C1\u03C7. 5.000", 1, kCUS1, 5000, 0, true, 1, 0, U"\u03B4\u03C1\u03C7. 5.000"},
    });
    ExpectNone({U"100 \u043B\u0435\u0432\u0430\u0442\u0430",
                U"100\u043B\u0435\u0432\u0430\u0442\u0430", U"\u0436\u043B\u0432 100"});
}

// The sentence's full stop after a symbol that is not always written with a dot: the
// symbol counts, the stop stays behind the amount.
TEST_F(RecognizerTable, SentenceEndAfterTheSymbol) {
    ExpectFound({
        {U"Offen: 932,09 DM.", 2, kDEM, 932.09, 2, true, 0, 1, U"932,09 DM"},
        {U"Bereits gezahlt: 500,- DM.", 3, kDEM, 500, 0, true, 0, 1, U"500,- DM"},
        {U"in Wien 35 \xF6S.", 2, kATS, 35, 0, true, 0, 1, U"35 \xF6S"},
        {U"Zusammen 100 Deutsche Mark. Danach", 1, kDEM, 100, 0, true, 0, 2, U"100 Deutsche Mark"},
        {U"(100 DM.)", 1, kDEM, 100, 0, true, 0, 1, U"100 DM"},
    });
    // A unit at the end of a sentence is still a unit.
    ExpectNone({U"Lieferung: 5 Stk."});
}

// Decimals written as a dash make a whole, positive amount; a minus after digits or
// before the number still makes it negative.
TEST_F(RecognizerTable, DecimalsWrittenAsADash) {
    ExpectFound({
        {U"Miete: DM 1.000,- monatlich", 3, kDEM, 1000, 0, true, 1, 0, U"DM 1.000,-"},
        {U"3.000,-- DM", 0, kDEM, 3000, 0, true, 0, 1, U"3.000,-- DM"},
        {U"Summe 1.000,-- \xF6S", 1, kATS, 1000, 0, true, 0, 1, U"1.000,-- \xF6S"},
        {U"3.00- DM", 0, kDEM, -3, 2, true, 0, 1, U"3.00- DM"},
        {U"DM -1.000,-", 1, kDEM, -1000, 0, true, 1, 0, U"DM -1.000,-"},
    });
    Settings().InputAcceptNegatives = false;
    ExpectFound({{U"1.000,- DM", 0, kDEM, 1000, 0, true, 0, 1, U"1.000,- DM"}});
}

TEST_F(RecognizerTable, NumbersWithoutSymbol) {
    ExpectFound({
        {U"12,50", 0, kDEM, 12.5, 2, false, 0, 0, U"12,50"},
        {U"Das kostet 100,00 DM.", 2, kDEM, 100, 2, true, 0, 1, U"100,00 DM"},
        {U"(12,50)", 1, kDEM, 12.5, 2, false, 0, 0, U"12,50"},
        {U"1.234.567,00", 0, kDEM, 1234567, 2, false, 0, 0, U"1.234.567,00"},
        {U"-0,50", 0, kDEM, -0.5, 2, false, 0, 0, U"-0,50"},
    });
    ExpectNone({
        U"12,5",
        U"1,234",
        U"1,2345",
        U"1234.567",
        U"1.234.567",
        U"Das wiegt 100,00 kg.",  // a unit at the end of a sentence
        U"100 kg",
        U"100,00 kg",
        U"12,50 %",
        U"\xA7 12,50",
        U"12,50 \260C",  // degrees Celsius
        U"100,00 m\xB2",
        U"kg 12,50",
    });
}

TEST_F(RecognizerTable, NotAmounts) {
    ExpectNone({
        U"",
        U"DM",
        U"DM,",
        U"DM, DM",
        U"1.23.456 DM",
        U"12a DM",
        U"--5 DM",
        U"- DM",
        U", DM",
        U"DM.100x",
        U"100kg",
        U"kg100",
        U"100,00x",
        U"1,2345.5 DM",
    });
}

TEST_F(RecognizerTable, SymbolGluedToTheNumber) {
    ExpectFound({
        {U"DM100", 0, kDEM, 100, 0, true, 0, 0, U"DM100"},
        {U"100DM", 0, kDEM, 100, 0, true, 0, 0, U"100DM"},
        {U"DM100,50", 0, kDEM, 100.5, 2, true, 0, 0, U"DM100,50"},
        {U"100,-DM", 0, kDEM, 100, 0, true, 0, 0, U"100,-DM"},
        {U"-5DM", 0, kDEM, -5, 0, true, 0, 0, U"-5DM"},
        {U"\u20AC"
         U"3,50",
         0, kEUR, 3.5, 2, true, 0, 0,
         U"\u20AC"
         U"3,50"},
        // A dot that DM never takes ends the sentence and stays in the text.
        {U"Es kostet 100DM.", 2, kDEM, 100, 0, true, 0, 0, U"100DM"},
        {U"Es kostet DM100.", 2, kDEM, 100, 0, true, 0, 0, U"DM100"},
        {U"Es kostet DM100, nicht mehr", 2, kDEM, 100, 0, true, 0, 0, U"DM100"},
        // Dot "sometimes" before the number: the dot is the abbreviation's.
        {U"pta.100", 0, kESP, 100, 0, true, 0, 0, U"pta.100"},
        {U"pta100", 0, kESP, 100, 0, true, 0, 0, U"pta100"},
        {U"100pta.", 0, kESP, 100, 0, true, 0, 0, U"100pta."},
    });
}

TEST_F(Recognizer, ZeroBeforeTheDecimalSymbol) {
    EXPECT_FALSE(FirstAmount(U",50").has_value());
    EXPECT_FALSE(FirstAmount(U",50 DM").has_value());
    Settings().InputAcceptZero = true;
    auto hit = FirstAmount(U",50");
    ASSERT_TRUE(hit.has_value());
    EXPECT_DOUBLE_EQ(hit->proposal.Amount, 0.5);
    EXPECT_EQ(hit->proposal.Currency, kDEM);
    hit = FirstAmount(U",50 DM");
    ASSERT_TRUE(hit.has_value());
    EXPECT_TRUE(hit->proposal.HasSymbol);
    EXPECT_EQ(hit->proposal.OldText, U",50 DM");
}

TEST_F(Recognizer, ThousandsAlwaysAndNever) {
    Settings().InputThousandsAlways = true;
    Settings().InputThousandsSometimes = false;
    EXPECT_FALSE(FirstAmount(U"1234,00 DM").has_value());
    ASSERT_TRUE(FirstAmount(U"1.234,00 DM").has_value());
    EXPECT_DOUBLE_EQ(FirstAmount(U"1.234,00 DM")->proposal.Amount, 1234);

    Settings().InputThousandsAlways = false;
    Settings().InputThousandsSometimes = true;
    auto hit = FirstAmount(U"1.234 DM");
    ASSERT_TRUE(hit.has_value());
    EXPECT_DOUBLE_EQ(hit->proposal.Amount, 1234);
    Settings().InputThousandsSometimes = false;  // now "never"
    hit = FirstAmount(U"1.234 DM");
    ASSERT_TRUE(hit.has_value());
    EXPECT_DOUBLE_EQ(hit->proposal.Amount, 1.234);
    EXPECT_EQ(hit->proposal.Decimals, 3);
}

TEST_F(Recognizer, DecimalsCheckAndBareNumbers) {
    EXPECT_FALSE(FirstAmount(U"12,5").has_value());
    Settings().InputCheckForDecimals = 1;
    ASSERT_TRUE(FirstAmount(U"12,5").has_value());
    EXPECT_FALSE(FirstAmount(U"12,50").has_value());
    Settings().InputCheckForDecimalsActive = false;
    EXPECT_TRUE(FirstAmount(U"12,50").has_value());
    EXPECT_TRUE(FirstAmount(U"12").has_value());
    // Units still keep a bare number out; a symbol still needs no decimals check.
    EXPECT_FALSE(FirstAmount(U"12 kg").has_value());
    Settings().InputCheckForDecimalsActive = true;
    EXPECT_TRUE(FirstAmount(U"12,555 DM").has_value());

    Settings().InputNumbersWithoutSymbols = false;
    EXPECT_FALSE(FirstAmount(U"12,5").has_value());
    EXPECT_TRUE(FirstAmount(U"DM 12,5").has_value());

    // Without a default currency a bare number is found but has no currency; the
    // session passes it over.
    Settings().InputNumbersWithoutSymbols = true;
    Settings().InputDefaultCurrency = -1;
    const auto hit = FirstAmount(U"12,5");
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->proposal.Currency, kNoCurrency);
    EXPECT_FALSE(hit->proposal.HasSymbol);
    Settings().InputDefaultCurrency = kFRF;
    EXPECT_EQ(FirstAmount(U"12,5")->proposal.Currency, kFRF);
}

TEST_F(Recognizer, NegativesOff) {
    Settings().InputAcceptNegatives = false;
    EXPECT_FALSE(FirstAmount(U"3,00- DM").has_value());
    EXPECT_FALSE(FirstAmount(U"DM -2,30").has_value());
    EXPECT_FALSE(FirstAmount(U"-5DM").has_value());
    EXPECT_TRUE(FirstAmount(U"DM 2,30").has_value());
}

TEST_F(Recognizer, SentenceEndAfterASymbolWrittenWithADot) {
    AddSymbol(kDEM, U"DM.", 19);
    const auto hit = FirstAmount(U"Das kostet 100 DM.");
    ASSERT_TRUE(hit.has_value());
    EXPECT_TRUE(hit->proposal.HasSymbol);
    EXPECT_EQ(hit->proposal.OldText, U"100 DM.");
}

TEST_F(Recognizer, SymbolsOfSeveralWords) {
    AddSymbol(kDEM, U"alte deutsche Mark", 3);
    auto hit = FirstAmount(U"100 alte deutsche Mark");
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->proposal.WordsAfter, 3);
    EXPECT_EQ(hit->proposal.OldText, U"100 alte deutsche Mark");
    hit = FirstAmount(U"x alte deutsche Mark 100 y");
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->proposal.WordsBefore, 3);
    EXPECT_EQ(hit->proposal.OldText, U"alte deutsche Mark 100");
    hit = FirstAmount(U"100 Mark der Bank");
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->proposal.OldText, U"100 Mark");
    // The longest symbol wins over one of its own words.
    AddSymbol(kCUS1, U"Mark der Bank", 3);
    hit = FirstAmount(U"100 Mark der Bank");
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->proposal.Currency, kCUS1);
    EXPECT_EQ(hit->proposal.OldText, U"100 Mark der Bank");
}

TEST_F(Recognizer, PositionFlagsOfSymbolsAroundANumber) {
    Entry(kDEM, U"DM").BeforeAmount = false;
    auto hit = FirstAmount(U"DM 100,00");
    ASSERT_TRUE(hit.has_value());
    EXPECT_FALSE(hit->proposal.HasSymbol);
    EXPECT_EQ(hit->proposal.OldText, U"100,00");
    EXPECT_TRUE(FirstAmount(U"100 DM")->proposal.HasSymbol);

    Entry(kDEM, U"DM").BeforeAmount = true;
    Entry(kDEM, U"DM").AfterAmount = false;
    EXPECT_FALSE(FirstAmount(U"100 DM").has_value());
    EXPECT_TRUE(FirstAmount(U"DM 100")->proposal.HasSymbol);
}

TEST_F(Recognizer, GluedSymbolNeedsSpaceOptionalAndThePosition) {
    TCurrencySymbol& dm = Entry(kDEM, U"DM");
    dm.SpaceOptional = false;
    EXPECT_FALSE(FirstAmount(U"DM100").has_value());
    EXPECT_FALSE(FirstAmount(U"100DM").has_value());
    EXPECT_TRUE(FirstAmount(U"DM 100").has_value());

    dm.SpaceOptional = true;
    dm.BeforeAmount = false;
    EXPECT_FALSE(FirstAmount(U"DM100").has_value());
    EXPECT_TRUE(FirstAmount(U"100DM").has_value());

    dm.BeforeAmount = true;
    dm.AfterAmount = false;
    EXPECT_TRUE(FirstAmount(U"DM100").has_value());
    EXPECT_FALSE(FirstAmount(U"100DM").has_value());
}

TEST_F(Recognizer, AbbreviationDotAlways) {
    AddSymbol(kFRF, U"Fr", 2 + 1 + 16 + 32);
    struct Case {
        std::u32string text;
        bool found;
        std::u32string oldText;
    };
    const std::vector<Case> cases = {
        {U"Fr. 100", true, U"Fr. 100"}, {U"Fr.. 100", true, U"Fr.. 100"},
        {U"fr. 100", true, U"fr. 100"}, {U"Fr 100", false, U""},
        {U"100 Fr.", false, U""},       {U"100 Fr", false, U""},
        {U"Fr.100", true, U"Fr.100"},   {U"Fr100", false, U""},
        {U"100Fr.", true, U"100Fr."},   {U"100Fr", false, U""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(TextToUtf8(c.text));
        const auto hit = FirstAmount(c.text);
        ASSERT_EQ(hit.has_value(), c.found);
        if (!c.found)
            continue;
        EXPECT_EQ(hit->proposal.Currency, kFRF);
        EXPECT_DOUBLE_EQ(hit->proposal.Amount, 100);
        EXPECT_EQ(hit->proposal.OldText, c.oldText);
    }
    // After a number the dot is never dropped, so a bare number is all that is left.
    const auto bare = FirstAmount(U"100,00 Fr.");
    ASSERT_TRUE(bare.has_value());
    EXPECT_FALSE(bare->proposal.HasSymbol);

    // When the full stop is no separator, it stays with the symbol glued before.
    Settings().InputDecimalSymbols = U",";
    Settings().InputThousandSymbols = U"'";
    auto hit = FirstAmount(U"Fr.100");
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->proposal.Currency, kFRF);
    EXPECT_FALSE(FirstAmount(U"Fr100").has_value());
}

TEST_F(Recognizer, SymbolsOfOtherCurrenciesAndCase) {
    // Exact comparison for a case-sensitive entry, Latin-1 lower case for the others.
    AddSymbol(kNLG, U"Qfl", 3 + 8);
    EXPECT_FALSE(FirstAmount(U"QFL 100").has_value());
    EXPECT_EQ(FirstAmount(U"Qfl 100")->proposal.Currency, kNLG);
    EXPECT_EQ(FirstAmount(U"\xD6s 5")->proposal.Currency, kATS);  // entry "öS"
    // The multiplication sign is no capital: it does not match the division sign.
    AddSymbol(kCUS1, U"a\xF7", 3);
    EXPECT_FALSE(FirstAmount(U"A\xD7 100").has_value());
    EXPECT_EQ(FirstAmount(U"A\xF7 100")->proposal.Currency, kCUS1);
}

// Every member of the trailing punctuation may follow a symbol after the number, and
// no other character may.
TEST_F(Recognizer, TrailingPunctuationAfterTheSymbol) {
    std::u32string trailing = U"!\"%&'()*+,/:;<=>?@[\\]^_`{|}~\u201A\xA1\xBF\xD7\xF7\u203A";
    for (int c = 0x84; c <= 0x88; ++c)
        trailing += Win1252ToCodePoint(static_cast<unsigned char>(c));
    for (int c = 0x91; c <= 0x99; ++c)
        trailing += Win1252ToCodePoint(static_cast<unsigned char>(c));
    for (int c = 0xA6; c <= 0xA9; ++c)
        trailing += static_cast<char32_t>(c);
    for (int c = 0xAB; c <= 0xBB; ++c)
        trailing += static_cast<char32_t>(c);
    // The characters of the Western code page, and some beyond it.
    std::u32string characters;
    for (int code = 1; code < 256; ++code)
        characters += Win1252ToCodePoint(static_cast<unsigned char>(code));
    characters += U"\u043B\u03B4\u2039\u00AA";
    for (const char32_t c : characters) {
        const auto code = static_cast<unsigned>(c);
        SCOPED_TRACE(code);
        EXPECT_EQ(IsTrailingPunctuation(c), trailing.find(c) != std::u32string::npos);
        const TextWords words(std::u32string(U"100 DM") + c + c);
        TGeplanteAenderung proposal;
        const bool expected =
            code <= 32 || TextWords::IsWordOfItsOwn(c) || trailing.find(c) != std::u32string::npos;
        ASSERT_EQ(recognizer_.ScanAmount(words, 0, proposal), expected);
        if (expected) {
            EXPECT_TRUE(proposal.HasSymbol);
            EXPECT_EQ(proposal.OldText, U"100 DM");
        }
    }
}

TEST_F(Recognizer, TheWordLimits) {
    std::u32string text;
    for (int i = 0; i < 1023; ++i)
        text += U"x ";
    // "12,50" is the 1024th word: the symbol after it is the 1025th and is not read.
    const TextWords words(text + U"12,50 DM");
    ASSERT_EQ(words.Count(), 1024u);
    TGeplanteAenderung proposal;
    ASSERT_TRUE(recognizer_.ScanAmount(words, 1023, proposal));
    EXPECT_FALSE(proposal.HasSymbol);
    EXPECT_EQ(proposal.Start, 2046u);
    EXPECT_EQ(proposal.OldText, U"12,50");
    EXPECT_FALSE(recognizer_.ScanAmount(words, 1024, proposal));
    EXPECT_EQ(proposal, TGeplanteAenderung{});

    // The symbol before it is read.
    const TextWords before(text.substr(2) + U"DM 12,5");
    ASSERT_TRUE(recognizer_.ScanAmount(before, 1023, proposal));
    EXPECT_TRUE(proposal.HasSymbol);
    EXPECT_EQ(proposal.OldText, U"DM 12,5");
}

TEST_F(Recognizer, ALongWordIsReadAsItsFirst255Characters) {
    const std::u32string symbol(255, U'Q');
    AddSymbol(kDEM, symbol, 3);
    const std::u32string text = std::u32string(300, U'Q') + U" 100 " + std::u32string(300, U'Q');
    auto hit = FirstAmount(text);
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->proposal.WordsBefore, 1);
    EXPECT_EQ(hit->proposal.Start, 0u);
    // After the number the stretch ends where the part that was read ends.
    Entry(kDEM, symbol).BeforeAmount = false;
    hit = FirstAmount(text);
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->proposal.WordsAfter, 1);
    EXPECT_EQ(hit->proposal.End, 301u + 4u + 255u);
}

TEST_F(Recognizer, TheZeroCharacterEndsTheText) {
    EXPECT_FALSE(FirstAmount(std::u32string(U"100\0 DM", 7)).has_value());
    const auto hit = FirstAmount(std::u32string(U"DM 100\0,5", 9));
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->proposal.OldText, U"DM 100");
}

TEST_F(Recognizer, OffsetsOfALongText) {
    const std::u32string text = std::u32string(70000, U' ') + U"Preis: 100 DM";
    const auto hit = FirstAmount(text);
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->proposal.Start, 70007u);
    EXPECT_EQ(hit->proposal.End, 70013u);
}

TEST_F(Recognizer, ReadsTheLiveSettingsForEveryWord) {
    const TextWords words(U"1'234,5 DM");
    TGeplanteAenderung proposal;
    EXPECT_FALSE(recognizer_.ScanAmount(words, 0, proposal));
    // No reload of the profile: the edited text counts at once.
    Settings().InputThousandSymbols = U". , '";
    ASSERT_TRUE(recognizer_.ScanAmount(words, 0, proposal));
    EXPECT_DOUBLE_EQ(proposal.Amount, 1234.5);

    Settings().InputSymbolsFor[kDEM].clear();
    EXPECT_FALSE(recognizer_.ScanAmount(words, 0, proposal));
    AddSymbol(kNLG, U"DM", 3);
    ASSERT_TRUE(recognizer_.ScanAmount(words, 0, proposal));
    EXPECT_EQ(proposal.Currency, kNLG);
}

TEST(FindSymbol, OrderOfListsAndEntries) {
    ProfileSettings settings;
    settings.InputNonCurrencySymbols.push_back(TCurrencySymbol::FromOptionNumber(U"x", 83));
    EXPECT_EQ(FindSymbol(settings, U"X").List, kNoCurrency);
    EXPECT_NE(FindSymbol(settings, U"X").Entry, nullptr);

    settings.InputSymbolsFor[kPTE].push_back(TCurrencySymbol::FromOptionNumber(U"x", 1));
    settings.InputSymbolsFor[kPTE].push_back(TCurrencySymbol::FromOptionNumber(U"X", 2));
    settings.InputSymbolsFor[kNLG].push_back(TCurrencySymbol::FromOptionNumber(U"X", 8 + 3));
    SymbolMatch match = FindSymbol(settings, U"X");
    EXPECT_EQ(match.List, kNLG);
    match = FindSymbol(settings, U"x");
    EXPECT_EQ(match.List, kPTE);
    EXPECT_EQ(match.Entry, &settings.InputSymbolsFor[kPTE][0]);

    EXPECT_EQ(FindSymbol(settings, U"y").Entry, nullptr);
    EXPECT_EQ(FindSymbol(settings, U"y").List, kNoCurrency);
    // An entry without text (a custom currency without a name) matches nothing.
    settings.InputSymbolsFor[kCUS1].push_back(TCurrencySymbol::FromOptionNumber(U"", 3));
    EXPECT_EQ(FindSymbol(settings, U"").Entry, nullptr);
}

TEST(CharSets, FollowTheSettings) {
    ProfileSettings settings;
    settings.InputDecimalSymbols = U", ;";
    settings.InputThousandSymbols = U" '";
    settings.InputAcceptZero = false;
    settings.InputAcceptNegatives = false;
    RecognizerCharSets sets = BuildCharSets(settings);
    EXPECT_EQ(sets.Decimals, SymbolSetOf(U",;"));
    EXPECT_EQ(sets.Thousands, SymbolSetOf(U"'"));
    EXPECT_EQ(sets.First, SymbolSetOf(U"0123456789"));
    EXPECT_EQ(sets.Middle, SymbolSetOf(U"0123456789,;'"));
    EXPECT_EQ(sets.Last, SymbolSetOf(U"0123456789,;"));

    settings.InputAcceptZero = true;
    settings.InputAcceptNegatives = true;
    sets = BuildCharSets(settings);
    EXPECT_EQ(sets.First, SymbolSetOf(U"0123456789,;-"));
    EXPECT_EQ(sets.Middle, SymbolSetOf(U"0123456789,;'"));
    EXPECT_EQ(sets.Last, SymbolSetOf(U"0123456789,;-"));
}

}  // namespace
}  // namespace kassavero
