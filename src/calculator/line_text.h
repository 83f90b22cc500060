// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a calculator line shows for an amount.

#include <optional>
#include <string>
#include <string_view>

#include "core/currency.h"
#include "settings/profile_settings.h"

namespace kassavero {

// Beyond this magnitude a line shows the overflow text.
inline constexpr double kCalculatorLimit = 1e15;

// The text of a line of `currency` for `amount` in the stored precision setting
// (0 high precision, 1 transfer unit, 2 coin, 3 the currency's own rounding), with the
// system decimal separator; nothing for a precision outside 0..3, which leaves the line
// as it is. The overflow text stands in for an amount the line cannot show:
// - beyond 10^15 in magnitude (or not a finite number);
// - in high precision at exactly 10^15, where fifteen significant digits would leave
//   minus one decimal: the line could only show a sixteen-digit number;
// - in the other precisions when the rounded text holds fifteen or more digits;
// - whenever rounding carried the number to sixteen whole digits, which would be
//   written in scientific notation, a form the amount fields never hold.
// Negative decimals of a currency's record round to tens, hundreds ... and write no
// decimal separator, as every amount of that currency is written.
std::optional<std::u32string> CalculatorLineText(double amount, CurrencyIndex currency,
                                                 int precision, const ProfileSettings& settings,
                                                 char32_t decimalSeparator,
                                                 std::u32string_view overflowText);

}  // namespace kassavero
