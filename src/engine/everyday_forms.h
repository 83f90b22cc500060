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

#include "core/currency.h"

namespace kassavero {

// Where the desktop is. Its home currency decides the short signs that mean money only
// there ("F" in France, "S" in Austria, "L." in Italy); its decimal separator the bare
// numbers that may be prices.
struct DesktopRegion {
    CurrencyIndex home = kNoCurrency;
    char32_t decimalSeparator = U',';
    bool swiss = false;  // francs are Swiss francs there
    int language = 0;    // primary language number of the desktop (0x07 German ...)
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
    bool before = true;        // may stand before the number
    bool after = true;         // may stand after it
    bool glued = false;        // may touch the number ("100DM", "50F")
    double factor = 1.0;       // worth of one written unit: 0.01 for a subunit
    int magnitudeFamily = -1;  // a sign that is also a magnitude ("MF"): its words
    // A subunit name the euro shares with an old currency ("centimes", "céntimos",
    // "cent"): the old one where the text's other amounts are in it and none in euros.
    CurrencyIndex older = kNoCurrency;
};

// The built-in form of a text, or nullptr. Signs whose meaning depends on
// the country count only in their country.
const EverydayForm* FindEverydayForm(std::u32string_view text, const DesktopRegion& region);
// The same with the text already lower-cased.
const EverydayForm* FindEverydayForm(std::u32string_view text, const std::u32string& lowered,
                                     const DesktopRegion& region);

// A word that multiplies the number before it ("Mio.", "milliards", "mila").
struct MagnitudeWord {
    double factor = 1.0;
    int family = -1;  // words of one language and style, for writing the new amount
};

// The magnitude word of a text, or nullptr. `words` is one text or two joined by a blank
// ("mil millones").
const MagnitudeWord* FindMagnitude(std::u32string_view text);

// The word of a family to write beside a value, and the factor it stands for: the word
// that was found while the value keeps two significant digits under it, else the largest
// smaller one. Empty when the value is below every word of the family.
struct MagnitudeChoice {
    std::u32string word;
    double factor = 1.0;
};
MagnitudeChoice ChooseMagnitude(int family, double foundFactor, double value);

// Words after a magnitude that lead to the currency: "de", "di", "d'".
bool IsMagnitudeLink(std::u32string_view text);

// The part of a word after a glued "d'" or "d’" ("d'euros"), or the word itself.
std::u32string_view WithoutElision(std::u32string_view text);

// Words that join the two ends of a range ("bis", "à"), and the pairs that need a word
// before the first number ("zwischen 10 und 20", "von 10 auf 20").
bool IsRangeWord(std::u32string_view text);
bool IsRangeOpener(std::u32string_view opener, std::u32string_view joiner);

// Words after which a number is a reference, not money: "Kapitel", "§", "Nr.", "Seite".
bool IsReferenceWord(std::u32string_view text);
// Which language a text is written in, told by its commonest short words.
class LanguageCount {
  public:
    void Add(std::u32string_view word);
    // The primary language number (0x07 German, 0x0C French ...) with the most such words,
    // if there are at least three; else -1.
    int Language() const;
    // Enough words are counted to tell; the rest need not be.
    bool Settled() const;

  private:
    std::array<int, 7> hits_{};
};
// Words before a time of day ("um 14.30"), and month names after a day ("25. November").
bool IsTimeWord(std::u32string_view text);
bool IsMonthName(std::u32string_view text);

}  // namespace kassavero
