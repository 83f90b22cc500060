// SPDX-License-Identifier: GPL-3.0-or-later
// Real sentences converted whole, as a document client or ConvertText converts them, with
// the everyday forms on: the text that comes out, word for word.

#include <gtest/gtest.h>

#include "confirm/dialog_fixture.h"
#include "core/program_text.h"
#include "core/win1252.h"
#include "engine/engine.h"
#include "fakes/fake_message_boxes.h"

namespace kassavero {
namespace {

class EverydayConversion : public testing::DialogTest {
  protected:
    // A new German profile (add mode, the euro sign before the amount) on a desktop of
    // the given home currency. Sentences are UTF-8.
    std::string Convert(const std::string& utf8, CurrencyIndex home = kDEM) {
        Engine engine{
            profile, translator, boxes, loop, help, dialog, DesktopRegion{home, ',', false, 0x07}};
        const EngineHandle handle = engine.EngineInit();
        const int session = engine.OpenQuietSession(handle, "test");
        const std::u32string text = DecodeKeepingBytes(utf8);
        std::string out;
        std::size_t copied = 0;
        engine.ConvertQuietly(handle, session, AsProgramText(text, 0, text.size(), true),
                              [&](const FoundChange& change, const ReplacementParts* parts) {
                                  out += EncodeKeepingBytes(std::u32string_view(text).substr(
                                      copied, change.Start - copied));
                                  out += Win1252ToUtf8(parts->Text());
                                  copied = change.End;
                                  return true;
                              });
        out += EncodeKeepingBytes(std::u32string_view(text).substr(copied));
        return out;
    }

    testing::FakeMessageBoxes boxes;
};

struct Sentence {
    const char* form;
    const char* text;
    const char* converted;
};

TEST_F(EverydayConversion, RealSentencesAsACarefulReaderExpects) {
    const Sentence sentences[] = {
        {"symbol before, sentence ends", "Die Versandkosten betragen DM 7,30.",
         "Die Versandkosten betragen € 3,73 (DM 7,30)."},
        {"comma and quotes stay outside", "DM 1.234,56, fällig am „20,00 DM“",
         "€ 631,22 (DM 1.234,56), fällig am „€ 10,23 (20,00 DM)“"},
        {"no-break space", "Porto 3,00\u00a0DM", "Porto € 1,53 (3,00\u00a0DM)"},
        {"blank groups thousands", "Die Miete: 27 000 DM im Jahr",
         "Die Miete: € 13.804,88 (27 000 DM) im Jahr"},
        {"magnitude word kept", "Umsatz 1,04 Milliarden Mark",
         "Umsatz € 0,53 Milliarden (1,04 Milliarden Mark)"},
        {"smaller magnitude where the value falls short", "2 Mrd. Lire",
         "€ 1,03 Mio. (2 Mrd. Lire)"},
        {"subunit", "kostete 20 Pfennig", "kostete € 0,10 (20 Pfennig)"},
        {"escudo sign as decimal separator", "uma bica por 1$20", "uma bica por € 0,01 (1$20)"},
        {"range in one word", "Einzelfahrkarte 2,40-4,40 DM",
         "Einzelfahrkarte € 1,23 (2,40)-€ 2,25 (4,40 DM)"},
        {"range in words", "zwischen 20 und 100 Mark",
         "zwischen € 10,23 (20) und € 51,13 (100 Mark)"},
        {"two amounts, one symbol each", "Preis 10 DM 20 DM",
         "Preis € 5,11 (10 DM) € 10,23 (20 DM)"},
        {"times, dates, years and codes in lower case",
         "um 14.30 Uhr, seit dem 25. November 1998, Kapitel 2.10",
         "um 14.30 Uhr, seit dem 25. November 1998, Kapitel 2.10"},
        {"already in euros", "Neu: 51,13 € statt 100 DM", "Neu: 51,13 € statt € 51,13 (100 DM)"},
        {"other money", "12,50 Dollar und £ 7,20", "12,50 Dollar und £ 7,20"},
        {"one amount a line", "1,04 Milliarden Mark\n2,9 Mio. DM\n20 Pfennig",
         "€ 0,53 Milliarden (1,04 Milliarden Mark)\n€ 1,48 Mio. (2,9 Mio. DM)\n"
         "€ 0,10 (20 Pfennig)"},
        {"a symbol on the next line is not the amount's", "Summe 2,50\nDM-Münzen",
         "Summe € 1,28 (DEM 2,50)\nDM-Münzen"},
    };
    for (const Sentence& s : sentences) {
        SCOPED_TRACE(s.form);
        EXPECT_EQ(Convert(s.text), s.converted);
    }
}

TEST_F(EverydayConversion, SignsCountOnlyWhereTheDesktopMakesThemPlain) {
    // "F" is a franc in France; on a German desktop a number beside it stays as it is,
    // and is not taken for marks either.
    EXPECT_EQ(Convert("Prix : 15 F", kFRF), "Prix : € 2,29 (15 F)");
    EXPECT_EQ(Convert("Prix : 15,50 F"), "Prix : 15,50 F");
    EXPECT_EQ(Convert("Preis 15 S", kATS), "Preis € 1,09 (15 S)");
    EXPECT_EQ(Convert("Preis 15 S"), "Preis 15 S");
}

TEST_F(EverydayConversion, ConvertingTwiceChangesNothing) {
    for (const bool replace : {false, true}) {
        for (const bool newInBrackets : {false, true}) {
            Settings().OutputReplace = replace;
            Settings().OutputNewAmountInBrackets = newInBrackets;
            const std::string once = Convert("Preis 12,50 DM, 2,9 Mio. DM und 20 Pfennig.");
            EXPECT_EQ(Convert(once), once) << once;
        }
    }
}

TEST_F(EverydayConversion, SwitchedOffTheWordByWordRulesHold) {
    Settings().InputEverydayForms = false;
    // A lower-case code, a bare number in the default currency, and a symbol the
    // everyday forms would know but the list does not.
    EXPECT_EQ(Convert("seit dem 25 Jahren"), "seit € 12,78 (dem 25) Jahren");
    EXPECT_EQ(Convert("Miete 1.250,00"), "Miete € 639,11 (DEM 1.250,00)");
    EXPECT_EQ(Convert("kostete 20 Pfennig"), "kostete 20 Pfennig");
    EXPECT_EQ(Convert("100 DM."), "€ 51,13 (100 DM).");
    // A symbol the amount before it took is never read as the next one's.
    EXPECT_EQ(Convert("Preis 10 DM 20 DM"), "Preis € 5,11 (10 DM) € 10,23 (20 DM)");
}

}  // namespace
}  // namespace kassavero
