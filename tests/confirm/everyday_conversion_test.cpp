// SPDX-License-Identifier: GPL-3.0-or-later
// Real sentences converted whole, as a document client or ConvertText converts them, with
// the everyday forms on: the text that comes out, word for word.

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

#include "confirm/dialog_fixture.h"
#include "confirm/engine_desktop_adapter.h"
#include "core/program_text.h"
#include "core/unicode_text.h"
#include "engine/engine.h"
#include "fakes/fake_message_boxes.h"
#include "platform/message_loop.h"

namespace kassavero {
namespace {

class EverydayConversion : public testing::DialogTest {
  protected:
    // A new German profile (add mode, the euro sign before the amount) on a desktop of
    // the given home currency.
    std::u32string Convert(const std::u32string& text, CurrencyIndex home = kDEM) {
        return Convert(text, DesktopRegion{home, U',', false, 0x07, {}});
    }
    std::u32string Convert(const std::u32string& text, const DesktopRegion& region) {
        EngineDesktopAdapter desktop{boxes, loop, help};
        Engine engine{profile, translator, desktop, dialog, region};
        const EngineHandle handle = engine.EngineInit();
        const int session = engine.OpenQuietSession(handle, U"test");
        std::u32string out;
        std::size_t copied = 0;
        engine.ConvertQuietly(handle, session, AsProgramText(text, 0, text.size(), true),
                              [&](const FoundChange& change, const ReplacementParts* parts) {
                                  out += std::u32string_view(text).substr(copied,
                                                                          change.Start - copied);
                                  out += parts->Text();
                                  copied = change.End;
                                  return true;
                              });
        out += std::u32string_view(text).substr(copied);
        return out;
    }

    // A rule, the desktop it is read on, and the text before and after.
    struct Row {
        const char32_t* rule;
        DesktopRegion desktop;
        const char32_t* text;
        const char32_t* converted;
    };
    void ExpectRows(std::initializer_list<Row> rows) {
        for (const Row& row : rows) {
            SCOPED_TRACE(TextToUtf8(row.rule));
            EXPECT_EQ(Convert(row.text, row.desktop), row.converted);
        }
    }

    const DesktopRegion english{kIEP, U'.', false, 0x09, {}};
    const DesktopRegion french{kFRF, U',', false, 0x0C, {}};
    const DesktopRegion german{kDEM, U',', false, 0x07, {}};
    const DesktopRegion italian{kITL, U',', false, 0x10, {}};
    const DesktopRegion dutch{kNLG, U',', false, 0x13, {}};
    const DesktopRegion portuguese{kPTE, U',', false, 0x16, {}};
    const DesktopRegion spanish{kESP, U',', false, 0x0A, {}};
    testing::FakeMessageBoxes boxes;
};

struct Sentence {
    const char32_t* form;
    const char32_t* text;
    const char32_t* converted;
};

TEST_F(EverydayConversion, RealSentencesAsACarefulReaderExpects) {
    const Sentence sentences[] = {
        {U"symbol before, sentence ends", U"Die Versandkosten betragen DM 7,30.",
         U"Die Versandkosten betragen € 3,73 (DM 7,30)."},
        {U"comma and quotes stay outside", U"DM 1.234,56, fällig am „20,00 DM“",
         U"€ 631,22 (DM 1.234,56), fällig am „€ 10,23 (20,00 DM)“"},
        {U"no-break space", U"Porto 3,00\u00a0DM", U"Porto € 1,53 (3,00\u00a0DM)"},
        {U"blank groups thousands", U"Die Miete: 27 000 DM im Jahr",
         U"Die Miete: € 13.804,88 (27 000 DM) im Jahr"},
        {U"magnitude word kept", U"Umsatz 1,04 Milliarden Mark",
         U"Umsatz € 0,53 Milliarden (1,04 Milliarden Mark)"},
        {U"smaller magnitude where the value falls short", U"2 Mrd. Lire",
         U"€ 1,03 Mio. (2 Mrd. Lire)"},
        {U"subunit", U"kostete 20 Pfennig", U"kostete € 0,10 (20 Pfennig)"},
        {U"an abbreviation keeps its full stop", U"kostete 20 Pfg. am Kiosk",
         U"kostete € 0,10 (20 Pfg.) am Kiosk"},
        {U"escudo sign as decimal separator", U"uma bica por 1$20", U"uma bica por € 0,01 (1$20)"},
        {U"range in one word", U"Einzelfahrkarte 2,40-4,40 DM",
         U"Einzelfahrkarte € 1,23 (2,40 DM)-€ 2,25 (4,40 DM)"},
        {U"a range in one word whose first number looks like a year", U"Miete 2000-3000 DM",
         U"Miete € 1.022,58 (2000 DM)-€ 1.533,88 (3000 DM)"},
        {U"a range in one word with the sign touching its first number", U"Preis DM5-10",
         U"Preis € 2,56 (DM5)-€ 5,11 (DM 10)"},
        {U"range in words", U"zwischen 20 und 100 Mark",
         U"zwischen € 10,23 (20 Mark) und € 51,13 (100 Mark)"},
        {U"two amounts, one symbol each", U"Preis 10 DM 20 DM",
         U"Preis € 5,11 (10 DM) € 10,23 (20 DM)"},
        {U"times, dates, years and codes in lower case",
         U"um 14.30 Uhr, seit dem 25. November 1998, Kapitel 2.10",
         U"um 14.30 Uhr, seit dem 25. November 1998, Kapitel 2.10"},
        {U"already in euros", U"Neu: 51,13 € statt 100 DM", U"Neu: 51,13 € statt € 51,13 (100 DM)"},
        {U"other money", U"12,50 Dollar und £ 7,20", U"12,50 Dollar und £ 7,20"},
        {U"one amount a line", U"1,04 Milliarden Mark\n2,9 Mio. DM\n20 Pfennig",
         U"€ 0,53 Milliarden (1,04 Milliarden Mark)\n€ 1,48 Mio. (2,9 Mio. DM)\n"
         U"€ 0,10 (20 Pfennig)"},
        {U"a symbol on the next line is not the amount's", U"Summe 2,50\nDM-Münzen",
         U"Summe € 1,28 (DEM 2,50)\nDM-Münzen"},
        {U"a bare price with a dash for its cents", U"Eintritt 25,- und Katalog 1928.- pro Stück",
         U"Eintritt € 12,78 (DEM 25,-) und Katalog € 985,77 (DEM 1928.-) pro Stück"},
        {U"a subunit the euro shares is the older money's right after its amount",
         U"Der Euro kam 2002. Zuvor galt: 1 Gulden = 100 Cent, und 50 Cent blieben 50 Cent.",
         U"Der Euro kam 2002. Zuvor galt: € 0,45 (1 Gulden) = € 0,45 (100 Cent), und 50 Cent "
         U"blieben 50 Cent."},
        {U"a column under a heading that names its money",
         U"Posten\nDM\n\nMiete 1.220\nStrom 85\nSumme: siehe unten",
         U"Posten\nDM\n\nMiete € 623,78 (DEM 1.220)\nStrom € 43,46 (DEM 85)\nSumme: siehe unten"},
        {U"a list whose lines mark their prices in one money",
         U"Brot DM 3,50\nButter 2,20 DM\nKäse 12",
         U"Brot € 1,79 (DM 3,50)\nButter € 1,12 (2,20 DM)\nKäse € 6,14 (DEM 12)"},
        {U"a bare number a change leads to, before a mark of its own",
         U"Er stieg von 30 DM auf 50!", U"Er stieg von € 15,34 (30 DM) auf € 25,56 (50 DM)!"},
        {U"a doubled dash for the cents", U"Die Pacht betrug 40.000,-- im Jahr.",
         U"Die Pacht betrug € 20.451,68 (DEM 40.000,--) im Jahr."},
        {U"a dash after whole money is its cents, not a minus", U"Preis DM 25- je Stück",
         U"Preis € 12,78 (DM 25-) je Stück"},
        {U"a number word of one language that joins amounts in another",
         U"Zu 5 DM und DM 10, oder 25 DM en DM 50.",
         U"Zu € 2,56 (5 DM) und € 5,11 (DM 10), oder € 12,78 (25 DM) en € 25,56 (DM 50)."},
        {U"a currency's name touching the number", U"Er zahlte 500Mark und 100.000Schilling.",
         U"Er zahlte € 255,65 (500Mark) und € 7.267,28 (100.000Schilling)."},
        {U"a dash for the cents set off by a blank, after money's sign or before its name",
         U"Ein Heft um DM 1, - -, eine Mappe 20, - Mark, und 1995, - als alles teurer wurde.",
         U"Ein Heft um € 0,51 (DM 1, - -), eine Mappe € 10,23 (20, - Mark), und 1995, - als "
         U"alles teurer wurde."},
        {U"a comma, or a full stop before a capital, with no blank after it ends the name",
         U"Er zahlte 100 Mark,danach 50 Mark.Dann 11,75 v.H. Zinsen.",
         U"Er zahlte € 51,13 (100 Mark),danach € 25,56 (50 Mark).Dann 11,75 v.H. Zinsen."},
        {U"a name broken by a hyphen at a line's end, but not a word joined by one",
         U"Er sparte 600.000 Schil- ling und 9 Mark-\nstücke, kein Mark- und Pfennigbetrag.",
         U"Er sparte € 43.603,70 (600.000 Schil- ling) und 9 Mark-\nstücke, kein Mark- und "
         U"Pfennigbetrag."},
        {U"a number with money of its own after it takes no sign before it",
         U"Kaution 500 DM 16,60 € Gebühr", U"Kaution € 255,65 (500 DM) 16,60 € Gebühr"},
        {U"a sum with only its magnitude, in a text with sums in one money",
         U"Der Etat: 2,5 Milliarden Mark, davon 900 Millionen für Straßen.",
         U"Der Etat: € 1,28 Milliarden (2,5 Milliarden Mark), davon € 460,16 Millionen (DEM 900 "
         U"Millionen) für Straßen."},
    };
    for (const Sentence& s : sentences) {
        SCOPED_TRACE(TextToUtf8(s.form));
        EXPECT_EQ(Convert(s.text), s.converted);
    }
}

// One row per rule that keeps a wrong value out; the desktop is German unless named.
TEST_F(EverydayConversion, NoWrongValue) {
    ExpectRows({
        {U"a million and thousands without a word between them are one sum", italian,
         U"circa 1 milione 200 mila lire odierne",
         U"circa € 619,75 (1 milione 200 mila lire) odierne"},
        {U"a currency's name before a year speaks of the money", german,
         U"Der Todesstoß wurde dem Schilling 1999 versetzt.",
         U"Der Todesstoß wurde dem Schilling 1999 versetzt."},
        {U"each value of a list of notes names a note", german,
         U"Es gab DM5, DM10 und DM20 Scheine.", U"Es gab DM5, DM10 und DM20 Scheine."},
        {U"a ratio", german, U"im Verhältnis 1:1,45 geteilt", U"im Verhältnis 1:1,45 geteilt"},
        {U"three digits after an English stop group thousands, as the writer's country does",
         french, U"The rent was 3.500 francs a month, or 42.000 francs a year.",
         U"The rent was € 533,57 (3.500 francs) a month, or € 6.402,86 (42.000 francs) a year."},
        {U"but not where the text shows the stop as its decimal mark", german,
         U"Multiply by the rate of 1.95583. This gives a result of DM 248.340 in all.",
         U"Multiply by the rate of 1.95583. This gives a result of € 126,97 (DM 248.340) in all."},
        {U"after the language's decimal comma, three zeros or two whole digits group thousands",
         german, U"Er verdiente 42,000 Mark im Jahr; der Liter Super kostete 1,659 DM.",
         U"Er verdiente € 21.474,26 (42,000 Mark) im Jahr; der Liter Super kostete € 0,85 (1,659 "
         U"DM)."},
        {U"a sign after a year is the next number's", german,
         U"Im Jahr 2001 kostete die Karte DM 25 und 1999 DM 20.",
         U"Im Jahr 2001 kostete die Karte € 12,78 (DM 25) und 1999 € 10,23 (DM 20)."},
        {U"a sign with its full stop after a year is the next number's", italian,
         U"Nel 1990 L. 1.000 bastavano.", U"Nel 1990 € 0,52 (L. 1.000) bastavano."},
        {U"a page cited by an abbreviation that is also a sign",
         DesktopRegion{kATS, U',', false, 0x07, {}},
         U"Siehe S. 12, dort steht der Preis von S 100,- pro Stück.",
         U"Siehe S. 12, dort steht der Preis von € 7,27 (S 100,-) pro Stück."},
        {U"a sum whose half follows in words", italian,
         U"Il premio era di 2 milioni e mezzo di lire, il biglietto 10 mila lire.",
         U"Il premio era di 2 milioni e mezzo di lire, il biglietto € 5,16 (10 mila lire)."},
        {U"a short sentence whose few common words are all of one language", german,
         U"The previous price was 4,500 marks.",
         U"The previous price was € 2.300,81 (4,500 marks)."},
        {U"a shared subunit in a text that names two old moneys that have it", german,
         U"Der belgische Franken hieß hier Franc; 100 Centimes ergaben einen Franken.",
         U"Der belgische Franken hieß hier Franc; 100 Centimes ergaben einen Franken."},
        {U"a billion in a text whose language is not told", french, U"3.88 billion DM",
         U"€ 1,98 billion (3.88 billion DM)"},
        {U"a number's end glued to a mark before its start", german,
         U"Sie kostete damals noch ~90 000 DM.",
         U"Sie kostete damals noch ~€ 46.016,27 (90 000 DM)."},
        {U"the decimal mark the writer shows elsewhere", english,
         U"Shares reached £7,361 billion, a fall of 0,32 %.",
         U"Shares reached € 9,35 billion (£7,361 billion), a fall of 0,32 %."},
        {U"a number with both marks and three digits after the last tells nothing", german,
         U"Der Lohn war 158.069 DM im Monat und 1,896.828 DM im Jahr.",
         U"Der Lohn war € 80.819,40 (158.069 DM) im Monat und 1,896.828 DM im Jahr."},
        {U"cents in words after the amount", english, U"An item costs 32 pounds, eighty pence.",
         U"An item costs 32 pounds, eighty pence."},
        {U"a bare number joined to a count with a magnitude", german,
         U"Die Zahl sank von 2,46 auf 2,36 Millionen.",
         U"Die Zahl sank von 2,46 auf 2,36 Millionen."},
        {U"the pound sign in a sentence about Britain", english,
         U"A flat in London made £60,000 then.", U"A flat in London made £60,000 then."},
        {U"a number after a word that refers to a part of a text", german,
         U"Im Punkt 19 lit a ist ein Beistrich zu setzen.",
         U"Im Punkt 19 lit a ist ein Beistrich zu setzen."},
        {U"a fixed euro rate in an English text", english, U"The rate was 1 € = 166,386 pesetas.",
         U"The rate was 1 € = € 1,00 (166,386 pesetas)."},
        {U"each smaller part of a sum written with several magnitudes", italian,
         U"Il debito era di 2 miliardi 300 milioni 400 mila lire.",
         U"Il debito era di € 1,19 milioni (2 miliardi 300 milioni 400 mila lire)."},
        {U"bare numbers in a text that names only the euro", german,
         U"Beim Euro wird ein Betrag von 4,184 auf 4,18 gerundet.",
         U"Beim Euro wird ein Betrag von 4,184 auf 4,18 gerundet."},
        {U"an English magnitude in English text", german,
         U"The company said it had spent 3 billion DM on the plant.",
         U"The company said it had spent € 1,53 billion (3 billion DM) on the plant."},
        {U"a French magnitude in French text", french,
         U"Il a payé 1 million de francs pour la maison et le jardin.",
         U"Il a payé € 0,15 million (1 million de francs) pour la maison et le jardin."},
        {U"thousands are never written", german, U"Das waren 1,5 Tsd. DM.",
         U"Das waren € 766,94 (1,5 Tsd. DM)."},
        {U"the English number format in an English sentence", german,
         U"The loss was about 10,000 marks for each of the workers.",
         U"The loss was about € 5.112,92 (10,000 marks) for each of the workers."},
        {U"the German number format on an English desktop", english,
         U"Die Firma hat 1.234,56 DM für die Arbeit bezahlt.",
         U"Die Firma hat € 631,22 (1.234,56 DM) für die Arbeit bezahlt."},
        {U"a comma and a blank never part whole and cents", german,
         U"Im Jahr 2024, 10 DM waren viel.", U"Im Jahr 2024, € 5,11 (10 DM) waren viel."},
        {U"a sign between a year and money marks the money", german,
         U"von 1989 bis 1999 ATS 20,- je Stück", U"von 1989 bis 1999 € 1,45 (ATS 20,-) je Stück"},
        {U"a number closing a clause takes no sign after it", german,
         U"Rechnung Nr. 4711, DM 163,02", U"Rechnung Nr. 4711, € 83,35 (DM 163,02)"},
        {U"cents after the currency's name", german, U"Das kostete 3 Mark 50.",
         U"Das kostete € 1,79 (3 Mark 50)."},
        {U"a sign after a number word is that one's", german, U"für eine Mark 100 Gummibärchen",
         U"für eine Mark 100 Gummibärchen"},
        {U"no cents across a list", german, U"3 DM, 4 DM, 50 Pfennig",
         U"€ 1,53 (3 DM), € 2,05 (4 DM), € 0,26 (50 Pfennig)"},
        {U"no cents beside an amount that has its own", german, U"4,40 DM 50 Pfennig",
         U"€ 2,25 (4,40 DM) € 0,26 (50 Pfennig)"},
        {U"a price dated after the euro came", german,
         U"1999 kostete sie 3,50 DM, 2003 4,90 und 2007 stolze 5,40.",
         U"1999 kostete sie € 1,79 (3,50 DM), 2003 4,90 und 2007 stolze 5,40."},
        {U"never a zero for a nonzero amount", german, U"Das kostet 1 Lira.",
         U"Das kostet 1 Lira."},
        {U"whole numbers listed with the blank after a comma lost", german,
         U"Ich habe noch 200 Mark in Scheinen zu 20,10, 50, 100 daheim.",
         U"Ich habe noch € 102,26 (200 Mark) in Scheinen zu 20,10, 50, 100 daheim."},
        {U"cents in a list of whole numbers stay cents", german, U"Münzen zu 0,50, 1, 2 und 5 Mark",
         U"Münzen zu € 0,26 (0,50 Mark), € 0,51 (1 Mark), € 1,02 (2 Mark) und € 2,56 (5 Mark)"},
        {U"a shared sign is other money where the text names that money", english,
         U"The pub takes sterling: £10 buys a meal, and IR£5 a pint.",
         U"The pub takes sterling: £10 buys a meal, and € 6,35 (IR£5) a pint."},
        {U"a magnitude that counts people, or beside sums in two moneys", german,
         U"Für 2,5 Milliarden Mark bauen 3 Millionen Menschen; 5 Milliarden Franc, 2 Millionen.",
         U"Für € 1,28 Milliarden (2,5 Milliarden Mark) bauen 3 Millionen Menschen; € 0,76 "
         U"Milliarden (5 Milliarden Franc), 2 Millionen."},
        {U"a heading's column ends at a line that does not end in a number", german,
         U"Tabelle\nDM\nStand Mai\nSeite 2", U"Tabelle\nDM\nStand Mai\nSeite 2"},
        {U"a list with one marked price, or prices in two moneys", german,
         U"Brot DM 3,50\nKäse 12\nund dann:\nPain 2 FF\nBrot 3 DM\nKäse 12",
         U"Brot € 1,79 (DM 3,50)\nKäse 12\nund dann:\nPain € 0,30 (2 FF)\nBrot € 1,53 (3 DM)\n"
         U"Käse 12"},
        {U"a note named by its value with the sign before it", english,
         U"Many kept the £5 notes as souvenirs.", U"Many kept the £5 notes as souvenirs."},
        {U"a year after the word for year", english, U"In the year 2001 pounds were still used.",
         U"In the year 2001 pounds were still used."},
        {U"a subunit the euro shares, in brackets beside old money", italian,
         U"Un caffè costava 150 lire (8 centesimi).", U"Un caffè costava 150 lire (8 centesimi)."},
        {U"old money beside the euro written as a touching e", english,
         U"It rose from e0.44 (IR£0.35) to e0.47.", U"It rose from e0.44 (IR£0.35) to e0.47."},
        {U"old money in brackets after a bare number, where the euro is named", german,
         U"2008 waren es 227,66 Euro (445,26 DM), 2009 dann 256,12 (500,93 DM).",
         U"2008 waren es 227,66 Euro (445,26 DM), 2009 dann 256,12 (500,93 DM)."},
        {U"a clause numbered with a dash", german, U"7.-(1) Wer die Regel bricht, zahlt.",
         U"7.-(1) Wer die Regel bricht, zahlt."},
        {U"a word after a number's own full stop starts the next sentence",
         DesktopRegion{kPTE, U',', false, 0x16, {}}, U"Custou 1.650$00. Mil pessoas pagaram.",
         U"Custou € 8,23 (1.650$00). Mil pessoas pagaram."},
        {U"a grouped number takes its named subunit", german,
         U"Die Rente beträgt 2.964 Mark und 93 Pfennig.",
         U"Die Rente beträgt € 1.515,94 (2.964 Mark und 93 Pfennig)."},
        {U"three digits after a comma group thousands where no language tells", italian,
         U"costava 10,000 lire", U"costava € 5,16 (10,000 lire)"},
        {U"before a magnitude word the language's decimal mark holds", german,
         U"The budget rose by DM 1.579 billion in total.",
         U"The budget rose by € 0,81 billion (DM 1.579 billion) in total."},
        {U"a bare number where the home money is written only with magnitude words", german,
         U"Investiert wurden 3,27 Milliarden Mark, davon 1,79 im Jahr 1998.",
         U"Investiert wurden € 1,67 Milliarden (3,27 Milliarden Mark), davon 1,79 im Jahr 1998."},
        {U"millions set off by a comma, and a full stop and dashes for the cents",
         DesktopRegion{kATS, U',', false, 0x07, {}},
         U"Die Kosten sind mit S 2,500.000.-- zu beziffern.",
         U"Die Kosten sind mit € 181.682,09 (S 2,500.000.--) zu beziffern."},
        {U"francs and centimes as old print abbreviates them", french,
         U"frais de 6 fr. 70 c. par kilogramme", U"frais de € 1,02 (6 fr. 70 c.) par kilogramme"},
        {U"a number whose comma runs into the next word", dutch,
         U"een overschot van f 800.000,terwijl het",
         U"een overschot van € 363.024,17 (f 800.000),terwijl het"},
        {U"the smaller part after a magnitude glued to the number", italian,
         U"emise una fattura da 21mila e 700 lire per quattro coperti",
         U"emise una fattura da € 11,21 (21mila e 700 lire) per quattro coperti"},
        {U"a dash for the cents between the number and its sign",
         DesktopRegion{kATS, U',', false, 0x07, {}}, U"Die Miete betrug 1.480.-ATS im Monat.",
         U"Die Miete betrug € 107,56 (1.480.-ATS) im Monat."},
        {U"a sum with only its magnitude word and a word for about after it", italian,
         U"La casa costava 200 milioni di lire, la villa 350 milioni circa.",
         U"La casa costava € 0,10 milioni (200 milioni di lire), la villa € 0,18 milioni (ITL 350 "
         U"milioni) circa."},
        {U"a day after its month", DesktopRegion{kFIM, U',', false, 0x0B, {}},
         U"They charged her 20,198 Markka when she moved to Finland on August 4, 1999.",
         U"They charged her € 3.397,06 (20,198 Markka) when she moved to Finland on August 4, "
         U"1999."},
        {U"an abbreviation's own full stop between a year and a sum", dutch,
         U"De lonen bedroegen in 1995 fl. 2.347.130,- in totaal.",
         U"De lonen bedroegen in 1995 € 1.065.081,16 (fl. 2.347.130,-) in totaal."},
        {U"the pound sign in an English text on an Italian desktop", italian,
         U"With 2,445 lire to a pound, change £100 and you were a millionaire.",
         U"With € 1,26 (2,445 lire) to a pound, change £100 and you were a millionaire."},
        {U"the markka with its penni", DesktopRegion{kFIM, U',', false, 0x0B, {}},
         U"Korven höjs till 26 mk 60 p.", U"Korven höjs till € 4,47 (26 mk 60 p.)"},
        {U"thousands of a word that has a larger one may be its decimals", german,
         U"Der Überschuss betrug 1.664 Mrd. DM.", U"Der Überschuss betrug 1.664 Mrd. DM."},
        {U"a footnote's digit glued to the code after a sum", german,
         U"Verkauft für insgesamt 353.194.951 DEM1.", U"Verkauft für insgesamt 353.194.951 DEM1."},
        {U"a stop the sentence goes on after is the sign's", french,
         U"L'amende est de 50 F. pour les piétons.",
         U"L'amende est de € 7,62 (50 F.) pour les piétons."},
        {U"the cents of an amount in words", german, U"Das Brot kostete eine Mark und 20 Pfennig.",
         U"Das Brot kostete eine Mark und 20 Pfennig."},
        {U"each value of a list of coins", german, U"Es gibt 1, 2 und 5 DM Münzen.",
         U"Es gibt 1, 2 und 5 DM Münzen."},
        {U"each value of a list of coins with its sign, over a broken line", german,
         U"Neben DM 1, DM 2 und DM\n5 Münzen gab es Scheine.",
         U"Neben DM 1, DM 2 und DM\n5 Münzen gab es Scheine."},
        {U"decimals set off in groups", french, U"au taux de 1 euro pour 6,559 57 F ;",
         U"au taux de 1 euro pour 6,559 57 F ;"},
        {U"a year after its month", german, U"Bis zum 31. Dezember 2001 Deutsche Mark zahlen.",
         U"Bis zum 31. Dezember 2001 Deutsche Mark zahlen."},
        {U"no bare cents for money without coins below its unit", italian,
         U"Un gusto 15 lire, 30 lire 3 gusti.",
         U"Un gusto € 0,01 (15 lire), € 0,02 (30 lire) 3 gusti."},
        {U"a sum joined to a like one with a magnitude word may share it", german,
         U"Ein Einkommen zwischen 45 DM und 60 Mio. DM.",
         U"Ein Einkommen zwischen 45 DM und € 30,68 Mio. (60 Mio. DM)."},
        {U"words of ours that money named in words of its own also uses", german,
         U"East German marks were exchanged 1:1 for the first 4000 Marks; visitors got 100 DM.",
         U"East German marks were exchanged 1:1 for the first 4000 Marks; visitors got € 51,13 "
         U"(100 DM)."},
        {U"pence in a text that names sterling", english,
         U"The Irish pound fell below 74 pence against sterling.",
         U"The Irish pound fell below 74 pence against sterling."},
        {U"a price per unit in money the word before the slash names", german,
         U"Der Strom kostete 3,03 s/kWh und 12,50 DM im Monat.",
         U"Der Strom kostete 3,03 s/kWh und € 6,39 (12,50 DM) im Monat."},
        {U"the escudo sign as the decimal mark after groups set off by blanks", portuguese,
         U"um salário não inferior a 3 300$00 por mês",
         U"um salário não inferior a € 16,46 (3 "
         U"300$00) por mês"},
        {U"the euro value in words in brackets", portuguese,
         U"fixado em 1200 escudos (seis euros) desde 1941",
         U"fixado em 1200 escudos (seis euros) desde 1941"},
        {U"ranges in one word between numbers set off by blanks, each number read whole", french,
         U"Un ordinateur coûte 1000–4 000 francs, un autre FF 5 000–10 000, un serveur "
         U"1 250 000-2 000 000 francs.",
         U"Un ordinateur coûte € 152,45 (1000 francs)–€ 609,80 (4 000 francs), un autre € 762,25 "
         U"(FF 5 000)–€ 1.524,49 (FF 10 000), un serveur € 190.561,27 (1 250 000 francs)-"
         U"€ 304.898,03 (2 000 000 francs)."},
        {U"a stray blank after a comma before three digits and a magnitude word", german,
         U"Bewilligt wurden 1, 116 Mio. DM.", U"Bewilligt wurden 1, 116 Mio. DM."},
        {U"blank-grouped digits whose last group alone agrees with the euro value after them",
         german, U"bis 25 345,28 DM/176,54 € monatlich", U"bis 25 345,28 DM/176,54 € monatlich"},
        {U"a number after an elided reference word", french,
         U"par dérogation à l'art. 38 c. pén. l'amende",
         U"par dérogation à l'art. 38 c. pén. l'amende"},
        {U"euro cents written with the sign beside lire", italian,
         U"un'accisa di 75 lire (4 centesimi di €) su ogni litro",
         U"un'accisa di 75 lire (4 centesimi di €) su ogni litro"},
        {U"centavos set off from the escudo sign by a stray blank", portuguese,
         U"custava Esc. 33$ 21 o quilo", U"custava Esc. 33$ 21 o quilo"},
        {U"euro cents in Portuguese written beside escudos", portuguese,
         U"pagaram 20 escudos [10 cêntimos] pela ponte",
         U"pagaram 20 escudos [10 cêntimos] pela ponte"},
        {U"the last part of a sum begun with a magnitude word alone", german,
         U"Die Gebühren bringen rund Milliarde und 215 Millionen Mark ein.",
         U"Die Gebühren bringen rund Milliarde und 215 Millionen Mark ein."},
        {U"a year before a dash and a number grouped in thousands", italian,
         U"Bilancio 1842 – 9.400 lire", U"Bilancio 1842 – € 4,85 (9.400 lire)"},
        {U"words only a text about the GDR uses make its marks unsure", german,
         U"Arbeitete ich für VEB (Betriebe), dann musste ich über 8 Mark nehmen.",
         U"Arbeitete ich für VEB (Betriebe), dann musste ich über 8 Mark nehmen."},
        {U"a stray blank after a comma or a full stop inside a number", german,
         U"Der Schaden betrug 16, 8 Mio. DM, der Rest 5. 995 DM.",
         U"Der Schaden betrug 16, 8 Mio. DM, der Rest 5. 995 DM."},
        {U"hundreds after the thousands, before the money's name", german,
         U"Er erbte 180 Tausend 833 Mark.", U"Er erbte € 92.458,44 (180 Tausend 833 Mark)."},
        {U"money after the number outweighs a name before it", spanish,
         U"conservan en billetes de pesetas 1.664 millones de euros",
         U"conservan en billetes de pesetas 1.664 millones de euros"},
        {U"a sign after one decimal belongs to the price after it", dutch,
         U"Wieden 9,0 ƒ 1,80 per week", U"Wieden 9,0 € 0,82 (ƒ 1,80) per week"},
        {U"a year after \"in\" with a currency's name", french,
         U"After the war, in 1944 franc was pegged to the dollar.",
         U"After the war, in 1944 franc was pegged to the dollar."},
        {U"a number before a unit of time or weight", english,
         U"7 p.m. to 7.10 p.m. first speaker; a coin of 0.96 grams.",
         U"7 p.m. to 7.10 p.m. first speaker; a coin of 0.96 grams."},
        {U"bare cents after an abbreviation's full stop", french,
         U"Façon d'un habit : 5 francs (1789) – 7 fr. 50 (an IX).",
         U"Façon d'un habit : € 0,76 (5 francs) (1789) – 7 fr. 50 (an IX)."},
        {U"the pound sign after a sentence that speaks of Britain", english,
         U"We caught a plane from Manchester. I paid an extra £60 for legroom.",
         U"We caught a plane from Manchester. I paid an extra £60 for legroom."},
        {U"a range whose first number may share the thousands of the second", italian,
         U"uno stipendio di 800-850.000 lire", U"uno stipendio di 800-€ 438,99 (850.000 lire)"},
        {U"a range of escudos with the sign as the decimal mark", portuguese,
         U"Havia também o sortido a 6$60-11$20.",
         U"Havia também o sortido a € 0,03 (6$60)-€ 0,06 (11$20)."},
        {U"a lone letter that looks like a digit before a number", english,
         U"A guarantee (IEP l 200 million) and a grant (IEP 100 million).",
         U"A guarantee (IEP l 200 million) and a grant (€ 126,97 million (IEP 100 million))."},
        {U"a sum in brackets right after a sum in named money", portuguese,
         U"Foram 3,5 milhões de contos (cerca de 17 milhões).",
         U"Foram € 17,46 milhões (3,5 milhões de contos) (cerca de 17 milhões)."},
        {U"a whole number with a full stop the sentence goes on after is an ordinal", german,
         U"Die Preise stiegen von 20 DM auf 30 DM, die Teams auf 3. und 4. Plätze.",
         U"Die Preise stiegen von € 10,23 (20 DM) auf € 15,34 (30 DM), die Teams auf 3. und 4. "
         U"Plätze."},
        {U"the euro value first in brackets, but not a value it is only near", spanish,
         U"Por 1.400 millones de pesetas (8,41 millones en euros) o 50 pesetas (hoy 30 céntimos).",
         U"Por 1.400 millones de pesetas (8,41 millones en euros) o € 0,30 (50 pesetas) (hoy 30 "
         U"céntimos)."},
        {U"a unit right after the number outweighs a name before it",
         DesktopRegion{kFIM, U',', false, 0x0B, {}},
         U"Do you remember what things cost in marks 21 years ago?",
         U"Do you remember what things cost in marks 21 years ago?"},
        {U"a number with a dash for its cents that opens a line before a capital", spanish,
         U"4.- Las modificaciones suman 500 pesetas.",
         U"4.- Las modificaciones suman € 3,01 (500 pesetas)."},
        {U"a range set off by blanks whose second number alone has the magnitude", german,
         U"Die Kosten lagen bei DM 2 - 3 Mio. im Jahr.",
         U"Die Kosten lagen bei DM 2 - 3 Mio. im Jahr."},
        {U"a shared sign is other money where the text writes ours by its code", english,
         U"It cost IEP 1.50, approx £1.20 then.", U"It cost € 1,90 (IEP 1.50), approx £1.20 then."},
    });
}

// One row per rule by which the text around a number tells its money.
TEST_F(EverydayConversion, TheTextAroundANumberTellsItsMoney) {
    const DesktopRegion& irish = english;
    ExpectRows({
        {U"the money's sign before a number that carries it too", portuguese,
         U"deve acrescer à proposta Esc. 140.000.000$00 de trabalhos",
         U"deve acrescer à proposta € 698.317,06 (Esc. 140.000.000$00) de trabalhos"},
        {U"a subunit the euro shares, in a sentence dated before the euro", french,
         U"Envoyée le 5 février 1993, elle coûtait 28 centimes. En 2004, 50 centimes.",
         U"Envoyée le 5 février 1993, elle coûtait € 0,04 (28 centimes). En 2004, 50 centimes."},
        {U"a subunit the euro shares, in a long sentence dated before the euro", dutch,
         U"Op 1 november 1957 was het tarief voor een binnenlandse brief verhoogd van 10 "
         U"cent naar 12 cent.",
         U"Op 1 november 1957 was het tarief voor een binnenlandse brief verhoogd van € 0,05 "
         U"(10 cent) naar € 0,05 (12 cent)."},
        {U"a subunit the euro shares, in a sentence dated by a full date", dutch,
         U"Het tarief was tussen 1-6-1965 en 1-5-1966 18 cent tot 20 gram.",
         U"Het tarief was tussen 1-6-1965 en 1-5-1966 € 0,08 (18 cent) tot 20 gram."},
        {U"a bare number after the same word as an amount before it", german,
         U"Benzin gab es für 45 Pfennige, Super für 52 und Diesel für 43 Pfennig.",
         U"Benzin gab es für € 0,23 (45 Pfennige), Super für € 0,27 (52 Pfennige) und Diesel für € "
         U"0,22 (43 Pfennig)."},
        {U"a bare number in brackets, as the amount before it", german,
         U"Teuer ist es auf den Bahamas (101 DM), in Jordanien (98) und auf Malta (92).",
         U"Teuer ist es auf den Bahamas (€ 51,64 (101 DM)), in Jordanien (€ 50,11 (98 DM)) und auf "
         U"Malta (€ 47,04 (92 DM))."},
        {U"a sum with only its magnitude word, in the money of the one before with that word",
         english, U"Spending of 3.8 billion pounds ($4.8 billion) on revenue of 3.19 billion.",
         U"Spending of € 4,83 billion (3.8 billion pounds) ($4.8 billion) on revenue of € 4,05 "
         U"billion (IEP 3.19 billion)."},
        {U"a bare number a change leads to, with a short word after it", german,
         U"Der Preis stieg von 20 DM auf 25 pro Stück.",
         U"Der Preis stieg von € 10,23 (20 DM) auf € 12,78 (25 DM) pro Stück."},
        {U"a bare number with a noun after it is no repeat of the pattern", german,
         U"Eintritt für 12 DM, Parken für 3 Stunden.",
         U"Eintritt für € 6,14 (12 DM), Parken für 3 Stunden."},
        {U"a bare number after and may be the cents of an amount in words", german,
         U"Es kostet 1 Mark und 93 Pfennig, das Brot eine Mark und 99.",
         U"Es kostet € 0,99 (1 Mark und 93 Pfennig), das Brot eine Mark und 99."},
        {U"a shared word is the money the text names in full", irish,
         U"Profit was 31 million Irish pounds ($66.6 million); costs rose to 81 million pounds.",
         U"Profit was € 39,36 million (31 million Irish pounds) ($66.6 million); costs rose to € "
         U"102,85 million (81 million pounds)."},
        {U"a subunit the euro shares, just before an amount in old money", french,
         U"1 EUR = 6,55957 FRF. Il y avait des pièces de 10, 20 et 50 centimes, et de 1 franc.",
         U"1 EUR = € 1,00 (6,55957 FRF). Il y avait des pièces de € 0,02 (10 centimes), € 0,03 (20 "
         U"centimes) et € 0,08 (50 centimes), et de € 0,15 (1 franc)."},
        {U"other money written only by its sign leaves a shared word ours", irish,
         U"The room cost 40 pounds ($62) a night.",
         U"The room cost € 50,79 (40 pounds) ($62) a night."},
        {U"amounts listed with a word for or", german,
         U"Die Gerichte kosten 7, 25 bzw. 35 Schilling.",
         U"Die Gerichte kosten € 0,51 (7 Schilling), € 1,82 (25 Schilling) bzw. € 2,54 (35 "
         U"Schilling)."},
        {U"a magnitude joined by a hyphen", german, U"Sie verdienen 6-Tausend Mark mehr.",
         U"Sie verdienen € 3.067,75 (6-Tausend Mark) mehr."},
        {U"a subunit the euro shares, in a text that names only the old money", dutch,
         U"Een kwartje was 25 cent, in de tijd van de gulden.",
         U"Een kwartje was € 0,11 (25 cent), in de tijd van de gulden."},
        {U"a shared subunit joined to old money by and, where the euro is named", dutch,
         U"Een euro was ongeveer 2 gulden en 20 cent.",
         U"Een euro was ongeveer € 1,00 (2 gulden en 20 cent)."},
        {U"a main unit and a coin that is not a hundredth, joined by and", dutch,
         U"De huur was 1 gulden en 2 stuivers per week.",
         U"De huur was € 0,50 (1 gulden en 2 stuivers) per week."},
        {U"a list of things and prices whose first price names the money", german,
         U"Brötchen 2 Mark, Brot 6, Milch 10 (früher 8); Käse 14...",
         U"Brötchen € 1,02 (2 Mark), Brot € 3,07 (6 Mark), Milch € 5,11 (10 Mark) (früher € 4,09 "
         U"(8 Mark)); Käse € 7,16 (14 Mark)..."},
        {U"a number that ends the sentence is no price of the list", german,
         U"Er zahlte 20 DM, wohnte in Zimmer 12.",
         U"Er zahlte € 10,23 (20 DM), wohnte in Zimmer 12."},
        {U"notes listed downwards", french, U"des billets de 500 et 200 francs",
         U"des billets de € 76,22 (500 francs) et € 30,49 (200 francs)"},
        {U"a sum with only a magnitude, and a word that counts no thing after it", dutch,
         U"De omzet was 195 miljoen gulden, dat is 8 miljoen meer dan vorig jaar.",
         U"De omzet was € 88,49 miljoen (195 miljoen gulden), dat is € 3,63 miljoen (NLG 8 "
         U"miljoen) meer dan vorig jaar."},
        {U"a sum with only a magnitude, and a word for to with no number after it",
         DesktopRegion{kESP, U',', false, 0x0A, {}},
         U"De los 12.653 millones de pesetas del presupuesto, destinará 100 millones a la "
         U"recuperación.",
         U"De los € 76,05 millones (12.653 millones de pesetas) del presupuesto, destinará € 0,60 "
         U"millones (ESP 100 millones) a la recuperación."},
        {U"a sum with only a magnitude, in a text with large sums in digits", italian,
         U"Rossi passa al Vicenza per 2.610.000.000 lire. Nel 1984 Maradona passa al Napoli per "
         U"13 miliardi.",
         U"Rossi passa al Vicenza per € 1.347.952,51 (2.610.000.000 lire). Nel 1984 Maradona passa "
         U"al Napoli per € 6,71 milioni (ITL 13 miliardi)."},
        {U"money named twice is one amount, and a name before the next number is its own", irish,
         U"A fee of IR£1,000 Irish pounds; adults IR£5 IR£3 for children.",
         U"A fee of € 1.269,74 (IR£1,000 Irish pounds); adults € 6,35 (IR£5) € 3,81 (IR£3) for "
         U"children."},
        {U"a letter glued after a sign's number is a magnitude; without a sign it is a unit", irish,
         U"The tunnel of 740m cost IR£280m, the bridge £1.2bn.",
         U"The tunnel of 740m cost € 355,53 million (IR£280m), the bridge € 1,52 billion "
         U"(£1.2bn)."},
        {U"a letter glued to a number is a magnitude too where the money's name follows", italian,
         U"Restaurants would ask 35k lire, now 35 euros.",
         U"Restaurants would ask € 18,08 (35k lire), now 35 euros."},
        {U"a sum with only its magnitude after a sum with the magnitude glued to it", italian,
         U"Costava 93mila lire al metro, cioè circa 24 milioni.",
         U"Costava € 48,03 (93mila lire) al metro, cioè circa € 12.394,97 (ITL 24 milioni)."},
        {U"thousands after an amount of thousands of old money in its sentence", italian,
         U"Il biglietto costava 1500 lire, la tessera 24 mila e l’abbonamento 360 mila.",
         U"Il biglietto costava € 0,77 (1500 lire), la tessera € 12,39 (ITL 24 mila) e "
         U"l’abbonamento € 185,92 (ITL 360 mila)."},
        {U"a word for old between a sum and its money", italian,
         U"Costa 5 euro, cioè 9.681 delle vecchie lire.",
         U"Costa 5 euro, cioè € 5,00 (9.681 delle vecchie lire)."},
        {U"pence glued to the number, but sterling in a sentence about Britain", irish,
         U"A stamp cost 32p in 2001. In London a pint was 250p.",
         U"A stamp cost € 0,41 (32p) in 2001. In London a pint was 250p."},
        {U"a main unit's full stop ends no clause before its cents",
         DesktopRegion{kESP, U',', false, 0x0A, {}}, U"Costaba 119 ptas. y 25 céntimos.",
         U"Costaba € 0,72 (119 ptas. y 25 céntimos)."},
        {U"the franc's sign where the decimal mark would be", french,
         U"Le ticket coûtait 7F50 et le pain 35 fr. en 1990.",
         U"Le ticket coûtait € 1,14 (7F50) et le pain € 5,34 (35 fr.) en 1990."},
        {U"a colon groups thousands in old Portuguese print", portuguese,
         U"A ponte custaria 500:000 contos; o bilhete 85:000$00, na escala 1:100.",
         U"A ponte custaria € 2.493.989,49 (500:000 contos); o bilhete € 423,98 (85:000$00), na "
         U"escala 1:100."},
        {U"whole millions in digits take the money's name after a link word", italian,
         U"Vinse 1.000.000 di lire e 2.000.000 di abitanti.",
         U"Vinse € 516,46 (1.000.000 di lire) e 2.000.000 di abitanti."},
        {U"the sign before a range in one word, and the sign after the sum before it", german,
         U"Die Kosten lagen bei DM 2-3 Mio., der Eintritt bei 10 DM 2-3 Mal.",
         U"Die Kosten lagen bei € 1,02 Mio. (DM 2)-€ 1,53 Mio. (DM 3 Mio.), der Eintritt bei € "
         U"5,11 "
         U"(10 DM) 2-3 Mal."},
        {U"a range whose words take an article", portuguese,
         U"multas entre os 500 e os 5.000 escudos",
         U"multas entre os € 2,49 (500 escudos) e os € 24,94 (5.000 escudos)"},
        {U"a short magnitude word touching the money's name", german,
         U"Die Stadt gab 2,5 Mio.DM aus.", U"Die Stadt gab € 1,28 Mio. (2,5 Mio.DM) aus."},
        {U"apostrophes as the decimal mark, or setting off thousands", spanish,
         U"Costaba 159'2 pesetas; el sueldo, 1'011'000 pesetas.",
         U"Costaba € 0,96 (159'2 pesetas); el sueldo, € 6.076,23 (1'011'000 pesetas)."},
        {U"a comma before the millions in a language that writes a decimal comma",
         DesktopRegion{kATS, U',', false, 0x07, {}},
         U"Die Einnahmen steigen von 16,886.000 auf 19,125.000 Schilling.",
         U"Die Einnahmen steigen von € 1.227.153,48 (16,886.000 Schilling) auf € 1.389.867,95 "
         U"(19,125.000 Schilling)."},
        {U"the cents written twice, as decimals and by their letter", irish,
         U"A pint was IR£1.50p, a paper 45p.",
         U"A pint was € 1,90 (IR£1.50p), a paper € 0,57 (45p)."},
        {U"the sum in words in brackets between the number and its money", german,
         U"eine Strafe in Höhe von 500,00 (fünfhundert) DM, zahlbar in 15 (fünfzehn) Tagen",
         U"eine Strafe in Höhe von € 255,65 (500,00 (fünfhundert) DM), zahlbar in 15 (fünfzehn) "
         U"Tagen"},
    });
}

TEST_F(EverydayConversion, SignsCountOnlyWhereTheDesktopMakesThemPlain) {
    // "F" is a franc in France; on a German desktop a number beside it stays as it is,
    // and is not taken for marks either.
    EXPECT_EQ(Convert(U"Prix : 15 F", kFRF), U"Prix : € 2,29 (15 F)");
    EXPECT_EQ(Convert(U"Prix : 15,50 F"), U"Prix : 15,50 F");
    EXPECT_EQ(Convert(U"Preis 15 S", kATS), U"Preis € 1,09 (15 S)");
    EXPECT_EQ(Convert(U"Preis 15 S"), U"Preis 15 S");
}

TEST_F(EverydayConversion, ConvertingTwiceChangesNothing) {
    for (const bool replace : {false, true}) {
        for (const bool newInBrackets : {false, true}) {
            Settings().OutputReplace = replace;
            Settings().OutputNewAmountInBrackets = newInBrackets;
            const std::u32string once = Convert(U"Preis 12,50 DM, 2,9 Mio. DM und 20 Pfennig.");
            EXPECT_EQ(Convert(once), once) << TextToUtf8(once);
        }
    }
}

// Lets a test act where a long conversion pauses to let other events run.
class PauseHook final : public MessageLoop {
  public:
    std::function<void()> onPause;
    void ProcessPendingMessages() override {
        if (onPause)
            onPause();
    }
    void RunUntil(const std::function<bool()>& /*done*/) override {}
};

TEST_F(EverydayConversion, ASettingChangedDuringAPauseHoldsForTheAmountsAfterIt) {
    std::u32string text;
    constexpr std::size_t kLines = 100000;  // long enough to pause on any machine
    for (std::size_t i = 0; i < kLines; ++i)
        text += U"Summe 2,50\n";
    PauseHook hook;
    EngineDesktopAdapter desktop{boxes, hook, help};
    Engine engine{profile, translator, desktop, dialog, DesktopRegion{kDEM, U',', false, 0x07, {}}};
    const EngineHandle handle = engine.EngineInit();
    const int session = engine.OpenQuietSession(handle, U"test");
    std::size_t converted = 0;
    std::size_t beforeChange = 0;
    // Another client switches bare numbers off while the conversion lets it in.
    hook.onPause = [&] {
        if (converted > 0 && beforeChange == 0) {
            beforeChange = converted;
            Settings().InputNumbersWithoutSymbols = false;
        }
    };
    engine.ConvertQuietly(handle, session, AsProgramText(text, 0, text.size(), true),
                          [&](const FoundChange&, const ReplacementParts*) {
                              ++converted;
                              return true;
                          });
    ASSERT_GT(beforeChange, 0u) << "the conversion never paused after its first change";
    EXPECT_LT(beforeChange, kLines);
    EXPECT_EQ(converted, beforeChange);
}

TEST_F(EverydayConversion, SwitchedOffTheWordByWordRulesHold) {
    Settings().InputEverydayForms = false;
    // A lower-case code, a bare number in the default currency, and a symbol the
    // everyday forms would know but the list does not.
    EXPECT_EQ(Convert(U"seit dem 25 Jahren"), U"seit € 12,78 (dem 25) Jahren");
    EXPECT_EQ(Convert(U"Miete 1.250,00"), U"Miete € 639,11 (DEM 1.250,00)");
    EXPECT_EQ(Convert(U"kostete 20 Pfennig"), U"kostete 20 Pfennig");
    EXPECT_EQ(Convert(U"100 DM."), U"€ 51,13 (100 DM).");
    // A symbol the amount before it took is never read as the next one's.
    EXPECT_EQ(Convert(U"Preis 10 DM 20 DM"), U"Preis € 5,11 (10 DM) € 10,23 (20 DM)");
}

// Symbols of more than one word from the user's own lists, which no built-in form begins
// like: before and after the number, and case-sensitive.
TEST_F(EverydayConversion, TheUsersOwnSymbolsOfSeveralWordsAreRead) {
    Settings().SymbolListOf(kDEM).push_back(TCurrencySymbol::FromOptionNumber(U"harte Taler", 3));
    Settings().SymbolListOf(kDEM).push_back(TCurrencySymbol::FromOptionNumber(U"HT dt", 2 | 8));
    EXPECT_EQ(Convert(U"Er zahlte 20 harte Taler und Harte Taler 10 dazu, dann HT dt 4."),
              U"Er zahlte \u20AC 10,23 (20 harte Taler) und \u20AC 5,11 (Harte Taler 10) dazu, "
              U"dann \u20AC 2,05 (HT dt 4).");
}

}  // namespace
}  // namespace kassavero
