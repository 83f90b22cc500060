// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The reply texts of the document-conversion commands. Fields are separated by ";".

#include <cstddef>
#include <string>
#include <string_view>

#include "core/currency.h"
#include "core/replacement_text.h"

namespace kassavero {

// "start;end;code;amount" for a change found (start before end): the offsets in the
// transferred text, the fixed currency code ("CUS1" also for a renamed custom currency,
// "UNDEF" for none), and the amount as found in the general number format with the
// system decimal separator. "OK" when nothing more was found.
std::u32string FormatChangeReply(bool found, std::size_t start, std::size_t end,
                                 CurrencyIndex currency, double amount, char32_t decimalSeparator);

// A backslash before every ";". Backslashes themselves stay single.
std::u32string EscapeSemicolons(std::u32string_view text);

// The reply to "confirmchange": "YES;" with the three parts, each escaped, for an
// accepted change (1), "NO" for a declined one (0), "CANCEL" for anything else.
std::u32string FormatConfirmReply(int result, const ReplacementParts& parts);

}  // namespace kassavero
