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
    texts.ContinueCaption = U"&Fortsetzen";
    texts.StopCaption = U"An&halten";
    texts.YesLetter = U"J";
    texts.NoLetter = U"N";
    texts.ConversionTitle = U"Umrechnung";
    texts.InputTitle = U"Input";
    texts.OutputTitle = U"Output";
    texts.ExcelFormulaTitle = U"Tabellenformel";
    return texts;
}

inline TGeplanteAenderung Found(double amount, CurrencyIndex currency, std::u32string oldText,
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
