// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The currencies that joined the euro after the first eleven, with their fixed rates.
// They are not currencies of their own in the program: a user puts one into a custom
// currency slot, and this table supplies what that slot needs.

#include <chrono>
#include <cstdint>
#include <span>
#include <string_view>

namespace kassavero {

// Option bits of a symbol list entry as the stored list form writes them (1 after the
// amount, 2 before it, 8 case-sensitive, 16 space optional; no dot bit: dot never).
namespace later_symbol {
inline constexpr int kAfter = 1;
inline constexpr int kBefore = 2;
inline constexpr int kCaseSensitive = 8;
inline constexpr int kSpaceOptional = 16;
}  // namespace later_symbol

struct LaterSymbol {
    std::u32string_view Text;
    int Options;
};

struct LaterCurrency {
    std::u32string_view Code;
    std::u32string_view Rate;  // units per euro, as fixed: six significant digits, "." decimals
    std::chrono::year_month_day Changeover;
    std::u32string_view Country;     // ISO 3166 code
    std::u32string_view OutputSign;  // written beside a converted amount
    bool SignBeforeAmount;
    std::span<const LaterSymbol> Symbols;  // the default symbol list
};

// Every later currency wrote its amounts with two decimals and had a coin of 0.01.
inline constexpr int kLaterDecimals = 2;
inline constexpr double kLaterSmallestCoin = 0.01;

// In the order of their changeover, latest first.
std::span<const LaterCurrency> LaterCurrencies();

// The later currency of that exact code, or nullptr.
const LaterCurrency* FindLaterCurrency(std::u32string_view code);

// The later currency of the country a Windows language identifier stands for
// (Bulgarian: BGN, Greek: GRD, Greek in Cyprus: CYP ...), or nullptr.
const LaterCurrency* LaterCurrencyOfLanguage(std::uint16_t languageId);

}  // namespace kassavero
