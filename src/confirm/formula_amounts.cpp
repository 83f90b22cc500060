// SPDX-License-Identifier: GPL-3.0-or-later
#include "confirm/formula_amounts.h"

#include "core/number_text.h"
#include "core/unicode_text.h"

namespace kassavero {
namespace {

bool IsNameCharacter(char32_t c) {
    return c == U'$' || c == U'\\' || c == U'_' || IsLetter(c);
}

bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

}  // namespace

std::vector<FormulaAmount> FindFormulaAmounts(std::u32string_view formula,
                                              char32_t decimalSeparator) {
    const bool separatorJoins = decimalSeparator == U'.' || decimalSeparator == U',';
    std::vector<FormulaAmount> amounts;
    bool inQuotes = false;
    bool inName = false;
    bool started = false;
    std::size_t start = 0;

    const auto takeCandidate = [&](std::size_t end) {
        if (!started)
            return;
        started = false;
        const std::u32string_view text = formula.substr(start, end - start);
        if (ParseDecimalLenient(text, decimalSeparator) != 0)
            amounts.push_back(FormulaAmount{start, end - start, {}});
    };

    for (std::size_t i = 0; i < formula.size(); ++i) {
        const char32_t c = formula[i];
        if (c == U'"') {
            inQuotes = !inQuotes;
            inName = false;
        } else if (IsNameCharacter(c)) {
            if (!inQuotes)
                inName = true;
        } else if (IsDigit(c)) {
            if (!inQuotes && !inName && !started) {
                started = true;
                start = i;
            }
        } else if (separatorJoins && formula[i] == decimalSeparator) {
            // Inside quotes a separator starts nothing either: quoted text is never a
            // constant, not even in a formula whose closing quote is missing.
            if (!inQuotes && !started) {
                started = true;
                start = i;
            }
        } else if (!inQuotes) {
            inName = false;
            takeCandidate(i);
        }
    }
    takeCandidate(formula.size());
    return amounts;
}

std::vector<std::u32string_view> FormulaSegments(std::u32string_view formula,
                                                 const std::vector<FormulaAmount>& amounts) {
    std::vector<std::u32string_view> segments;
    segments.reserve(amounts.size() + 1);
    std::size_t from = 0;
    for (const FormulaAmount& amount : amounts) {
        segments.push_back(formula.substr(from, amount.Position - from));
        from = amount.Position + amount.Length;
    }
    segments.push_back(formula.substr(from));
    return segments;
}

AssembledFormula AssembleFormula(std::u32string_view formula,
                                 const std::vector<FormulaAmount>& amounts) {
    const std::vector<std::u32string_view> segments = FormulaSegments(formula, amounts);
    AssembledFormula result;
    result.Text = segments[0];
    for (std::size_t k = 0; k < amounts.size(); ++k) {
        const FormulaAmount& amount = amounts[k];
        const bool replaced = !amount.NewText.empty();
        const std::u32string_view text = replaced ? std::u32string_view(amount.NewText)
                                                  : formula.substr(amount.Position, amount.Length);
        result.Runs.push_back(DisplayRun{result.Text.size(), text.size(),
                                         replaced ? DisplayRun::Replaced : DisplayRun::Kept});
        result.Text += text;
        result.Text += segments[k + 1];
    }
    return result;
}

}  // namespace kassavero
