// SPDX-License-Identifier: GPL-3.0-or-later
// FormatAmount against the C library's fixed-point text on the same amounts.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/amount_format.h"
#include "core/currency.h"

namespace kassavero {
namespace {

// Amounts as a conversion produces them: a spread of typed sums through the rates.
const std::vector<double>& Amounts() {
    static const std::vector<double> amounts = [] {
        std::vector<double> values;
        for (int i = 0; i < 1024; ++i) {
            const double typed = (i % 7 == 0 ? -1 : 1) * (0.01 + i * 137.29 + (i % 13) * 1e5);
            values.push_back(
                *ConvertWithRates(typed, FixedCurrencyRate(kDEM), FixedCurrencyRate(1 + i % 10)));
        }
        return values;
    }();
    return amounts;
}

AmountFormat TwoDecimals(bool grouping) {
    AmountFormat format;
    format.UseThousandSymbol = grouping;
    format.ThousandSymbol = '.';
    format.DecimalSymbol = ',';
    format.Decimals = 2;
    format.RoundingStrategy = kRoundToTransferUnit;
    format.SmallestTransferUnit = 0.01;
    return format;
}

void BM_FormatAmount(benchmark::State& state) {
    const auto& amounts = Amounts();
    const AmountFormat format = TwoDecimals(state.range(0) != 0);
    std::size_t i = 0;
    for (auto _ : state) {
        std::u32string text = FormatAmount(amounts[i++ % amounts.size()], format);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_FormatAmount)->Arg(0)->Arg(1)->ArgName("grouping");

void BM_FormatAmountSignificantDigits(benchmark::State& state) {
    const auto& amounts = Amounts();
    AmountFormat format = TwoDecimals(false);
    format.RoundingStrategy = kRoundToSignificantDigits;
    format.SignificantDigits = 15;
    format.Decimals = 14;
    std::size_t i = 0;
    for (auto _ : state) {
        std::u32string text = FormatAmount(amounts[i++ % amounts.size()], format);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_FormatAmountSignificantDigits);

void BM_Snprintf(benchmark::State& state) {
    const auto& amounts = Amounts();
    std::size_t i = 0;
    for (auto _ : state) {
        char buffer[64];
        const int length =
            std::snprintf(buffer, sizeof buffer, "%.*f", 2, amounts[i++ % amounts.size()]);
        std::string text(buffer, static_cast<std::size_t>(length));
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_Snprintf);

}  // namespace
}  // namespace kassavero
