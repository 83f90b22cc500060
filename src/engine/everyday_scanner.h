// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Everyday recognition: amounts as people write them in letters, articles and price
// lists, on top of the symbol lists and number settings of the profile. It reads a whole
// text from left to right: a number with its symbol before or after it, a magnitude word
// ("2,9 Mio. DM"), a subunit ("20 Pfennig"), groups of digits split by blanks ("27 000"),
// ranges and lists that share one symbol ("2,40-4,40 DM", "zwischen 20 und 100 Mark"),
// and it never joins words across a line break. Amounts already in the target currency,
// and amounts written beside their converted value in brackets, are found but left alone,
// so converting a text twice changes nothing.

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/unicode_text.h"
#include "engine/amount_recognizer.h"
#include "engine/everyday_forms.h"
#include "engine/geplante_aenderung.h"

namespace kassavero {

struct ProfileSettings;

// A text split into the words the everyday recognition reads: blanks, no-break spaces and
// line breaks separate words; brackets, quotes and similar marks are words of their own.
class EverydayText {
  public:
    // 16 bytes: a long text has a word every five or six characters, and the reader
    // walks them back and forth.
    struct Token {
        std::uint32_t start;
        std::uint32_t end;
        std::uint32_t gapBefore;  // separating characters before it
        bool lineBefore;          // a line break lies between this word and the one before
    };

    explicit EverydayText(std::u32string_view text);

    std::u32string_view Text() const { return text_; }
    const std::vector<Token>& Tokens() const { return tokens_; }
    std::u32string_view TokenText(std::size_t index) const;
    // The first token that ends after the offset.
    std::size_t TokenAt(std::size_t offset) const;

    // What the whole text says about the money in it, worked out once when first needed:
    // the currencies its amounts are marked with, whether it names other money, and the
    // language it is written in.
    struct Facts {
        bool known = false;
        std::bitset<kCurrencyCount> marked;
        // Currencies the text also writes by their code ("CYP1.50"): a sign it shares
        // with other money ("£") then means the other money there.
        std::bitset<kCurrencyCount> markedByCode;
        // Currencies the text names by a form no other money has ("Cyprus pounds"): a
        // shared word ("pounds") then means them, whatever other money it names.
        std::bitset<kCurrencyCount> namedInFull;
        bool otherInFull = false;  // other money named so ("Norra kroon")
        bool otherNamed = false;   // other money named by a word, not only a sign or code
        // Currencies the text writes with a magnitude word ("2.086 millones de pesetas").
        std::bitset<kCurrencyCount> scaled;
        std::bitset<kCurrencyCount> unscaled;  // marked on a sum that is not large
        bool otherMoney = false;
        // Words the other money named in the text makes unsure ("mark" beside "Ostmark").
        std::vector<std::u32string> unsure;
        bool languageKnown = false;
        int language = -1;
        int euroNamed = -1;  // the euro named anywhere in the text: 1, 0, or -1 not known
        // The currencies named anywhere, by a word of their own; worked out where needed.
        bool namedKnown = false;
        std::bitset<kCurrencyCount> named;
        bool milsNamed = false;  // a thousandth of a currency named ("500 mils")
        // The signs that other money named anywhere in the text shares ("£" where it names
        // sterling), looked for when an amount with a shared sign first asks.
        bool sharedNamesKnown = false;
        std::vector<std::u32string> sharedByNamed;
        // The language of the sentence around each word, worked out where needed: a
        // primary language number, -1 not told, -2 not yet looked at.
        std::vector<int> localLanguage;
        std::vector<int> localLeaning;  // the same told by two words
        // The decimal mark the text's amounts show, where they agree; 0 if they do not tell.
        char32_t decimalShown = 0;
        // Whether any number of the text, money or not, shows a stop or a comma as its
        // decimal mark beyond doubt ("0.787564", "1,95583").
        bool stopIsDecimal = false;
        bool commaIsDecimal = false;
        // The last words of the lines below a column heading ("Lm" on a line of its own)
        // that are numbers, with the heading's currency; worked out where first needed.
        bool columnsKnown = false;
        std::vector<std::pair<std::size_t, CurrencyIndex>> column;
    };
    Facts& TextFacts() const { return facts_; }

  private:
    std::u32string_view text_;
    std::vector<Token> tokens_;
    mutable Facts facts_;
};

struct EverydayResult {
    TGeplanteAenderung proposal;
    bool convert = false;    // false: found, but to be left as it is
    std::size_t resume = 0;  // where the search goes on
};

class EverydayScanner {
  public:
    EverydayScanner(const ProfileSettings& settings, const DesktopRegion& region);

    // The next amount that begins at or after `from`; false when the text holds none.
    // Words before `from` belong to an amount found before and are never read as its
    // symbol.
    bool Next(const EverydayText& text, std::size_t from, EverydayResult& result) const;

  private:
    struct Symbol;
    struct Number;
    struct Amount;
    class Reader;

    // The user's symbol lists as two look-up tables, the first entry in list order
    // winning as it does word by word: case-sensitive entries by their text, the others
    // by their lower-case text.
    struct UserSymbol {
        const TCurrencySymbol* entry;
        CurrencyIndex list;
        std::size_t order;
    };
    SymbolMatch FindUserSymbol(std::u32string_view text, std::u32string_view lowered) const;
    // False where no symbol of the lists nor built-in form of more than one word begins
    // with this word: then only the word alone can be money.
    bool MayStartPhrase(std::u32string_view word) const;
    // The custom currency that holds a later euro currency ("BGN"), or kNoCurrency.
    CurrencyIndex CustomCurrencyOfCode(std::u32string_view code) const;
    // The currency of a code: a fixed one, else the custom currency that holds it.
    CurrencyIndex CurrencyOfCode(std::u32string_view code) const;

    const ProfileSettings& settings_;
    DesktopRegion region_;
    RecognizerCharSets sets_;
    // The thousands separators where the decimal separator is a comma, and where it is a
    // full stop: the text's language decides, else the desktop's.
    CharSet thousandsAfterComma_;
    CharSet thousandsAfterStop_;
    CharSet thousands_;  // the desktop's
    std::unordered_map<std::u32string, UserSymbol, TextHash, std::equal_to<>> exactSymbols_;
    std::unordered_map<std::u32string, UserSymbol, TextHash, std::equal_to<>> foldedSymbols_;
    // The lower-cased first words of the lists' symbols of more than one word.
    std::unordered_set<std::u32string, TextHash, std::equal_to<>> phraseFirsts_;
};

}  // namespace kassavero
