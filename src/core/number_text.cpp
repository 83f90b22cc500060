// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/number_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "core/unicode_text.h"

namespace kassavero {
namespace {

bool IsBlank(char32_t c) {
    return c == U' ' || c == U'\t';
}

std::u32string_view TrimBlanks(std::u32string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// Reads the "d.ddd...e+XX" text of to_chars in scientific form: `count` digits into
// `digits`, and returns the decimal exponent.
int ReadScientific(const char* text, const char* end, char* digits, int count) {
    digits[0] = text[0];
    for (int i = 1; i < count; ++i)
        digits[i] = text[i + 1];
    const char* exponentText = text + count + 2;  // after "d." and the digits, past "e"
    if (*exponentText == '+')
        ++exponentText;
    int exponent = 0;
    std::from_chars(exponentText, end, exponent);
    return exponent;
}

// Whether the exact binary value of a positive finite number has at most sixteen
// significant decimal digits, so that its sixteen-digit text is exact and a 5 in the
// sixteenth digit is a true half. `binaryPlaces` is the number of binary places after
// the point (0 for a whole number); `decimalExponent` belongs to the sixteen-digit text.
bool ExactInSixteenDigits(double magnitude, int binaryPlaces, int decimalExponent) {
    if (binaryPlaces > 0) {
        // n binary places make exactly n decimal places, the last of them a 5.
        return decimalExponent + 1 + binaryPlaces <= 16;
    }
    // A whole number at 1E+17 or above cannot end in a sixteenth digit 5 followed only by
    // zeros (its odd part would exceed 53 bits), so no true half arises there.
    if (magnitude >= 1e17) {
        return false;
    }
    auto whole = static_cast<std::uint64_t>(magnitude);
    while (whole % 10 == 0)
        whole /= 10;
    return whole < 10'000'000'000'000'000ULL;
}

}  // namespace

std::optional<double> ParseDecimalStrict(std::u32string_view text, char32_t decimalSeparator) {
    text = TrimBlanks(text);
    // Rebuild the number in the form from_chars reads, checking the shape as we go.
    std::string plain;
    plain.reserve(text.size());
    std::size_t i = 0;
    if (i < text.size() && (text[i] == U'+' || text[i] == U'-')) {
        if (text[i] == U'-')
            plain += '-';
        ++i;
    }
    int digits = 0;
    bool seenSeparator = false;
    for (; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (IsDigit(c)) {
            plain += static_cast<char>(c);
            ++digits;
        } else if (c == decimalSeparator && !seenSeparator) {
            plain += '.';
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] == U'e' || text[i] == U'E')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == U'+' || text[i] == U'-')) {
            plain += static_cast<char>(text[i++]);
        }
        int exponentDigits = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i, ++exponentDigits)
            plain += static_cast<char>(text[i]);
        if (exponentDigits == 0) {
            return std::nullopt;
        }
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

double ParseDecimalLenient(std::u32string_view text, char32_t decimalSeparator) {
    return ParseDecimalStrict(text, decimalSeparator).value_or(0.0);
}

std::optional<double> ParseStoredDecimal(std::u32string_view text, char32_t systemSeparator) {
    if (const auto value = ParseDecimalStrict(text, systemSeparator))
        return value;
    if (systemSeparator != U'.' && systemSeparator != U',')
        return ParseDecimalStrict(text, U'.');
    return ParseDecimalStrict(text, systemSeparator == U'.' ? U',' : U'.');
}

std::optional<std::int32_t> ParseInt32(std::u32string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == U'+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == U'-')
            return std::nullopt;
    }
    const std::string ascii = TextToAscii(text);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ascii.empty() || error != std::errc() || end != ascii.data() + ascii.size()) {
        return std::nullopt;
    }
    return value;
}

std::u32string FormatShortestDouble(double value, char32_t decimalSeparator) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::u32string text =
        AsciiToText(std::string_view(buffer, error == std::errc() ? end : buffer));
    for (char32_t& c : text) {
        if (c == U'.') {
            c = decimalSeparator;
        } else if (c == U'e') {
            c = U'E';
        }
    }
    return text;
}

std::u32string FormatPlainDecimal(double value, char32_t decimalSeparator) {
    if (std::isnan(value)) {
        return U"NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? U"-INF" : U"INF";
    }
    // The shortest digits in scientific form, then laid out without the exponent.
    char buffer[64];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific)
                          .ptr;
    const char* e = std::find(static_cast<const char*>(buffer), end, 'e');
    std::string digits;
    for (const char* p = buffer; p != e; ++p) {
        if (IsDigit(*p))
            digits += *p;
    }
    int exponent = 0;
    std::from_chars(e + 1 + (e[1] == '+' ? 1 : 0), end, exponent);
    std::u32string text = value < 0 ? U"-" : U"";
    const std::u32string wide = AsciiToText(digits);
    const int wholeDigits = exponent + 1;
    if (wholeDigits <= 0) {
        text += U'0';
        text += decimalSeparator;
        text.append(static_cast<std::size_t>(-wholeDigits), U'0');
        text += wide;
    } else if (static_cast<std::size_t>(wholeDigits) >= wide.size()) {
        text += wide;
        text.append(static_cast<std::size_t>(wholeDigits) - wide.size(), U'0');
    } else {
        text.append(wide, 0, static_cast<std::size_t>(wholeDigits));
        text += decimalSeparator;
        text.append(wide, static_cast<std::size_t>(wholeDigits));
    }
    return text;
}

FifteenDigits RoundToFifteenDigits(double magnitude) {
    FifteenDigits result;
    result.Digits.fill('0');
    if (magnitude == 0) {
        return result;
    }
    // to_chars rounds the exact binary value correctly, but a true half to even. A true
    // half needs an exact value of sixteen significant digits; only then is the sixteenth
    // digit looked at here, so that halves go away from zero as everywhere else.
    int binaryExponent = 0;
    const double fraction = std::frexp(magnitude, &binaryExponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int lowestBit = binaryExponent - 53 + std::countr_zero(mantissa);
    const int binaryPlaces = lowestBit < 0 ? -lowestBit : 0;
    // A cheap lower bound of the decimal exponent keeps typical amounts, whose binary
    // value has dozens of decimal places, on the single conversion below.
    const int lowestDecimalExponent =
        static_cast<int>(std::floor((binaryExponent - 1) * 0.3010299956639812)) - 1;
    char text[48];
    if (binaryPlaces == 0 ? magnitude < 1e17 : lowestDecimalExponent + 1 + binaryPlaces <= 16) {
        const auto sixteenEnd =
            std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 15)
                .ptr;
        std::array<char, 16> sixteen{};
        const int exponent = ReadScientific(text, sixteenEnd, sixteen.data(), 16);
        if (ExactInSixteenDigits(magnitude, binaryPlaces, exponent)) {
            std::copy_n(sixteen.begin(), 15, result.Digits.begin());
            result.Exponent = exponent;
            if (sixteen[15] >= '5') {
                int i = 14;
                for (; i >= 0 && result.Digits[i] == '9'; --i)
                    result.Digits[i] = '0';
                if (i >= 0) {
                    ++result.Digits[i];
                } else {
                    result.Digits[0] = '1';
                    ++result.Exponent;
                }
            }
            return result;
        }
    }
    const auto end =
        std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 14).ptr;
    result.Exponent = ReadScientific(text, end, result.Digits.data(), 15);
    return result;
}

void AppendScientific(std::u32string& out, const FifteenDigits& digits, char32_t decimalSeparator) {
    int last = 14;
    while (last > 0 && digits.Digits[last] == '0')
        --last;
    out += static_cast<char32_t>(digits.Digits[0]);
    if (last > 0) {
        out += decimalSeparator;
        out += AsciiToText(std::string_view(digits.Digits.data() + 1, last));
    }
    out += U'E';
    out += digits.Exponent < 0 ? U'-' : U'+';
    const int exponent = std::abs(digits.Exponent);
    if (exponent < 10) {
        out += U'0';
    }
    out += AsciiToText(std::to_string(exponent));
}

std::u32string FormatGeneralNumber(double value, char32_t decimalSeparator) {
    if (std::isnan(value)) {
        return U"NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? U"-INF" : U"INF";
    }
    if (value == 0) {
        return U"0";  // also for -0
    }
    std::u32string out;
    if (value < 0) {
        out += U'-';
    }
    const FifteenDigits rounded = RoundToFifteenDigits(std::fabs(value));
    const auto& d = rounded.Digits;
    const int exponent = rounded.Exponent;
    if (exponent > 15 || exponent < -5) {
        AppendScientific(out, rounded, decimalSeparator);
        return out;
    }
    int last = 14;
    while (last > 0 && d[last] == '0')
        --last;
    if (exponent >= 0) {
        // Digit i stands for ten to the (exponent - i); a sixteen-digit whole number
        // gets a zero in the ones place.
        for (int i = 0; i <= exponent; ++i)
            out += static_cast<char32_t>(i <= 14 ? d[i] : '0');
        if (last > exponent) {
            out += decimalSeparator;
            out += AsciiToText(std::string_view(d.data() + exponent + 1, last - exponent));
        }
    } else {
        out += U'0';
        out += decimalSeparator;
        out.append(-exponent - 1, U'0');
        out += AsciiToText(std::string_view(d.data(), last + 1));
    }
    return out;
}

}  // namespace kassavero
