// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The entries of the confirmation window's two currency lists.

#include <string>
#include <vector>

#include "core/currency.h"
#include "settings/profile_settings.h"

namespace kassavero {

// Every entry carries its own currency, so a custom currency keeps its identity when an
// earlier one has no code and is left out: with only the third custom currency defined,
// the twelfth entry is CUS3, not CUS1. Positions in the list are never taken for
// currency indexes.
struct CurrencyListEntry {
    CurrencyIndex Currency = kNoCurrency;
    std::u32string Code;     // as shown beside the flag
    std::u32string Country;  // the flag's (FlagCountry), empty for none

    bool operator==(const CurrencyListEntry&) const = default;
};

// The eleven fixed currencies, then each custom currency that has a code, in order.
std::vector<CurrencyListEntry> CurrencyListEntries(const ProfileSettings& settings);

// The position of the currency's entry, or -1 when the list does not hold it.
int EntryPosition(const std::vector<CurrencyListEntry>& entries, CurrencyIndex currency);

// The currency of the entry at the position; kNoCurrency for -1 or a position beyond
// the list.
CurrencyIndex EntryCurrency(const std::vector<CurrencyListEntry>& entries, int position);

}  // namespace kassavero
