// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What other parts of the program may do with the calculator window: the command
// interface, the confirmation dialog's "Rechner" button and the clipboard conversion.

#include "core/currency.h"

namespace kassavero {

class CalculatorAccess {
  public:
    virtual ~CalculatorAccess() = default;
    // Makes the currency the source, converts and rewrites every line; with
    // writeSourceText the source line shows the amount too. Does not show the window.
    virtual void ShowAmount(CurrencyIndex currency, bool writeSourceText, double value) = 0;
    // Shows the window, or brings it to the front when it is shown already.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
};

}  // namespace kassavero
