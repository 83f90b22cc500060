// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Deciding, word by word, whether a text holds an amount: in which currency, with which
// value and decimals, and which words around the number belong to it. Every rule reads
// the active profile at the moment a word is tested, so an edit in the open settings
// window counts for the very next word.

#include <cstddef>
#include <string_view>

#include "core/char_set.h"
#include "core/currency.h"
#include "core/text_words.h"
#include "engine/geplante_aenderung.h"
#include "settings/symbol_list.h"

namespace kassavero {

class ActiveProfile;
struct ProfileSettings;

// The character sets of one test.
struct RecognizerCharSets {
    CharSet Thousands;  // the thousands symbols
    CharSet Decimals;   // the decimal symbols
    CharSet First;      // may begin a number
    CharSet Middle;     // may stand inside a number
    CharSet Last;       // may end a number
};

// Built from the separator texts themselves (not from a copy made when the profile was
// last read), so they always follow the live settings.
RecognizerCharSets BuildCharSets(const ProfileSettings& settings);
// The same, kept while the separator settings stay as they are.
const RecognizerCharSets& LiveCharSets(const ProfileSettings& settings);

// Closing punctuation, quotes and similar marks that may trail a symbol after a number
// ("100 DM," or "100 DM»"). The full stop is not one of them.
bool IsTrailingPunctuation(char32_t c);

struct SymbolMatch {
    const TCurrencySymbol* Entry = nullptr;  // nullptr: no symbol
    CurrencyIndex List = kNoCurrency;        // 0..13 a currency, 14 the non-currency list
};

// The first entry equal to the text, searching the currency lists in index order and then
// the non-currency list, each in its stored order. Entries that ignore case are compared
// ignoring letter case. The empty text is never a symbol.
SymbolMatch FindSymbol(const ProfileSettings& settings, std::u32string_view text);

struct ParsedNumber {
    bool Ok = false;
    double Value = 0.0;
    int Decimals = 0;
};

// Reads a whole word as a number: an optional minus first or last, an integer part with
// optional thousands separators, an optional fraction after a decimal symbol.
ParsedNumber ParseNumber(std::u32string_view text, const CharSet& thousands,
                         const CharSet& decimals, bool thousandsAlways, bool thousandsNever,
                         bool acceptNegatives);

class AmountRecognizer {
  public:
    explicit AmountRecognizer(const ActiveProfile& profile) : profile_(profile) {}

    // Tests the word at the index as the number of an amount. The proposal is reset
    // first; when an amount is found it holds the currency (kNoCurrency for a bare
    // number while no default currency is set), the value, the decimals, whether a
    // currency symbol marked it, the symbol words on either side, and the stretch of
    // text a conversion replaces. The stretch runs from the first symbol word to the
    // amount's last own character: punctuation behind it stays out.
    // Words before `firstFree` belong to an amount found before and are never read as a
    // symbol of this one.
    bool ScanAmount(const TextWords& words, std::size_t index, TGeplanteAenderung& proposal,
                    std::size_t firstFree = 0) const;

  private:
    const ActiveProfile& profile_;
};

}  // namespace kassavero
