// SPDX-License-Identifier: GPL-3.0-or-later
// The number readers: a number typed by the user, a 32-bit integer argument and a word of
// text read as the number of an amount. Whatever reads as a number is finite and reads
// back from its own shortest text.

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/number_text.h"
#include "core/unicode_text.h"
#include "engine/amount_recognizer.h"
#include "fuzz_check.h"

using namespace kassavero;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const char32_t separator = input.ConsumeBool() ? U',' : U'.';
    CharSet thousands;
    CharSet decimals;
    for (int i = input.ConsumeIntegralInRange(0, 3); i > 0; --i)
        thousands.Add(input.ConsumeIntegralInRange<char32_t>(0, 0x3FF));
    for (int i = input.ConsumeIntegralInRange(0, 3); i > 0; --i)
        decimals.Add(input.ConsumeIntegralInRange<char32_t>(0, 0x3FF));
    const bool always = input.ConsumeBool();
    const bool never = input.ConsumeBool();
    const bool negatives = input.ConsumeBool();
    const std::u32string text = Utf8ToText(input.ConsumeRemainingBytesAsString());

    if (const auto value = ParseDecimalStrict(text, separator)) {
        if (std::isfinite(*value)) {
            const std::u32string shortest = FormatShortestDouble(*value, separator);
            const auto again = ParseDecimalStrict(shortest, separator);
            FUZZ_CHECK(again.has_value());
            FUZZ_CHECK(*again == *value);
        }
    }
    const double lenient = ParseDecimalLenient(text, separator);
    FUZZ_CHECK(!std::isnan(lenient));
    if (const auto integer = ParseInt32(text))
        FUZZ_CHECK(ParseInt32(AsciiToText(std::to_string(*integer))) == integer);

    const ParsedNumber number = ParseNumber(text, thousands, decimals, always, never, negatives);
    if (number.Ok) {
        FUZZ_CHECK(!std::isnan(number.Value));
        FUZZ_CHECK(number.Decimals >= 0);
        FUZZ_CHECK(static_cast<std::size_t>(number.Decimals) <= text.size());
        FUZZ_CHECK(negatives || number.Value >= 0 || number.Value == 0);
    }
    return 0;
}
