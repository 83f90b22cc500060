// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The ways people write amounts that the user's symbol lists do not hold: plurals, local
// names and abbreviations of each currency, subunits (Pfennig, centimes), magnitude words
// (Mio., milliards), foreign money and the words that say a number is a time, a clause or
// a quantity. Built in per language, kept apart from the user's lists, and consulted only
// by the everyday recognition.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/currency.h"

namespace kassavero {

// Where the desktop is. Its home currency decides the short signs that mean money only
// there ("F" in France, "S" in Austria, "kr" in Estonia); its decimal separator the bare
// numbers that may be prices.
struct DesktopRegion {
    CurrencyIndex home = kNoCurrency;
    char32_t decimalSeparator = U',';
    bool swiss = false;  // francs are Swiss francs there
    int language = 0;    // primary language number of the desktop (0x07 German ...)
    // The code of the later euro currency of the desktop's country ("BGN"), if any.
    std::u32string_view laterHome;

    bool operator==(const DesktopRegion&) const = default;
};

// The region of a desktop from its Windows language identifier.
DesktopRegion RegionOfLanguage(std::uint16_t languageId, char32_t decimalSeparator);

enum class FormKind : std::uint8_t {
    Currency,  // a currency of the program
    Foreign,   // other money: the amount is left alone
    Unit,      // a unit, percentage, time or count: the number is no amount
};

struct EverydayForm {
    FormKind kind = FormKind::Unit;
    CurrencyIndex currency = kNoCurrency;
    // A later euro currency ("BGN"): money of the program only where a custom currency
    // has its code.
    std::u32string_view laterCode;
    bool before = true;        // may stand before the number
    bool after = true;         // may stand after it
    bool glued = false;        // may touch the number ("100DM", "50F")
    double factor = 1.0;       // worth of one written unit: 0.01 for a subunit
    int magnitudeFamily = -1;  // a sign that is also a magnitude ("MF"): its words
    // A subunit name the euro shares with old currencies ("centimes", "céntimos",
    // "cents"): the old one where the text's other amounts are in it and none in euros.
    // The codes of those currencies ("NLG", "CYP"), in the order the files give them.
    const std::vector<std::u32string>* olders = nullptr;
    // Other money that makes these words unsure in the same text, lower-cased.
    const std::vector<std::u32string>* shares = nullptr;
    bool touching = false;  // only touching it ("e0.44" for the euro, never "e 0.44")
};

// The built-in form of a text, or nullptr. Signs whose meaning depends on the country
// count only in their country; where languages disagree, the text's language (a primary
// language number, -1 when not known) decides, then the desktop's.
// False for a word that cannot be one of the euro's names (a quick test before a look-up).
bool MayNameTheEuro(std::u32string_view text);
const EverydayForm* FindEverydayForm(std::u32string_view text, const DesktopRegion& region,
                                     int textLanguage = -1);
// The same with the text already lower-cased.
const EverydayForm* FindEverydayForm(std::u32string_view text, std::u32string_view lowered,
                                     const DesktopRegion& region, int textLanguage = -1);

// False where no built-in form of more than one word begins with this word, lower-cased:
// most words, so the longer phrases around a number need no look-up.
bool MayStartLongerForm(std::u32string_view lowered);

// A sign that stands for other money too ("kr" for kroons and kroner, "£" for Cyprus
// pounds and sterling).
bool IsAmbiguousSign(std::u32string_view text, std::u32string_view lowered);
// A word that other money may be written with where a text names it ("Mark" beside
// "Ostmark"), lower-cased.
bool IsSharedByOtherMoney(std::u32string_view lowered);

// A word that multiplies the number before it ("Mio.", "milliards", "mila").
struct MagnitudeWord {
    double factor = 1.0;
    int family = -1;  // words of one language and style, for writing the new amount
};

// The magnitude word of a text, or nullptr: in the text's language where languages
// disagree ("billion" is 10^9 in English, 10^12 in German), else the desktop's. `text` is
// one word or two joined by a blank ("mil millones").
const MagnitudeWord* FindMagnitude(std::u32string_view text, const DesktopRegion& region,
                                   int textLanguage = -1, bool* disputed = nullptr);
// The same where the language is worked out only if languages disagree about the word.
template <typename LanguageOf>
const MagnitudeWord* FindMagnitudeLazily(std::u32string_view text, const DesktopRegion& region,
                                         const LanguageOf& language) {
    bool disputed = false;
    const MagnitudeWord* word = FindMagnitude(text, region, -1, &disputed);
    return disputed ? FindMagnitude(text, region, language()) : word;
}

// The word of a family to write beside a value, and the factor it stands for: the word
// that was found while the value keeps two significant digits under it, else the largest
// smaller one. Empty when the value is below every word of the family, and for thousands,
// which nobody rounds to: "1,5 Tsd. DM" becomes "€ 766,94".
struct MagnitudeChoice {
    std::u32string word;
    double factor = 1.0;
};
MagnitudeChoice ChooseMagnitude(int family, double foundFactor, double value);

// Words after a magnitude that lead to the currency: "de", "di", "of".
bool IsMagnitudeLink(std::u32string_view text);

// The part of a word after a glued "d'" or "d’" ("d'euros"), or the word itself.
std::u32string_view WithoutElision(std::u32string_view text);

// The words that join two amounts, by what they say: "und", "oder", "bis", "statt", and
// the words a change leads to ("von 30 auf 40").
bool IsAndWord(std::u32string_view text);
bool IsOrWord(std::u32string_view text);
bool IsToWord(std::u32string_view text);
bool IsInsteadWord(std::u32string_view text);
bool IsLeadsToWord(std::u32string_view text);
// Words for a coin or note after its value: "5 DM Gedenkmünze", "25 kroon bills".
bool IsCoinWord(std::u32string_view text);
// One of the commonest short words of a language ("the", "und", "en").
bool IsCommonWord(std::u32string_view text);
// A word after a sum that tells it counts no thing ("8 miljoen meer", "290 milijonov je").
bool IsAfterSumWord(std::u32string_view text);
// A place where the pound sign is sterling ("London").
bool IsSterlingPlace(std::u32string_view text);
// "old" or "former" before the name of old money ("delle vecchie lire").
bool IsFormerWord(std::u32string_view text);
// The word for a year before its number ("im Jahr 2001", "leta 2007").
bool IsYearWord(std::u32string_view text);
// Small numbers written in words ("eine", "deux", "два").
bool IsNumberWord(std::u32string_view text);
// A number word of the language (a primary language number); of any language for -1.
bool IsNumberWordIn(std::u32string_view text, int language);
// The pairs that need a word before the first number ("zwischen 10 und 20").
bool IsRangeOpener(std::u32string_view opener, std::u32string_view joiner);

// Words after which a number is a reference, not money: "Kapitel", "§", "Nr.", "Seite".
bool IsReferenceWord(std::u32string_view text);
// Which language a text is written in, told by its commonest short words.
class LanguageCount {
  public:
    LanguageCount();
    void Add(std::u32string_view word);
    // The primary language number (0x07 German, 0x0C French ...) with the most such words,
    // if there are at least `least`; else -1.
    int Language(int least = 3) const;
    // Enough words are counted to tell; the rest need not be.
    bool Settled() const;
    // Whether texts in the language can be told at all.
    static bool Knows(int language);
    // The decimal separator texts in the language write, or 0 where none is known.
    static char32_t DecimalOf(int language);

  private:
    std::vector<int> hits_;
};
// Words before a time of day ("um 14.30"), and month names after a day ("25. November").
bool IsTimeWord(std::u32string_view text);
bool IsMonthName(std::u32string_view text);

}  // namespace kassavero
