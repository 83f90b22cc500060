// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/amount_recognizer.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/win1252.h"
#include "engine/german_profile.h"
#include "own_process.h"
#include "settings/active_profile.h"

namespace kassavero {
namespace {

class Recognizer : public ::testing::Test {
  protected:
    Recognizer() { MakeGermanProfile(Settings()); }

    ProfileSettings& Settings() { return profile_.MutableSettings(); }

    void AddSymbol(CurrencyIndex list, const std::string& symbol, int options) {
        Settings().SymbolListOf(list).push_back(TCurrencySymbol::FromOptionNumber(symbol, options));
    }
    TCurrencySymbol& Entry(CurrencyIndex list, const std::string& symbol) {
        for (auto& entry : Settings().SymbolListOf(list)) {
            if (entry.Symbol == symbol)
                return entry;
        }
        throw std::logic_error("no such symbol: " + symbol);
    }

    // The first amount in the text, tested word by word as a session does, with the
    // index of its number word.
    struct Hit {
        std::size_t index;
        TGeplanteAenderung proposal;
    };
    std::optional<Hit> FirstAmount(const std::string& text) const {
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
    std::string text;
    std::size_t index;  // of the number word
    CurrencyIndex currency;
    double amount;
    int decimals;
    bool hasSymbol;
    int before;
    int after;
    std::string oldText;
};

class RecognizerTable : public Recognizer {
  protected:
    void ExpectFound(const std::vector<AmountCase>& cases) const {
        for (const auto& c : cases) {
            SCOPED_TRACE("text: " + c.text);
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
    void ExpectNone(const std::vector<std::string>& texts) const {
        for (const auto& text : texts) {
            SCOPED_TRACE("text: " + text);
            const auto hit = FirstAmount(text);
            EXPECT_FALSE(hit.has_value()) << "found at word " << hit->index;
        }
    }
};

TEST_F(RecognizerTable, SymbolsAroundANumber) {
    ExpectFound({
        {"DM 1.234,56", 1, kDEM, 1234.56, 2, true, 1, 0, "DM 1.234,56"},
        {"1.234,56 DM", 0, kDEM, 1234.56, 2, true, 0, 1, "1.234,56 DM"},
        {"Preis: 100 DM", 2, kDEM, 100, 0, true, 0, 1, "100 DM"},
        {"DM. 100", 1, kDEM, 100, 0, true, 1, 0, "DM. 100"},
        {"dem 5", 1, kDEM, 5, 0, true, 1, 0, "dem 5"},
        {"100,50 Deutsche Mark", 0, kDEM, 100.5, 2, true, 0, 2, "100,50 Deutsche Mark"},
        {"deutsche  Mark\t7", 2, kDEM, 7, 0, true, 2, 0, "deutsche  Mark\t7"},
        {"die finnische Mark 5", 3, kFIM, 5, 0, true, 2, 0, "finnische Mark 5"},
        {"die Mark 5", 2, kDEM, 5, 0, true, 1, 0, "Mark 5"},
        {"\xD6S 100", 1, kATS, 100, 0, true, 1, 0, "\xD6S 100"},
        {"1,234 DM", 0, kDEM, 1234, 0, true, 0, 1, "1,234 DM"},
        {"1,2345 DM", 0, kDEM, 1.2345, 4, true, 0, 1, "1,2345 DM"},
        {"1234.567 DM", 0, kDEM, 1234.567, 3, true, 0, 1, "1234.567 DM"},
        {"1.234.567 DM", 0, kDEM, 1234567, 0, true, 0, 1, "1.234.567 DM"},
        {"100,- DM", 0, kDEM, 100, 0, true, 0, 1, "100,- DM"},
        {"DM -2,30", 1, kDEM, -2.3, 2, true, 1, 0, "DM -2,30"},
        // A currency on one side wins over a unit on the other; before wins over after.
        {"DM 100 kg", 1, kDEM, 100, 0, true, 1, 0, "DM 100"},
        {"kg 100 DM", 1, kDEM, 100, 0, true, 0, 1, "100 DM"},
        {"DM 100 \xF6S", 1, kDEM, 100, 0, true, 1, 0, "DM 100"},
        // A sentence's full stop or comma after the number is not the amount's.
        {"Es kostet DM 100.", 3, kDEM, 100, 0, true, 1, 0, "DM 100"},
        {"Es kostet DM 100, nicht mehr", 3, kDEM, 100, 0, true, 1, 0, "DM 100"},
        // Nor is punctuation after a symbol that was dropped to match it.
        {"Es kostet 100 DM, nicht mehr", 2, kDEM, 100, 0, true, 0, 1, "100 DM"},
        {"\x84Preis 100 DM\x93", 1, kDEM, 100, 0, true, 0, 1, "100 DM"},
        {"100,00 deutsche Mark\xBB,", 0, kDEM, 100, 2, true, 0, 2, "100,00 deutsche Mark"},
    });
}

// Symbols outside Windows-1252, kept in places of their own; the text reaches the
// program as a document's does.
TEST_F(RecognizerTable, SymbolsOutsideTheCodePage) {
    testing::InOwnProcess([&] {
        for (const char* symbol :
             {"\u043B\u0432", "\u043B\u0435\u0432\u0430", "\u0394\u03C1\u03C7"})
            AddSymbol(kCUS1, AdoptUtf8(symbol), 3);
        const auto cyr = [](const char* utf8) { return Utf8ToWin1252(utf8); };
        ExpectFound({
            {cyr("1.234,56 \u043B\u0432."), 0, kCUS1, 1234.56, 2, true, 0, 1,
             cyr("1.234,56 \u043B\u0432")},
            {cyr("\u043B\u0432 100"), 1, kCUS1, 100, 0, true, 1, 0, cyr("\u043B\u0432 100")},
            {cyr("100 \u043B\u0435\u0432\u0430"), 0, kCUS1, 100, 0, true, 0, 1,
             cyr("100 \u043B\u0435\u0432\u0430")},
            {cyr("100 \u041B\u0415\u0412\u0410"), 0, kCUS1, 100, 0, true, 0, 1,
             cyr("100 \u041B\u0415\u0412\u0410")},
            {cyr("\u0426\u0435\u043D\u0430 \u0394\u03C1\u03C7. 5.000"), 2, kCUS1, 5000, 0, true, 1,
             0, cyr("\u0394\u03C1\u03C7. 5.000")},
            {cyr("\u03B4\u03C1\u03C7. 5.000"), 1, kCUS1, 5000, 0, true, 1, 0,
             cyr("\u03B4\u03C1\u03C7. 5.000")},
        });
        ExpectNone({cyr("100 \u043B\u0435\u0432\u0430\u0442\u0430"),
                    cyr("100\u043B\u0435\u0432\u0430\u0442\u0430"), cyr("\u0436\u043B\u0432 100")});
    });
}

// The sentence's full stop after a symbol that is not always written with a dot: the
// symbol counts, the stop stays behind the amount.
TEST_F(RecognizerTable, SentenceEndAfterTheSymbol) {
    ExpectFound({
        {"Offen: 932,09 DM.", 2, kDEM, 932.09, 2, true, 0, 1, "932,09 DM"},
        {"Bereits gezahlt: 500,- DM.", 3, kDEM, 500, 0, true, 0, 1, "500,- DM"},
        {"in Wien 35 \xF6S.", 2, kATS, 35, 0, true, 0, 1, "35 \xF6S"},
        {"Zusammen 100 Deutsche Mark. Danach", 1, kDEM, 100, 0, true, 0, 2, "100 Deutsche Mark"},
        {"(100 DM.)", 1, kDEM, 100, 0, true, 0, 1, "100 DM"},
    });
    // A unit at the end of a sentence is still a unit.
    ExpectNone({"Lieferung: 5 Stk."});
}

// Decimals written as a dash make a whole, positive amount; a minus after digits or
// before the number still makes it negative.
TEST_F(RecognizerTable, DecimalsWrittenAsADash) {
    ExpectFound({
        {"Miete: DM 1.000,- monatlich", 3, kDEM, 1000, 0, true, 1, 0, "DM 1.000,-"},
        {"3.000,-- DM", 0, kDEM, 3000, 0, true, 0, 1, "3.000,-- DM"},
        {"Summe 1.000,-- \xF6S", 1, kATS, 1000, 0, true, 0, 1, "1.000,-- \xF6S"},
        {"3.00- DM", 0, kDEM, -3, 2, true, 0, 1, "3.00- DM"},
        {"DM -1.000,-", 1, kDEM, -1000, 0, true, 1, 0, "DM -1.000,-"},
    });
    Settings().InputAcceptNegatives = false;
    ExpectFound({{"1.000,- DM", 0, kDEM, 1000, 0, true, 0, 1, "1.000,- DM"}});
}

TEST_F(RecognizerTable, NumbersWithoutSymbol) {
    ExpectFound({
        {"12,50", 0, kDEM, 12.5, 2, false, 0, 0, "12,50"},
        {"Das kostet 100,00 DM.", 2, kDEM, 100, 2, true, 0, 1, "100,00 DM"},
        {"(12,50)", 1, kDEM, 12.5, 2, false, 0, 0, "12,50"},
        {"1.234.567,00", 0, kDEM, 1234567, 2, false, 0, 0, "1.234.567,00"},
        {"-0,50", 0, kDEM, -0.5, 2, false, 0, 0, "-0,50"},
    });
    ExpectNone({
        "12,5",
        "1,234",
        "1,2345",
        "1234.567",
        "1.234.567",
        "Das wiegt 100,00 kg.",  // a unit at the end of a sentence
        "100 kg",
        "100,00 kg",
        "12,50 %",
        "\xA7 12,50",
        "12,50 \260C",  // degrees Celsius
        "100,00 m\xB2",
        "kg 12,50",
    });
}

TEST_F(RecognizerTable, NotAmounts) {
    ExpectNone({
        "",
        "DM",
        "DM,",
        "DM, DM",
        "1.23.456 DM",
        "12a DM",
        "--5 DM",
        "- DM",
        ", DM",
        "DM.100x",
        "100kg",
        "kg100",
        "100,00x",
        "1,2345.5 DM",
    });
}

TEST_F(RecognizerTable, SymbolGluedToTheNumber) {
    ExpectFound({
        {"DM100", 0, kDEM, 100, 0, true, 0, 0, "DM100"},
        {"100DM", 0, kDEM, 100, 0, true, 0, 0, "100DM"},
        {"DM100,50", 0, kDEM, 100.5, 2, true, 0, 0, "DM100,50"},
        {"100,-DM", 0, kDEM, 100, 0, true, 0, 0, "100,-DM"},
        {"-5DM", 0, kDEM, -5, 0, true, 0, 0, "-5DM"},
        {"\x80"
         "3,50",
         0, kEUR, 3.5, 2, true, 0, 0,
         "\x80"
         "3,50"},
        // A dot that DM never takes ends the sentence and stays in the text.
        {"Es kostet 100DM.", 2, kDEM, 100, 0, true, 0, 0, "100DM"},
        {"Es kostet DM100.", 2, kDEM, 100, 0, true, 0, 0, "DM100"},
        {"Es kostet DM100, nicht mehr", 2, kDEM, 100, 0, true, 0, 0, "DM100"},
        // Dot "sometimes" before the number: the dot is the abbreviation's.
        {"pta.100", 0, kESP, 100, 0, true, 0, 0, "pta.100"},
        {"pta100", 0, kESP, 100, 0, true, 0, 0, "pta100"},
        {"100pta.", 0, kESP, 100, 0, true, 0, 0, "100pta."},
    });
}

TEST_F(Recognizer, ZeroBeforeTheDecimalSymbol) {
    EXPECT_FALSE(FirstAmount(",50").has_value());
    EXPECT_FALSE(FirstAmount(",50 DM").has_value());
    Settings().InputAcceptZero = true;
    auto hit = FirstAmount(",50");
    ASSERT_TRUE(hit.has_value());
    EXPECT_DOUBLE_EQ(hit->proposal.Amount, 0.5);
    EXPECT_EQ(hit->proposal.Currency, kDEM);
    hit = FirstAmount(",50 DM");
    ASSERT_TRUE(hit.has_value());
    EXPECT_TRUE(hit->proposal.HasSymbol);
    EXPECT_EQ(hit->proposal.OldText, ",50 DM");
}

TEST_F(Recognizer, ThousandsAlwaysAndNever) {
    Settings().InputThousandsAlways = true;
    Settings().InputThousandsSometimes = false;
    EXPECT_FALSE(FirstAmount("1234,00 DM").has_value());
    ASSERT_TRUE(FirstAmount("1.234,00 DM").has_value());
    EXPECT_DOUBLE_EQ(FirstAmount("1.234,00 DM")->proposal.Amount, 1234);

    Settings().InputThousandsAlways = false;
    Settings().InputThousandsSometimes = true;
    auto hit = FirstAmount("1.234 DM");
    ASSERT_TRUE(hit.has_value());
    EXPECT_DOUBLE_EQ(hit->proposal.Amount, 1234);
    Settings().InputThousandsSometimes = false;  // now "never"
    hit = FirstAmount("1.234 DM");
    ASSERT_TRUE(hit.has_value());
    EXPECT_DOUBLE_EQ(hit->proposal.Amount, 1.234);
    EXPECT_EQ(hit->proposal.Decimals, 3);
}

TEST_F(Recognizer, DecimalsCheckAndBareNumbers) {
    EXPECT_FALSE(FirstAmount("12,5").has_value());
    Settings().InputCheckForDecimals = 1;
    ASSERT_TRUE(FirstAmount("12,5").has_value());
    EXPECT_FALSE(FirstAmount("12,50").has_value());
    Settings().InputCheckForDecimalsActive = false;
    EXPECT_TRUE(FirstAmount("12,50").has_value());
    EXPECT_TRUE(FirstAmount("12").has_value());
    // Units still keep a bare number out; a symbol still needs no decimals check.
    EXPECT_FALSE(FirstAmount("12 kg").has_value());
    Settings().InputCheckForDecimalsActive = true;
    EXPECT_TRUE(FirstAmount("12,555 DM").has_value());

    Settings().InputNumbersWithoutSymbols = false;
    EXPECT_FALSE(FirstAmount("12,5").has_value());
    EXPECT_TRUE(FirstAmount("DM 12,5").has_value());

    // Without a default currency a bare number is found but has no currency; the
    // session passes it over.
    Settings().InputNumbersWithoutSymbols = true;
    Settings().InputDefaultCurrency = -1;
    const auto hit = FirstAmount("12,5");
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->proposal.Currency, kNoCurrency);
    EXPECT_FALSE(hit->proposal.HasSymbol);
    Settings().InputDefaultCurrency = kFRF;
    EXPECT_EQ(FirstAmount("12,5")->proposal.Currency, kFRF);
}

TEST_F(Recognizer, NegativesOff) {
    Settings().InputAcceptNegatives = false;
    EXPECT_FALSE(FirstAmount("3,00- DM").has_value());
    EXPECT_FALSE(FirstAmount("DM -2,30").has_value());
    EXPECT_FALSE(FirstAmount("-5DM").has_value());
    EXPECT_TRUE(FirstAmount("DM 2,30").has_value());
}

TEST_F(Recognizer, SentenceEndAfterASymbolWrittenWithADot) {
    AddSymbol(kDEM, "DM.", 19);
    const auto hit = FirstAmount("Das kostet 100 DM.");
    ASSERT_TRUE(hit.has_value());
    EXPECT_TRUE(hit->proposal.HasSymbol);
    EXPECT_EQ(hit->proposal.OldText, "100 DM.");
}

TEST_F(Recognizer, SymbolsOfSeveralWords) {
    AddSymbol(kDEM, "alte deutsche Mark", 3);
    auto hit = FirstAmount("100 alte deutsche Mark");
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->proposal.WordsAfter, 3);
    EXPECT_EQ(hit->proposal.OldText, "100 alte deutsche Mark");
    hit = FirstAmount("x alte deutsche Mark 100 y");
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->proposal.WordsBefore, 3);
    EXPECT_EQ(hit->proposal.OldText, "alte deutsche Mark 100");
    hit = FirstAmount("100 Mark der Bank");
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->proposal.OldText, "100 Mark");
    // The longest symbol wins over one of its own words.
    AddSymbol(kCUS1, "Mark der Bank", 3);
    hit = FirstAmount("100 Mark der Bank");
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->proposal.Currency, kCUS1);
    EXPECT_EQ(hit->proposal.OldText, "100 Mark der Bank");
}

TEST_F(Recognizer, PositionFlagsOfSymbolsAroundANumber) {
    Entry(kDEM, "DM").BeforeAmount = false;
    auto hit = FirstAmount("DM 100,00");
    ASSERT_TRUE(hit.has_value());
    EXPECT_FALSE(hit->proposal.HasSymbol);
    EXPECT_EQ(hit->proposal.OldText, "100,00");
    EXPECT_TRUE(FirstAmount("100 DM")->proposal.HasSymbol);

    Entry(kDEM, "DM").BeforeAmount = true;
    Entry(kDEM, "DM").AfterAmount = false;
    EXPECT_FALSE(FirstAmount("100 DM").has_value());
    EXPECT_TRUE(FirstAmount("DM 100")->proposal.HasSymbol);
}

TEST_F(Recognizer, GluedSymbolNeedsSpaceOptionalAndThePosition) {
    TCurrencySymbol& dm = Entry(kDEM, "DM");
    dm.SpaceOptional = false;
    EXPECT_FALSE(FirstAmount("DM100").has_value());
    EXPECT_FALSE(FirstAmount("100DM").has_value());
    EXPECT_TRUE(FirstAmount("DM 100").has_value());

    dm.SpaceOptional = true;
    dm.BeforeAmount = false;
    EXPECT_FALSE(FirstAmount("DM100").has_value());
    EXPECT_TRUE(FirstAmount("100DM").has_value());

    dm.BeforeAmount = true;
    dm.AfterAmount = false;
    EXPECT_TRUE(FirstAmount("DM100").has_value());
    EXPECT_FALSE(FirstAmount("100DM").has_value());
}

TEST_F(Recognizer, AbbreviationDotAlways) {
    AddSymbol(kFRF, "Fr", 2 + 1 + 16 + 32);
    struct Case {
        std::string text;
        bool found;
        std::string oldText;
    };
    const std::vector<Case> cases = {
        {"Fr. 100", true, "Fr. 100"}, {"Fr.. 100", true, "Fr.. 100"}, {"fr. 100", true, "fr. 100"},
        {"Fr 100", false, ""},        {"100 Fr.", false, ""},         {"100 Fr", false, ""},
        {"Fr.100", true, "Fr.100"},   {"Fr100", false, ""},           {"100Fr.", true, "100Fr."},
        {"100Fr", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto hit = FirstAmount(c.text);
        ASSERT_EQ(hit.has_value(), c.found);
        if (!c.found)
            continue;
        EXPECT_EQ(hit->proposal.Currency, kFRF);
        EXPECT_DOUBLE_EQ(hit->proposal.Amount, 100);
        EXPECT_EQ(hit->proposal.OldText, c.oldText);
    }
    // After a number the dot is never dropped, so a bare number is all that is left.
    const auto bare = FirstAmount("100,00 Fr.");
    ASSERT_TRUE(bare.has_value());
    EXPECT_FALSE(bare->proposal.HasSymbol);

    // When the full stop is no separator, it stays with the symbol glued before.
    Settings().InputDecimalSymbols = ",";
    Settings().InputThousandSymbols = "'";
    auto hit = FirstAmount("Fr.100");
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->proposal.Currency, kFRF);
    EXPECT_FALSE(FirstAmount("Fr100").has_value());
}

TEST_F(Recognizer, SymbolsOfOtherCurrenciesAndCase) {
    // Exact comparison for a case-sensitive entry, Latin-1 lower case for the others.
    AddSymbol(kNLG, "Qfl", 3 + 8);
    EXPECT_FALSE(FirstAmount("QFL 100").has_value());
    EXPECT_EQ(FirstAmount("Qfl 100")->proposal.Currency, kNLG);
    EXPECT_EQ(FirstAmount("\xD6s 5")->proposal.Currency, kATS);  // entry "öS"
    // The multiplication sign is no capital: it does not match the division sign.
    AddSymbol(kCUS1, "a\xF7", 3);
    EXPECT_FALSE(FirstAmount("A\xD7 100").has_value());
    EXPECT_EQ(FirstAmount("A\xF7 100")->proposal.Currency, kCUS1);
}

// Every member of the trailing punctuation may follow a symbol after the number, and
// no other character may.
TEST_F(Recognizer, TrailingPunctuationAfterTheSymbol) {
    std::string trailing = "!\"%&'()*+,/:;<=>?@[\\]^_`{|}~\x82\xA1\xBF\xD7\xF7\x9B";
    for (int c = 0x84; c <= 0x88; ++c)
        trailing += static_cast<char>(c);
    for (int c = 0x91; c <= 0x99; ++c)
        trailing += static_cast<char>(c);
    for (int c = 0xA6; c <= 0xA9; ++c)
        trailing += static_cast<char>(c);
    for (int c = 0xAB; c <= 0xBB; ++c)
        trailing += static_cast<char>(c);
    for (int code = 1; code < 256; ++code) {
        const char c = static_cast<char>(code);
        SCOPED_TRACE(code);
        EXPECT_EQ(IsTrailingPunctuation(c), trailing.find(c) != std::string::npos);
        const TextWords words(std::string("100 DM") + c + c);
        TGeplanteAenderung proposal;
        const bool expected = (code <= 32 && c != kAnotherLetter) || TextWords::IsWordOfItsOwn(c) ||
                              trailing.find(c) != std::string::npos;
        ASSERT_EQ(recognizer_.ScanAmount(words, 0, proposal), expected);
        if (expected) {
            EXPECT_TRUE(proposal.HasSymbol);
            EXPECT_EQ(proposal.OldText, "100 DM");
        }
    }
}

TEST_F(Recognizer, TheWordLimits) {
    std::string text;
    for (int i = 0; i < 1023; ++i)
        text += "x ";
    // "12,50" is the 1024th word: the symbol after it is the 1025th and is not read.
    const TextWords words(text + "12,50 DM");
    ASSERT_EQ(words.Count(), 1024u);
    TGeplanteAenderung proposal;
    ASSERT_TRUE(recognizer_.ScanAmount(words, 1023, proposal));
    EXPECT_FALSE(proposal.HasSymbol);
    EXPECT_EQ(proposal.Start, 2046u);
    EXPECT_EQ(proposal.OldText, "12,50");
    EXPECT_FALSE(recognizer_.ScanAmount(words, 1024, proposal));
    EXPECT_EQ(proposal, TGeplanteAenderung{});

    // The symbol before it is read.
    const TextWords before(text.substr(2) + "DM 12,5");
    ASSERT_TRUE(recognizer_.ScanAmount(before, 1023, proposal));
    EXPECT_TRUE(proposal.HasSymbol);
    EXPECT_EQ(proposal.OldText, "DM 12,5");
}

TEST_F(Recognizer, ALongWordIsReadAsItsFirst255Characters) {
    const std::string symbol(255, 'Q');
    AddSymbol(kDEM, symbol, 3);
    const std::string text = std::string(300, 'Q') + " 100 " + std::string(300, 'Q');
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
    EXPECT_FALSE(FirstAmount(std::string("100\0 DM", 7)).has_value());
    const auto hit = FirstAmount(std::string("DM 100\0,5", 9));
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->proposal.OldText, "DM 100");
}

TEST_F(Recognizer, OffsetsOfALongText) {
    const std::string text = std::string(70000, ' ') + "Preis: 100 DM";
    const auto hit = FirstAmount(text);
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->proposal.Start, 70007u);
    EXPECT_EQ(hit->proposal.End, 70013u);
}

TEST_F(Recognizer, ReadsTheLiveSettingsForEveryWord) {
    const TextWords words("1'234,5 DM");
    TGeplanteAenderung proposal;
    EXPECT_FALSE(recognizer_.ScanAmount(words, 0, proposal));
    // No reload of the profile: the edited text counts at once.
    Settings().InputThousandSymbols = ". , '";
    ASSERT_TRUE(recognizer_.ScanAmount(words, 0, proposal));
    EXPECT_DOUBLE_EQ(proposal.Amount, 1234.5);

    Settings().InputSymbolsFor[kDEM].clear();
    EXPECT_FALSE(recognizer_.ScanAmount(words, 0, proposal));
    AddSymbol(kNLG, "DM", 3);
    ASSERT_TRUE(recognizer_.ScanAmount(words, 0, proposal));
    EXPECT_EQ(proposal.Currency, kNLG);
}

TEST(FindSymbol, OrderOfListsAndEntries) {
    ProfileSettings settings;
    settings.InputNonCurrencySymbols.push_back(TCurrencySymbol::FromOptionNumber("x", 83));
    EXPECT_EQ(FindSymbol(settings, "X").List, kNoCurrency);
    EXPECT_NE(FindSymbol(settings, "X").Entry, nullptr);

    settings.InputSymbolsFor[kPTE].push_back(TCurrencySymbol::FromOptionNumber("x", 1));
    settings.InputSymbolsFor[kPTE].push_back(TCurrencySymbol::FromOptionNumber("X", 2));
    settings.InputSymbolsFor[kNLG].push_back(TCurrencySymbol::FromOptionNumber("X", 8 + 3));
    SymbolMatch match = FindSymbol(settings, "X");
    EXPECT_EQ(match.List, kNLG);
    match = FindSymbol(settings, "x");
    EXPECT_EQ(match.List, kPTE);
    EXPECT_EQ(match.Entry, &settings.InputSymbolsFor[kPTE][0]);

    EXPECT_EQ(FindSymbol(settings, "y").Entry, nullptr);
    EXPECT_EQ(FindSymbol(settings, "y").List, kNoCurrency);
    // An entry without text (a custom currency without a name) matches nothing.
    settings.InputSymbolsFor[kCUS1].push_back(TCurrencySymbol::FromOptionNumber("", 3));
    EXPECT_EQ(FindSymbol(settings, "").Entry, nullptr);
}

TEST(CharSets, FollowTheSettings) {
    ProfileSettings settings;
    settings.InputDecimalSymbols = ", ;";
    settings.InputThousandSymbols = " '";
    settings.InputAcceptZero = false;
    settings.InputAcceptNegatives = false;
    RecognizerCharSets sets = BuildCharSets(settings);
    EXPECT_EQ(sets.Decimals, SymbolSetOf(",;"));
    EXPECT_EQ(sets.Thousands, SymbolSetOf("'"));
    EXPECT_EQ(sets.First, SymbolSetOf("0123456789"));
    EXPECT_EQ(sets.Middle, SymbolSetOf("0123456789,;'"));
    EXPECT_EQ(sets.Last, SymbolSetOf("0123456789,;"));

    settings.InputAcceptZero = true;
    settings.InputAcceptNegatives = true;
    sets = BuildCharSets(settings);
    EXPECT_EQ(sets.First, SymbolSetOf("0123456789,;-"));
    EXPECT_EQ(sets.Middle, SymbolSetOf("0123456789,;'"));
    EXPECT_EQ(sets.Last, SymbolSetOf("0123456789,;-"));
}

}  // namespace
}  // namespace kassavero
