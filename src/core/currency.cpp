// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/currency.h"

#include <array>

#include "core/number_text.h"

namespace kassavero {
namespace {

struct CurrencyRow {
    std::u32string_view code;
    double rate;
    int decimals;
    double coin;
    double transferUnit;
};

constexpr std::array<CurrencyRow, kCurrencyCount + 1> kTable = {{
    {U"EUR", 1, 2, 0.01, 0.01},
    {U"ATS", 13.7603, 2, 0.1, 0.01},
    {U"BEF", 40.3399, 0, 0.5, 1},
    {U"DEM", 1.95583, 2, 0.01, 0.01},
    {U"ESP", 166.386, 0, 1, 1},
    {U"FIM", 5.94573, 2, 0.1, 0.01},
    {U"FRF", 6.55957, 2, 0.05, 0.01},
    {U"IEP", 0.787564, 2, 0.01, 0.01},
    {U"ITL", 1936.27, 0, 50, 1},
    {U"NLG", 2.20371, 2, 0.05, 0.01},
    {U"PTE", 200.482, 2, 1, 0.1},
    {U"CUS1", 0, 2, 0.01, 0.01},
    {U"CUS2", 0, 2, 0.01, 0.01},
    {U"CUS3", 0, 2, 0.01, 0.01},
    {U"UNDEF", 0, 2, 0.01, 0.01},
}};

const CurrencyRow& Row(CurrencyIndex c) {
    return kTable[IsCurrency(c) ? c : kNoCurrency];
}

// Windows primary language numbers.
enum Language : std::uint16_t {
    kCatalan = 0x03,
    kGerman = 0x07,
    kEnglish = 0x09,
    kSpanish = 0x0A,
    kFinnish = 0x0B,
    kFrench = 0x0C,
    kItalian = 0x10,
    kDutch = 0x13,
    kPortuguese = 0x16,
    kSwedish = 0x1D,
    kBasque = 0x2D,
    kLuxembourgish = 0x6E,
};

}  // namespace

std::u32string_view CurrencyCode(CurrencyIndex c) {
    return Row(c).code;
}
double FixedCurrencyRate(CurrencyIndex c) {
    return Row(c).rate;
}
int DefaultDecimals(CurrencyIndex c) {
    return Row(c).decimals;
}
double SmallestCoin(CurrencyIndex c) {
    return Row(c).coin;
}
double SmallestTransferUnit(CurrencyIndex c) {
    return Row(c).transferUnit;
}

CurrencyIndex ListPositionToIndex(int position) {
    return position >= 0 && position < kCurrencyCount ? static_cast<CurrencyIndex>(position)
                                                      : kNoCurrency;
}

int IndexToListPosition(CurrencyIndex c) {
    return IsCurrency(c) ? c : -1;
}

CurrencyIndex HomeCurrencyForLanguage(std::uint16_t languageId) {
    const int primary = languageId & 0x3FF;
    const int sub = languageId >> 10;
    switch (primary) {
        case kCatalan:
        case kSpanish:
        case kBasque:
            return kESP;
        case kGerman:
            if (sub == 3)
                return kATS;
            if (sub == 4)
                return kBEF;
            if (sub == 2 || sub == 5)
                return kNoCurrency;
            return kDEM;
        case kEnglish:
            return sub == 6 ? kIEP : kNoCurrency;
        case kFinnish:
            return kFIM;
        case kSwedish:
            return sub == 1 ? kNoCurrency : kFIM;
        case kFrench:
            if (sub == 2 || sub == 5)
                return kBEF;
            if (sub == 3 || sub == 4)
                return kNoCurrency;
            return kFRF;
        case kItalian:
            return sub == 2 ? kNoCurrency : kITL;
        case kDutch:
            return sub == 2 ? kBEF : kNLG;
        // Luxembourg's franc was at par with the Belgian one, which circulated there too.
        case kLuxembourgish:
            return kBEF;
        case kPortuguese:
            return kPTE;
        default:
            return kNoCurrency;
    }
}

std::optional<double> ConvertWithRates(double amount, double sourceRate, double targetRate) {
    if (sourceRate == 0) {
        return std::nullopt;
    }
    const auto euro = static_cast<double>(static_cast<long double>(amount) / sourceRate);
    return static_cast<double>(static_cast<long double>(euro) * targetRate);
}

double CurrencyTable::CurrencyRate(CurrencyIndex c) const {
    if (!IsCustomCurrency(c)) {
        return FixedCurrencyRate(c);
    }
    // The rate as typed, or as a desktop with the other decimal separator stored it.
    return ParseStoredDecimal(customRates_.CustomRate(c - kCUS1), decimalSeparator_).value_or(0.0);
}

std::optional<double> CurrencyTable::ConvertAmount(double amount, CurrencyIndex source,
                                                   CurrencyIndex target) const {
    if (!IsCurrency(source) || !IsCurrency(target)) {
        return std::nullopt;
    }
    return ConvertWithRates(amount, CurrencyRate(source), CurrencyRate(target));
}

std::optional<double> CurrencyTable::ToEuro(double amount, CurrencyIndex source) const {
    return ConvertAmount(amount, source, kEUR);
}

}  // namespace kassavero
