// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The numeric constants of a spreadsheet formula and the formula put together again with
// the constants the user accepted.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kassavero {

// One constant of a formula: where it stands and, once the user accepted a converted
// value for it, its new text.
struct FormulaAmount {
    std::size_t Position = 0;  // index of its first character in the formula
    std::size_t Length = 0;    // characters
    std::u32string NewText;    // empty: the constant stays as written

    bool operator==(const FormulaAmount&) const = default;
};

// The constants in formula order. A constant is a run of digits and decimal separators
// outside double quotes and outside a name (letters, "$", "\", "_" and the Windows-1252
// letters); a letter after digits does not end the run, so 1E5 is one constant. Only
// the system decimal separator joins digits, and only when it is "." or ","; any
// other character ends a run. A run whose value, read with that separator, is 0 (or
// that does not read as a number) is no constant. So A1, $B$12 and function names are
// never constants, a minus sign stays outside, and a zero is left alone.
std::vector<FormulaAmount> FindFormulaAmounts(std::u32string_view formula,
                                              char32_t decimalSeparator);

// Segment 0 is the text before the first amount (the whole formula when there is none),
// segment k the text between amounts k-1 and k, and the last one the text after the
// last amount; there is one more segment than amounts.
std::vector<std::u32string_view> FormulaSegments(std::u32string_view formula,
                                                 const std::vector<FormulaAmount>& amounts);

// A stretch of the assembled formula that holds an amount.
struct DisplayRun {
    enum Kind { Replaced = 1, Kept = 2 };
    std::size_t Start = 0;
    std::size_t Length = 0;
    Kind RunKind = Kept;

    bool operator==(const DisplayRun&) const = default;
};

struct AssembledFormula {
    std::u32string Text;
    std::vector<DisplayRun> Runs;  // one per amount, in formula order
};

// The formula with every amount that has a new text replaced by it; the others keep
// their text as written.
AssembledFormula AssembleFormula(std::u32string_view formula,
                                 const std::vector<FormulaAmount>& amounts);

}  // namespace kassavero
