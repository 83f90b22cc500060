// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The fourteen currencies, their fixed rates and the one conversion rule.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kassavero {

// 0..13: EUR, ATS, BEF, DEM, ESP, FIM, FRF, IEP, ITL, NLG, PTE, CUS1, CUS2, CUS3.
// 14 and above mean "no currency".
using CurrencyIndex = std::uint8_t;

inline constexpr int kCurrencyCount = 14;
inline constexpr int kFixedCurrencyCount = 11;
inline constexpr CurrencyIndex kEUR = 0;
inline constexpr CurrencyIndex kATS = 1;
inline constexpr CurrencyIndex kBEF = 2;
inline constexpr CurrencyIndex kDEM = 3;
inline constexpr CurrencyIndex kESP = 4;
inline constexpr CurrencyIndex kFIM = 5;
inline constexpr CurrencyIndex kFRF = 6;
inline constexpr CurrencyIndex kIEP = 7;
inline constexpr CurrencyIndex kITL = 8;
inline constexpr CurrencyIndex kNLG = 9;
inline constexpr CurrencyIndex kPTE = 10;
inline constexpr CurrencyIndex kCUS1 = 11;
inline constexpr CurrencyIndex kCUS2 = 12;
inline constexpr CurrencyIndex kCUS3 = 13;
inline constexpr CurrencyIndex kNoCurrency = 14;

inline constexpr bool IsCurrency(CurrencyIndex c) {
    return c < kCurrencyCount;
}
inline constexpr bool IsCustomCurrency(CurrencyIndex c) {
    return c >= kCUS1 && c <= kCUS3;
}

// The internal code: "EUR" ... "PTE", "CUS1".."CUS3", "UNDEF" for no currency.
std::u32string_view CurrencyCode(CurrencyIndex c);

// Units per euro of a fixed currency; 0 for the custom currencies and no currency
// (a custom rate comes from the profile, see CurrencyTable).
double FixedCurrencyRate(CurrencyIndex c);

int DefaultDecimals(CurrencyIndex c);
double SmallestCoin(CurrencyIndex c);
double SmallestTransferUnit(CurrencyIndex c);

// Currency lists show the currencies in index order; -1 is "nothing selected".
CurrencyIndex ListPositionToIndex(int position);
int IndexToListPosition(CurrencyIndex c);

// The home currency of a Windows language identifier (primary language in the low
// ten bits, sublanguage above), or kNoCurrency.
CurrencyIndex HomeCurrencyForLanguage(std::uint16_t languageId);

// amount / sourceRate, then * targetRate, each step in extended precision and stored
// as a double. No result when the source rate is 0.
std::optional<double> ConvertWithRates(double amount, double sourceRate, double targetRate);

// The rates of the three custom currencies as the user typed them (the live profile).
class CustomRates {
  public:
    virtual ~CustomRates() = default;
    // The rate text of custom currency 0..2.
    virtual const std::u32string& CustomRate(int index) const = 0;
};

// Rates and conversion as the running program sees them: the custom rates are read
// on every call, so an edit takes effect at once.
class CurrencyTable {
  public:
    CurrencyTable(const CustomRates& customRates, char32_t systemDecimalSeparator,
                  CurrencyIndex homeCurrency)
        : customRates_(customRates),
          decimalSeparator_(systemDecimalSeparator),
          home_(homeCurrency) {}

    double CurrencyRate(CurrencyIndex c) const;

    // No result when either side is no currency or the source rate is 0.
    std::optional<double> ConvertAmount(double amount, CurrencyIndex source,
                                        CurrencyIndex target) const;

    // The euro value of the first conversion step (what the confirmation shows).
    std::optional<double> ToEuro(double amount, CurrencyIndex source) const;

    CurrencyIndex HomeCurrency() const { return home_; }
    char32_t SystemDecimalSeparator() const { return decimalSeparator_; }

  private:
    const CustomRates& customRates_;
    char32_t decimalSeparator_;
    CurrencyIndex home_;
};

}  // namespace kassavero
