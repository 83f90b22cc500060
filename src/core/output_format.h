// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How amounts are written: one currency's output record, and how a replacement puts the
// new amount beside the old one. The profile settings hold these; the code that writes
// amounts needs nothing else of them.

#include <cstdint>
#include <string>

namespace kassavero {

// How one currency's amounts are rounded and written.
struct TWaehrungsAusgabeFormat {
    std::u32string Symbol;
    bool SymbolBeforeAmount = true;  // stored negated as Output<code>AmountFirst
    bool UseSymbol = true;
    int Decimals = 2;
    std::uint8_t RoundingStrategy = 1;  // 0 coin, 1 transfer unit, 2 multiple, 3 digits
    double Multiple = 0.01;
    int SignificantDigits = 6;
    std::uint8_t RoundingDirection = 0;  // 0 commercial, 1 up, 2 down
    char32_t DecimalSymbol = U',';
    char32_t ThousandSymbol = U'.';
    bool UseThousandSymbol = true;
    bool MinusFirst = true;
    bool SeparatingSpace = true;

    bool operator==(const TWaehrungsAusgabeFormat&) const = default;
};

// Replace the old amount, or add the new one beside it in brackets.
struct ReplacementLayout {
    bool Replace = false;
    bool NewAmountInBrackets = false;  // new amount after the old one, else before it
    bool UseAlternativeBrackets = false;
    std::u32string LeftBracket = U"(";
    std::u32string RightBracket = U")";

    bool operator==(const ReplacementLayout&) const = default;
};

}  // namespace kassavero
