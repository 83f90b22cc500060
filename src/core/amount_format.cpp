// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/amount_format.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/number_text.h"

namespace kassavero {
namespace {

constexpr long double kLn10 = 2.302585092994045684017991454684364208L;
constexpr int kMaxDecimals = 340;

// Beyond this a power of ten is 0 or infinite as a double anyway.
constexpr int kMaxPowerOfTen = 400;

double ComputePowerOfTen(int exponent) {
    return static_cast<double>(std::exp(static_cast<long double>(exponent) * kLn10));
}

// The powers every ordinary call needs, computed once by the same formula.
constexpr int kCachedPowers = 40;
const std::array<double, 2 * kCachedPowers + 1>& CachedPowersOfTen() {
    static const auto table = [] {
        std::array<double, 2 * kCachedPowers + 1> powers{};
        for (int e = -kCachedPowers; e <= kCachedPowers; ++e) {
            powers[e + kCachedPowers] = ComputePowerOfTen(e);
        }
        return powers;
    }();
    return table;
}

double PowerOfTenWide(long long exponent) {
    if (exponent >= -kCachedPowers && exponent <= kCachedPowers) {
        return CachedPowersOfTen()[exponent + kCachedPowers];
    }
    return ComputePowerOfTen(
        static_cast<int>(std::clamp<long long>(exponent, -kMaxPowerOfTen, kMaxPowerOfTen)));
}

double RoundingStep(double magnitude, int decimals, std::uint8_t strategy, double multiple,
                    double smallestCoin, double smallestTransferUnit, int significantDigits) {
    switch (strategy) {
        case kRoundToCoin:
            return smallestCoin;
        case kRoundToMultiple:
            // The settings never keep a multiple of 0 or below; one that gets here anyway
            // means the last decimal written.
            return multiple > 0 && std::isfinite(multiple) ? multiple : PowerOfTenWide(-decimals);
        case kRoundToSignificantDigits: {
            const double finest = PowerOfTenWide(-decimals);
            if (magnitude == 0) {
                return finest;
            }
            // trunc, not floor: below 1 the exponent is cut towards zero (0,0123 with two
            // digits has the step 0,01).
            const auto leading =
                static_cast<long long>(std::trunc(std::log10(static_cast<long double>(magnitude))));
            const double step = PowerOfTenWide(leading - significantDigits + 1);
            return finest > step ? finest : step;
        }
        default:
            return smallestTransferUnit;
    }
}

// The whole number of steps a non-negative quotient rounds to. The direction is decided
// on the quotient as a decimal number of fifteen significant digits, the precision every
// amount is written with: 2,30 / 0,01 is 229,99999999999997 as a double but 230 in
// decimal, and 1,005 / 0,01 is 100,49999999999999 but a true half. Only a quotient that
// lies within a unit of the fifteenth digit from where the direction flips needs the
// decimal digits; all others decide on the double at once.
double RoundQuotient(double quotient, std::uint8_t direction) {
    double whole = 0;
    const double fraction = std::modf(quotient, &whole);
    if (fraction == 0) {
        return whole;
    }
    if (quotient >= 1e14) {
        // Fifteen digits hold no fraction here: the nearest whole number is the decimal one.
        return std::round(quotient);
    }
    const bool commercial = direction != kRoundUp && direction != kRoundDown;
    const double boundary = commercial ? 0.5 : (fraction < 0.5 ? 0.0 : 1.0);
    if (std::fabs(fraction - boundary) > quotient * 1e-14) {
        switch (direction) {
            case kRoundUp:
                return fraction > 0 ? whole + 1 : whole;
            case kRoundDown:
                return whole;
            default:
                return fraction >= 0.5 ? whole + 1 : whole;
        }
    }
    const FifteenDigits decimal = RoundToFifteenDigits(quotient);
    // Digits up to the exponent are the whole part, the rest the fraction.
    long long decimalWhole = 0;
    for (int i = 0; i <= decimal.Exponent; ++i)
        decimalWhole = decimalWhole * 10 + (decimal.Digits[i] - '0');
    const int firstFraction = decimal.Exponent + 1;  // index of the tenths digit
    bool fractionNonZero = false;
    for (int i = std::max(firstFraction, 0); i < 15; ++i)
        fractionNonZero = fractionNonZero || decimal.Digits[i] != '0';
    const bool halfOrMore =
        firstFraction >= 0 && firstFraction < 15 && decimal.Digits[firstFraction] >= '5';
    const auto wholeSteps = static_cast<double>(decimalWhole);
    switch (direction) {
        case kRoundUp:
            return fractionNonZero ? wholeSteps + 1 : wholeSteps;
        case kRoundDown:
            return wholeSteps;
        default:
            return halfOrMore ? wholeSteps + 1 : wholeSteps;
    }
}

double RoundMagnitude(double magnitude, int decimals, std::uint8_t strategy, double multiple,
                      double smallestCoin, double smallestTransferUnit, std::uint8_t direction,
                      int significantDigits) {
    const double step = RoundingStep(magnitude, decimals, strategy, multiple, smallestCoin,
                                     smallestTransferUnit, significantDigits);
    if (!(step > 0) || !std::isfinite(step)) {
        return magnitude;
    }
    double quotient = static_cast<double>(static_cast<long double>(magnitude) / step);
    if (!std::isfinite(quotient)) {
        return magnitude;
    }
    const auto rounded =
        static_cast<double>(static_cast<long double>(RoundQuotient(quotient, direction)) * step);
    return std::isfinite(rounded) ? rounded : magnitude;
}

// Writes a rounded non-negative magnitude with the given decimals.
std::u32string WriteNumber(double magnitude, int decimals, bool useThousandSymbol,
                           char32_t thousandSymbol, char32_t decimalSymbol) {
    std::u32string out;
    const FifteenDigits rounded = RoundToFifteenDigits(magnitude);
    if (rounded.Exponent >= 15) {
        AppendScientific(out, rounded, decimalSymbol);
        return out;
    }
    // digits[0] is a spare place for a carry; digits[i] stands for ten to the (top - i).
    std::array<char, 16> digits{};
    digits[0] = '0';
    std::copy(rounded.Digits.begin(), rounded.Digits.end(), digits.begin() + 1);
    const int top = rounded.Exponent + 1;
    const int lastKept = top + decimals;  // index of the last decimal place written
    if (lastKept < 0) {
        digits.fill('0');
    } else if (lastKept < 15) {
        const bool up = digits[lastKept + 1] >= '5';
        std::fill(digits.begin() + lastKept + 1, digits.end(), '0');
        if (up) {
            int i = lastKept;
            for (; digits[i] == '9'; --i)
                digits[i] = '0';
            ++digits[i];
        }
    }
    if (digits[0] != '0' && top >= 15) {
        // The last rounding carried the whole part to sixteen digits.
        FifteenDigits carried;
        std::copy_n(digits.begin(), 15, carried.Digits.begin());
        carried.Exponent = top;
        AppendScientific(out, carried, decimalSymbol);
        return out;
    }
    const auto digitAt = [&](int place) {
        const int i = top - place;
        return i >= 0 && i < 16 ? digits[i] : '0';
    };
    int highest = std::max(top, 0);
    while (highest > 0 && digitAt(highest) == '0')
        --highest;
    for (int place = highest; place >= 0; --place) {
        out += digitAt(place);
        if (useThousandSymbol && place > 0 && place % 3 == 0) {
            out += thousandSymbol;
        }
    }
    if (decimals > 0) {
        out += decimalSymbol;
        for (int place = -1; place >= -decimals; --place)
            out += digitAt(place);
    }
    return out;
}

}  // namespace

double PowerOfTen(int exponent) {
    return PowerOfTenWide(exponent);
}

std::u32string FormatAmount(bool useThousandSymbol, char32_t thousandSymbol, char32_t decimalSymbol,
                            double value, int decimals, bool minusFirst,
                            std::uint8_t roundingStrategy, double multiple, double smallestCoin,
                            double smallestTransferUnit, std::uint8_t roundingDirection,
                            int significantDigits) {
    const bool negative = value < 0;
    decimals = std::clamp(decimals, -kMaxDecimals, kMaxDecimals);
    const double magnitude = std::fabs(value);
    std::u32string number;
    if (std::isnan(magnitude)) {
        number = U"NAN";
    } else if (std::isinf(magnitude)) {
        number = U"INF";
    } else {
        const double rounded =
            RoundMagnitude(magnitude, decimals, roundingStrategy, multiple, smallestCoin,
                           smallestTransferUnit, roundingDirection, significantDigits);
        number = WriteNumber(rounded, decimals, useThousandSymbol, thousandSymbol, decimalSymbol);
    }
    if (!negative) {
        return number;
    }
    return minusFirst ? U"-" + number : number + U"-";
}

std::u32string FormatAmount(double value, const AmountFormat& format) {
    return FormatAmount(format.UseThousandSymbol, format.ThousandSymbol, format.DecimalSymbol,
                        value, format.Decimals, format.MinusFirst, format.RoundingStrategy,
                        format.Multiple, format.SmallestCoin, format.SmallestTransferUnit,
                        format.RoundingDirection, format.SignificantDigits);
}

std::optional<PrecisionMode> ToPrecisionMode(int setting) {
    if (setting < 0 || setting > 3) {
        return std::nullopt;
    }
    return static_cast<PrecisionMode>(setting);
}

AmountFormat CurrencyAmountFormat(const TWaehrungsAusgabeFormat& record, CurrencyIndex currency) {
    AmountFormat format;
    format.UseThousandSymbol = record.UseThousandSymbol;
    format.ThousandSymbol = record.ThousandSymbol;
    format.DecimalSymbol = record.DecimalSymbol;
    format.Decimals = record.Decimals;
    format.MinusFirst = record.MinusFirst;
    format.RoundingStrategy = record.RoundingStrategy;
    format.Multiple = record.Multiple;
    format.SmallestCoin = SmallestCoin(currency);
    format.SmallestTransferUnit = SmallestTransferUnit(currency);
    format.RoundingDirection = record.RoundingDirection;
    format.SignificantDigits = record.SignificantDigits;
    return format;
}

AmountFormat FormulaAmountFormat(PrecisionMode mode, CurrencyIndex target,
                                 const OutputRecords& records, char32_t systemDecimalSeparator) {
    static const TWaehrungsAusgabeFormat kNoCurrencyRecord;
    const auto& record = IsCurrency(target) ? records[target] : kNoCurrencyRecord;
    AmountFormat format = CurrencyAmountFormat(record, target);
    const int usual = DefaultDecimals(target);
    switch (mode) {
        case PrecisionMode::HighPrecision:
            format.Decimals = usual + 4;
            format.RoundingStrategy = kRoundToMultiple;
            format.Multiple = PowerOfTen(-(usual + 4));
            format.RoundingDirection = kRoundCommercial;
            break;
        case PrecisionMode::TransferUnit:
            format.Decimals = usual;
            format.RoundingStrategy = kRoundToTransferUnit;
            format.RoundingDirection = kRoundCommercial;
            break;
        case PrecisionMode::Coin:
            format.Decimals = usual;
            format.RoundingStrategy = kRoundToCoin;
            format.RoundingDirection = kRoundCommercial;
            break;
        case PrecisionMode::CurrencySettings:
            break;
    }
    format.UseThousandSymbol = false;
    format.DecimalSymbol = systemDecimalSeparator;
    format.MinusFirst = true;
    return format;
}

AmountFormat CalculatorAmountFormat(PrecisionMode mode, CurrencyIndex currency, double amount,
                                    const OutputRecords& records, char32_t systemDecimalSeparator) {
    static const TWaehrungsAusgabeFormat kNoCurrencyRecord;
    const auto& record = IsCurrency(currency) ? records[currency] : kNoCurrencyRecord;
    AmountFormat format = CurrencyAmountFormat(record, currency);
    switch (mode) {
        case PrecisionMode::HighPrecision: {
            const double magnitude = std::fabs(amount);
            format.Decimals = 14;
            if (magnitude >= 10 && std::isfinite(magnitude)) {
                format.Decimals -=
                    static_cast<int>(std::trunc(std::log10(static_cast<long double>(magnitude))));
            }
            format.RoundingStrategy = kRoundToSignificantDigits;
            format.Multiple = 0;
            format.SignificantDigits = 15;
            break;
        }
        case PrecisionMode::TransferUnit:
        case PrecisionMode::Coin:
            format.Decimals = DefaultDecimals(currency);
            format.RoundingStrategy =
                mode == PrecisionMode::Coin ? kRoundToCoin : kRoundToTransferUnit;
            format.Multiple = 1.0;
            format.SignificantDigits = 0;
            break;
        case PrecisionMode::CurrencySettings:
            break;
    }
    if (mode != PrecisionMode::CurrencySettings) {
        format.RoundingDirection = kRoundCommercial;
    }
    format.UseThousandSymbol = false;
    format.DecimalSymbol = systemDecimalSeparator;
    format.MinusFirst = true;
    return format;
}

AmountFormat OldAmountFormat(CurrencyIndex source, int decimalsInText,
                             char32_t systemDecimalSeparator, char32_t systemThousandSeparator) {
    AmountFormat format;
    format.UseThousandSymbol = true;
    format.ThousandSymbol = systemThousandSeparator;
    format.DecimalSymbol = systemDecimalSeparator;
    format.Decimals = std::max(DefaultDecimals(source), decimalsInText);
    format.MinusFirst = true;
    format.RoundingStrategy = kRoundToMultiple;
    format.Multiple = 0;
    format.SmallestCoin = SmallestCoin(source);
    format.SmallestTransferUnit = SmallestTransferUnit(source);
    format.RoundingDirection = kRoundCommercial;
    return format;
}

AmountFormat IntermediateEuroFormat(char32_t systemDecimalSeparator,
                                    char32_t systemThousandSeparator) {
    AmountFormat format;
    format.UseThousandSymbol = false;
    format.ThousandSymbol = systemThousandSeparator;
    format.DecimalSymbol = systemDecimalSeparator;
    format.Decimals = 4;
    format.MinusFirst = true;
    format.RoundingStrategy = kRoundToMultiple;
    format.Multiple = 0.0001;
    format.SmallestCoin = SmallestCoin(kEUR);
    format.SmallestTransferUnit = SmallestTransferUnit(kEUR);
    format.RoundingDirection = kRoundCommercial;
    return format;
}

std::u32string IntermediateEuroText(double euro, char32_t systemDecimalSeparator,
                                    char32_t systemThousandSeparator) {
    return FormatAmount(euro,
                        IntermediateEuroFormat(systemDecimalSeparator, systemThousandSeparator)) +
           U'\u2026';
}

}  // namespace kassavero
