// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "confirm/formula_question.h"

namespace kassavero::testing {

// Stands in for the formula question: records each formula with its currencies and
// answers the scripted result, or "CANCEL" when told to cancel. Without a script the
// formula comes back unchanged, as one without amounts would.
class FakeFormulaQuestion final : public FormulaQuestion {
  public:
    struct Asked {
        std::u32string formula;
        CurrencyIndex source;
        CurrencyIndex target;
        FormulaConstants constants = FormulaConstants::InFormula;
    };

    std::vector<Asked> asked;
    std::vector<std::u32string> results;  // taken front to back
    bool cancel = false;
    // Runs while the question waits, as other clients' commands run in the nested wait.
    std::function<void()> whileAsking;

    using FormulaQuestion::AskFormula;
    void AskFormula(const std::u32string& formula, CurrencyIndex source, CurrencyIndex target,
                    FormulaConstants constants, bool& cancelled, std::u32string& result,
                    const bool& withdrawn) override {
        asked.push_back({formula, source, target, constants});
        if (whileAsking)
            whileAsking();
        if (cancel || withdrawn) {
            cancelled = true;
            result = U"CANCEL";
            return;
        }
        cancelled = false;
        if (results.empty()) {
            result = formula;
            return;
        }
        result = results.front();
        results.erase(results.begin());
    }
    std::u32string ConvertFormula(const std::u32string& formula, CurrencyIndex source,
                                  CurrencyIndex target, FormulaConstants constants) override {
        bool cancelled = false;
        std::u32string result;
        quiet.push_back(formula);
        AskFormula(formula, source, target, constants, cancelled, result);
        return result;
    }
    std::vector<std::u32string> quiet;  // formulas converted without asking

    std::vector<ScreenArea> amountAreas;  // every place of an asked amount named
    bool windowMoves = false;             // what the window answers to it
    bool AmountOnScreen(const ScreenArea& amount) override {
        amountAreas.push_back(amount);
        return windowMoves;
    }
};

}  // namespace kassavero::testing
