// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The fixed texts of a German interface and a found change, shared by the dialog's tests
// and its window's tests.

#include <string>
#include <utility>

#include "core/currency.h"
#include "engine/geplante_aenderung.h"
#include "i18n/translation.h"

namespace kassavero::testing {

inline CommonTexts GermanTexts() {
    CommonTexts texts;
    texts.ContinueCaption = "&Fortsetzen";
    texts.StopCaption = "An&halten";
    texts.YesLetter = "J";
    texts.NoLetter = "N";
    texts.ConversionTitle = "Umrechnung";
    texts.InputTitle = "Input";
    texts.OutputTitle = "Output";
    texts.ExcelFormulaTitle = "Tabellenformel";
    return texts;
}

inline TGeplanteAenderung Found(double amount, CurrencyIndex currency, std::string oldText,
                                int decimals = 0, bool hasSymbol = false) {
    TGeplanteAenderung change;
    change.Currency = currency;
    change.Amount = amount;
    change.OldText = std::move(oldText);
    change.Decimals = decimals;
    change.HasSymbol = hasSymbol;
    return change;
}

}  // namespace kassavero::testing
