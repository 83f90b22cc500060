// SPDX-License-Identifier: GPL-3.0-or-later
#include "confirm/currency_choice.h"

namespace kassavero {

std::vector<CurrencyListEntry> CurrencyListEntries(const ProfileSettings& settings) {
    std::vector<CurrencyListEntry> entries;
    for (CurrencyIndex c = 0; c < kCurrencyCount; ++c) {
        std::u32string code = DisplayCurrencyCode(settings, c);
        if (!code.empty())
            entries.push_back(
                CurrencyListEntry{c, std::move(code), std::u32string(FlagCountry(settings, c))});
    }
    return entries;
}

int EntryPosition(const std::vector<CurrencyListEntry>& entries, CurrencyIndex currency) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].Currency == currency)
            return static_cast<int>(i);
    }
    return -1;
}

CurrencyIndex EntryCurrency(const std::vector<CurrencyListEntry>& entries, int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= entries.size())
        return kNoCurrency;
    return entries[static_cast<std::size_t>(position)].Currency;
}

}  // namespace kassavero
