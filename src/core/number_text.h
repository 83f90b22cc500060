#pragma once

// The program's own number texts outside the amount formatting: reading decimal
// numbers written with the system decimal separator, and the shortest text of a double.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kassavero {

// A decimal number as a user types it: optional blanks around it, an optional sign,
// digits with at most one decimal separator (at least one digit in all), and an
// optional exponent ("1,5E3"). Anything else is not a number.
std::optional<double> ParseDecimalStrict(std::string_view text, char decimalSeparator);

// The same, but text that is not a number counts as 0.
double ParseDecimalLenient(std::string_view text, char decimalSeparator);

// A signed 32-bit decimal integer with optional blanks around it and an optional sign.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// The shortest decimal text that reads back to the same double, with the given
// decimal separator and no exponent unless the value needs one ("0,01", "1E-20").
std::string FormatShortestDouble(double value, char decimalSeparator);

}  // namespace kassavero
