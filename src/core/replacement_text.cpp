// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/replacement_text.h"

namespace kassavero {

ReplacementParts ComposeReplacement(std::u32string_view newAmount, std::u32string_view oldText,
                                    bool oldTextHadSymbol, const TWaehrungsAusgabeFormat& target,
                                    const TWaehrungsAusgabeFormat& source,
                                    const ReplacementLayout& layout) {
    std::u32string amount(newAmount);
    if (target.UseSymbol && !target.Symbol.empty()) {
        const std::u32string separator = target.SeparatingSpace ? U" " : U"";
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
        const std::u32string separator = source.SeparatingSpace ? U" " : U"";
        if (source.SymbolBeforeAmount) {
            parts.Prefix = source.Symbol + separator;
        } else {
            parts.Suffix = separator + source.Symbol;
        }
    }
    const bool alternative = layout.UseAlternativeBrackets;
    const std::u32string& left = alternative ? layout.LeftBracket : std::u32string(U"(");
    const std::u32string& right = alternative ? layout.RightBracket : std::u32string(U")");
    if (layout.NewAmountInBrackets) {
        parts.Suffix += U" " + left + amount + right;
    } else {
        parts.Prefix = amount + U" " + left + parts.Prefix;
        parts.Suffix += right;
    }
    return parts;
}

}  // namespace kassavero
