// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The text that replaces an amount found in a document: the new amount with the target
// currency's symbol, either alone or beside the old amount in brackets.

#include <string>
#include <string_view>

#include "core/output_format.h"

namespace kassavero {

// Prefix + Middle + Suffix replaces the old text; a macro client receives the three
// pieces separately.
struct ReplacementParts {
    std::u32string Prefix;
    std::u32string Middle;
    std::u32string Suffix;

    std::u32string Text() const { return Prefix + Middle + Suffix; }
    bool operator==(const ReplacementParts&) const = default;
};

// `newAmount` is the converted amount's text, `oldText` the old amount exactly as found.
// `target` is the output format of the currency converted into, `source` that of the
// currency the amount was found in. `layout` decides replace or add mode, the order in
// add mode and the brackets.
//
// The target's symbol goes with the new amount when it is used and not empty. In add
// mode the middle is the old text, untouched; when the old text carried no symbol the
// source currency's symbol is put beside it (whatever the source's use-symbol flag says,
// since the old amount must stay recognisable), unless that symbol is empty, which would
// only leave a stray blank.
ReplacementParts ComposeReplacement(std::u32string_view newAmount, std::u32string_view oldText,
                                    bool oldTextHadSymbol, const TWaehrungsAusgabeFormat& target,
                                    const TWaehrungsAusgabeFormat& source,
                                    const ReplacementLayout& layout);

}  // namespace kassavero
