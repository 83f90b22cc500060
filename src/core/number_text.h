// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's own number texts: reading decimal numbers written with the system
// decimal separator, the shortest text of a double, the general number format, and the
// rounding to fifteen significant digits that the amount texts build on.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kassavero {

// A decimal number as a user types it: optional blanks around it, an optional sign,
// digits with at most one decimal separator (at least one digit in all), and an
// optional exponent ("1,5E3"). Anything else is not a number.
std::optional<double> ParseDecimalStrict(std::u32string_view text, char32_t decimalSeparator);

// The same, but text that is not a number counts as 0.
double ParseDecimalLenient(std::u32string_view text, char32_t decimalSeparator);

// A stored number (a rate, a rounding multiple) as ParseDecimalStrict reads it with the
// system separator, or failing that with the other of "." and ",": a file written on a
// desktop with the other separator reads the same everywhere.
std::optional<double> ParseStoredDecimal(std::u32string_view text, char32_t systemSeparator);

// A signed 32-bit decimal integer with optional blanks around it and an optional sign.
std::optional<std::int32_t> ParseInt32(std::u32string_view text);

// The shortest decimal text that reads back to the same double, with the given
// decimal separator and no exponent unless the value needs one ("0,01", "1E-20").
std::u32string FormatShortestDouble(double value, char32_t decimalSeparator);

// The shortest decimal text that reads back to the same double, always without an
// exponent: 0,0001 and 100000, never "1E-04" or "1E+05". Infinities are "INF" and
// "-INF", not-a-number is "NAN".
std::u32string FormatPlainDecimal(double value, char32_t decimalSeparator);

// A non-negative finite number rounded to fifteen significant decimal digits, halves
// away from zero: Digits[0].Digits[1]...Digits[14] times ten to the Exponent. Zero is
// fifteen "0" digits with exponent 0; otherwise Digits[0] is never "0".
struct FifteenDigits {
    std::array<char, 15> Digits{};
    int Exponent = 0;
};
FifteenDigits RoundToFifteenDigits(double magnitude);

// Scientific notation, the one form every number text of the program uses: the first
// digit, then the decimal separator and the other digits without trailing zeros (no
// separator when none are left), then "E", the exponent's sign and at least two
// exponent digits. 1234567890123456 is "1,23456789012346E+15", a millionth is "1E-06".
// The shortest text above writes its exponent the same way.
void AppendScientific(std::u32string& out, const FifteenDigits& digits, char32_t decimalSeparator);

// The general number format: up to fifteen significant digits without trailing zeros,
// the given decimal separator, no grouping, a leading "-" for negative numbers. A
// number whose decimal exponent lies above 15 or below -5 is written in scientific
// notation (1E+16, 1,5E-06); 1E+15 itself is 1000000000000000, 0,00001 stays fixed.
// Infinities are "INF" and "-INF", not-a-number is "NAN".
std::u32string FormatGeneralNumber(double value, char32_t decimalSeparator);

}  // namespace kassavero
