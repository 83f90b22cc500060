// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Converting the constants of a spreadsheet formula, each one confirmed by the user.

#include <string>

#include "core/currency.h"
#include "platform/screen_area.h"

namespace kassavero {

// Which precision setting rounds the converted constants: that of constants inside
// formulas, or that of cells holding a constant (handed over as the formula "=<number>").
enum class FormulaConstants { InFormula, ConstantCell };

class FormulaQuestion {
  public:
    virtual ~FormulaQuestion() = default;
    // Sets result to the converted formula, or to "CANCEL" with cancelled set when the
    // user cancelled. A formula without a non-zero constant comes back unchanged and
    // nothing is shown.
    // Once `withdrawn` is set (the caller went away) the question ends as cancelled.
    virtual void AskFormula(const std::u32string& formula, CurrencyIndex source,
                            CurrencyIndex target, FormulaConstants constants, bool& cancelled,
                            std::u32string& result, const bool& withdrawn) = 0;
    void AskFormula(const std::u32string& formula, CurrencyIndex source, CurrencyIndex target,
                    FormulaConstants constants, bool& cancelled, std::u32string& result) {
        static const bool kNever = false;
        AskFormula(formula, source, target, constants, cancelled, result, kNever);
    }
    // Ends the open question at once if it was withdrawn.
    virtual void EndWithdrawn() {}
    // Where the amount of the next question stands on the screen: the question window
    // is placed so that it does not cover it. True when a shown window moved for it.
    virtual bool AmountOnScreen(const ScreenArea& /*amount*/) { return false; }
    // The formula with every constant converted, as a yes to each would give, without
    // showing or asking anything.
    virtual std::u32string ConvertFormula(const std::u32string& formula, CurrencyIndex source,
                                          CurrencyIndex target, FormulaConstants constants) = 0;
};

}  // namespace kassavero
