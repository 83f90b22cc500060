// SPDX-License-Identifier: GPL-3.0-or-later
// The constants of a spreadsheet formula: each lies inside the formula, they come in
// order without overlapping, and the formula assembled with new texts keeps every
// other character.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "confirm/formula_amounts.h"
#include "core/unicode_text.h"
#include "fuzz_check.h"

using namespace kassavero;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const char32_t separator = input.ConsumeBool() ? U',' : U'.';
    const std::u32string replacement = Utf8ToText(input.ConsumeRandomLengthString(12));
    const std::u32string formula = Utf8ToText(input.ConsumeRemainingBytesAsString());

    std::vector<FormulaAmount> amounts = FindFormulaAmounts(formula, separator);
    std::size_t end = 0;
    for (const FormulaAmount& amount : amounts) {
        FUZZ_CHECK(amount.Length > 0);
        FUZZ_CHECK(amount.Position >= end);
        end = amount.Position + amount.Length;
        FUZZ_CHECK(end <= formula.size());
    }
    const std::vector<std::u32string_view> segments = FormulaSegments(formula, amounts);
    FUZZ_CHECK(segments.size() == amounts.size() + 1);

    for (std::size_t i = 0; i < amounts.size(); i += 2)
        amounts[i].NewText = replacement;
    const AssembledFormula assembled = AssembleFormula(formula, amounts);
    FUZZ_CHECK(assembled.Runs.size() == amounts.size());
    std::size_t kept = 0;
    for (const std::u32string_view segment : segments)
        kept += segment.size();
    std::size_t runs = 0;
    for (const DisplayRun& run : assembled.Runs) {
        FUZZ_CHECK(run.Start + run.Length <= assembled.Text.size());
        runs += run.Length;
    }
    FUZZ_CHECK(kept + runs == assembled.Text.size());
    return 0;
}
