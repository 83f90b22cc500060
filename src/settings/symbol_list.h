// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Symbol lists: the words that mark an amount as a currency (one list per currency)
// or as something else (the non-currency list), with the options that say where and
// how each symbol may stand next to a number.

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/currency.h"
#include "i18n/language_numbers.h"

namespace kassavero {

enum class AbbreviationDot : std::uint8_t { Always = 0, Sometimes = 1, Never = 2 };

struct TCurrencySymbol {
    std::u32string Symbol;
    bool AfterAmount = true;
    bool BeforeAmount = true;
    bool AsDecimalSeparator = false;
    bool CaseSensitive = false;
    bool SpaceOptional = true;
    kassavero::AbbreviationDot AbbreviationDot = AbbreviationDot::Sometimes;

    // The option bits of the stored text form: 1 after, 2 before, 4 as decimal
    // separator, 8 case-sensitive, 16 space optional, 32 dot always, 64 dot sometimes.
    int OptionNumber() const;
    static TCurrencySymbol FromOptionNumber(std::u32string symbol, int options);

    bool operator==(const TCurrencySymbol&) const = default;
};

// Ordered as added; the list owns its entries.
using SymbolList = std::vector<TCurrencySymbol>;

// The comma-text form stored between the brackets of a profile value, for example
// "DM,A19","Deutsche Mark,A3".
std::u32string SymbolListToText(const SymbolList& list);

// Replaces the list's content with the entries of the text; broken items are skipped.
void TextToSymbolList(std::u32string_view text, SymbolList& list);

// Appends the entry unless an entry with exactly the same symbol is there already.
void AddSymbolIfMissing(SymbolList& list, const TCurrencySymbol& entry);

// The name of one of the eleven fixed currencies in a language (German, French, Dutch,
// else English); empty for any other currency.
std::u32string FixedCurrencyName(CurrencyIndex currency, int language);

// The names the user gave the three custom currencies.
using CustomNames = std::array<std::u32string, 3>;

// Appends the default symbols of a currency; custom currencies take their names
// from the profile.
void DefaultCurrencySymbols(SymbolList& list, CurrencyIndex currency, const LanguageSet& languages,
                            CurrencyIndex homeCurrency, const CustomNames& customNames);

// Appends the default non-currency symbols (units), without a duplicate test. Only the
// system's language counts here, so callers pass a set holding just that one.
void DefaultNonCurrencySymbols(SymbolList& list, const LanguageSet& systemLanguage);

}  // namespace kassavero
