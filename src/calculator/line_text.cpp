// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator/line_text.h"

#include <algorithm>
#include <cmath>

#include "core/amount_format.h"

namespace kassavero {

std::optional<std::u32string> CalculatorLineText(double amount, CurrencyIndex currency,
                                                 int precision, const ProfileSettings& settings,
                                                 char32_t decimalSeparator,
                                                 std::u32string_view overflowText) {
    const auto mode = ToPrecisionMode(precision);
    if (!mode) {
        return std::nullopt;
    }
    const double magnitude = std::fabs(amount);
    const bool highPrecision = *mode == PrecisionMode::HighPrecision;
    if (highPrecision ? !(magnitude < kCalculatorLimit) : !(magnitude <= kCalculatorLimit)) {
        return std::u32string(overflowText);
    }
    std::u32string text = FormatAmount(
        amount, CalculatorAmountFormat(*mode, currency, amount, settings.Output, decimalSeparator));
    const auto digits =
        std::count_if(text.begin(), text.end(), [](char32_t c) { return c >= U'0' && c <= U'9'; });
    const bool scientific = text.find(U'E') != std::u32string::npos;
    if (scientific || (!highPrecision && digits >= 15)) {
        return std::u32string(overflowText);
    }
    return text;
}

}  // namespace kassavero
