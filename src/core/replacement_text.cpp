// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/replacement_text.h"

namespace kassavero {

ReplacementParts ComposeReplacement(std::string_view newAmount, std::string_view oldText,
                                    bool oldTextHadSymbol, const TWaehrungsAusgabeFormat& target,
                                    const TWaehrungsAusgabeFormat& source,
                                    const ReplacementLayout& layout) {
    std::string amount(newAmount);
    if (target.UseSymbol && !target.Symbol.empty()) {
        const std::string separator = target.SeparatingSpace ? " " : "";
        amount = target.SymbolBeforeAmount ? target.Symbol + separator + amount
                                           : amount + separator + target.Symbol;
    }

    ReplacementParts parts;
    if (layout.Replace) {
        parts.Middle = std::move(amount);
        return parts;
    }

    parts.Middle = oldText;
    if (!oldTextHadSymbol && !source.Symbol.empty()) {
        const std::string separator = source.SeparatingSpace ? " " : "";
        if (source.SymbolBeforeAmount) {
            parts.Prefix = source.Symbol + separator;
        } else {
            parts.Suffix = separator + source.Symbol;
        }
    }
    const bool alternative = layout.UseAlternativeBrackets;
    const std::string& left = alternative ? layout.LeftBracket : std::string("(");
    const std::string& right = alternative ? layout.RightBracket : std::string(")");
    if (layout.NewAmountInBrackets) {
        parts.Suffix += " " + left + amount + right;
    } else {
        parts.Prefix = amount + " " + left + parts.Prefix;
        parts.Suffix += right;
    }
    return parts;
}

}  // namespace kassavero
