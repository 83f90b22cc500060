// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The change proposal: the amount found at the current read position of a session and
// the stretch of text it covers.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/currency.h"

namespace kassavero {

struct TGeplanteAenderung {
    CurrencyIndex Currency = kNoCurrency;  // kNoCurrency while nothing is found
    double Amount = 0.0;                   // with its sign
    bool HasSymbol = false;                // the amount carried a currency symbol
    std::u32string OldText;                // the text from Start to End as found
    std::int32_t Decimals = 0;             // decimals written in the old text
    std::size_t Start = 0;                 // first character, a symbol before included
    std::size_t End = 0;                   // just after the last, a symbol after included
    // Words of a symbol before and after the number word (0..3 each).
    int WordsBefore = 0;
    int WordsAfter = 0;
    // A magnitude word written with the amount ("2,9 Mio. DM"): what it multiplies by and
    // the words of its language, so the new amount is written with one too. Family -1:
    // none.
    double Magnitude = 1.0;
    int MagnitudeFamily = -1;
    // A sign the amount shares with the one it is joined to ("zwischen 20 und 100 Mark"):
    // written beside the old amount as the text writes it, before or after it.
    std::u32string SharedSymbol;
    bool SharedSymbolBefore = false;

    bool operator==(const TGeplanteAenderung&) const = default;
};

}  // namespace kassavero
