// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Rounding an amount and writing it as text. Every amount the program writes goes through
// FormatAmount; the fixed parameter sets the callers need are the named helpers below.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/currency.h"
#include "core/output_format.h"

namespace kassavero {

// The output records of all currencies, by CurrencyIndex.
using OutputRecords = std::array<TWaehrungsAusgabeFormat, kCurrencyCount>;

// Rounding strategies and directions as stored in a currency's output format.
inline constexpr std::uint8_t kRoundToCoin = 0;
inline constexpr std::uint8_t kRoundToTransferUnit = 1;
inline constexpr std::uint8_t kRoundToMultiple = 2;
inline constexpr std::uint8_t kRoundToSignificantDigits = 3;
inline constexpr std::uint8_t kRoundCommercial = 0;
inline constexpr std::uint8_t kRoundUp = 1;
inline constexpr std::uint8_t kRoundDown = 2;

// Rounds `value` and writes it.
//
// Rounding works on the magnitude, so up and down mean away from and towards zero for
// negative amounts too. The step is the smallest coin (strategy 0), the smallest transfer
// unit (1, and any strategy above 3), the multiple (2; a multiple of 0, below 0 or not a
// number means ten to the minus decimals), or for N significant digits (3) ten to the
// (trunc(log10 |value|) - N + 1), never finer than ten to the minus decimals. Powers of
// ten are exp(e * ln 10) in extended precision, stored as a double. The quotient of
// magnitude and step is a double, but the direction is decided on it as a decimal
// number of fifteen significant digits: a quotient that is whole or a half in those
// digits counts as exactly that (2,30 down to the cent stays 2,30, 1,005 commercially
// is 1,01). Commercial rounding takes halves away from zero. A step that is not a
// positive finite number, or a quotient too large for a double, leaves the value
// unrounded.
//
// Writing: the rounded magnitude is cut to fifteen significant digits (halves away from
// zero), then written with exactly `decimals` decimals, padded with zeros and rounded
// once more at the last decimal written; grouping in threes with `thousandSymbol` only
// when `useThousandSymbol` is set; no decimal symbol for 0 decimals.
// Negative decimals write no decimal symbol and round the whole number to tens,
// hundreds ... (1234,5 with -2 decimals is "1200"), which is also the step that strategy
// 2 and 3 derive from them. Decimals are taken as at most 340 either way, beyond which
// a double has nothing left to show.
// A number whose whole part needs more than fifteen digits is written in scientific
// notation instead, without grouping and whatever the decimals (see AppendScientific:
// "1,23456789012346E+15").
// A negative value gets "-" before the number when `minusFirst` is set, else after it,
// even when it rounds to zero (-0,001 with 2 decimals is "-0,00"). Infinities are
// written "INF" and not-a-number "NAN".
std::u32string FormatAmount(bool useThousandSymbol, char32_t thousandSymbol, char32_t decimalSymbol,
                            double value, int decimals, bool minusFirst,
                            std::uint8_t roundingStrategy, double multiple, double smallestCoin,
                            double smallestTransferUnit, std::uint8_t roundingDirection,
                            int significantDigits);

// Everything FormatAmount takes besides the value.
struct AmountFormat {
    bool UseThousandSymbol = false;
    char32_t ThousandSymbol = U'.';
    char32_t DecimalSymbol = U',';
    int Decimals = 2;
    bool MinusFirst = true;
    std::uint8_t RoundingStrategy = kRoundToMultiple;
    double Multiple = 0;
    double SmallestCoin = 0.01;
    double SmallestTransferUnit = 0.01;
    std::uint8_t RoundingDirection = kRoundCommercial;
    int SignificantDigits = 6;

    bool operator==(const AmountFormat&) const = default;
};

std::u32string FormatAmount(double value, const AmountFormat& format);

// Ten to the power e as the rounding computes it: exp(e * ln 10) in extended precision,
// stored as a double.
double PowerOfTen(int exponent);

// A precision the user picks instead of the currency's own output settings (spreadsheet
// constants and the calculator).
enum class PrecisionMode : std::uint8_t {
    HighPrecision = 0,
    TransferUnit = 1,
    Coin = 2,
    CurrencySettings = 3,
};

// The mode a stored setting holds, or nothing for a value outside 0..3.
std::optional<PrecisionMode> ToPrecisionMode(int setting);

// A converted amount written with the target currency's own output format: every field
// of its record, with the currency's smallest coin and transfer unit.
AmountFormat CurrencyAmountFormat(const TWaehrungsAusgabeFormat& record, CurrencyIndex currency);

// A constant in a spreadsheet formula, converted into `target`: high precision (the
// currency's default decimals + 4, to a multiple of that last place), the smallest
// transfer unit or coin (default decimals), or the target's record. Always without
// grouping, with the system decimal separator and the minus sign first. A target that
// is no currency uses the no-currency row and a default record.
AmountFormat FormulaAmountFormat(PrecisionMode mode, CurrencyIndex target,
                                 const OutputRecords& records, char32_t systemDecimalSeparator);

// A calculator line in a precision: high precision writes fifteen significant digits
// (fourteen decimals below 10, one fewer for every further place, so the decimals turn
// negative from 10^15 on), the transfer unit and coin precisions the currency's usual
// decimals rounded to that step, and the last one the rounding and decimals of the
// currency's record. Always without grouping, with the system decimal separator and
// the minus sign first; a line never shows the currency's symbol.
AmountFormat CalculatorAmountFormat(PrecisionMode mode, CurrencyIndex currency, double amount,
                                    const OutputRecords& records, char32_t systemDecimalSeparator);

// The old amount shown for confirmation: as many decimals as the source currency usually
// has or the text had, whichever is more, rounded commercially to that last place,
// grouped with the system thousands separator, minus first.
AmountFormat OldAmountFormat(CurrencyIndex source, int decimalsInText,
                             char32_t systemDecimalSeparator, char32_t systemThousandSeparator);

// The euro value between source and target shown for confirmation: four decimals, to a
// multiple of 0,0001, no grouping, minus first.
AmountFormat IntermediateEuroFormat(char32_t systemDecimalSeparator,
                                    char32_t systemThousandSeparator);

// That euro value as shown: the amount followed by the ellipsis.
std::u32string IntermediateEuroText(double euro, char32_t systemDecimalSeparator,
                                    char32_t systemThousandSeparator);

}  // namespace kassavero
