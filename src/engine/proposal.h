// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the confirmation proposes for an amount found: the amount converted into the
// target currency and written as that currency's output record says (or a formula's
// precision), the euro value between, and the text that replaces the old amount. The
// confirmation dialog shows it; a conversion without the dialog takes it as it is.

#include <string>

#include "core/amount_format.h"
#include "core/currency.h"
#include "core/replacement_text.h"
#include "engine/geplante_aenderung.h"

namespace kassavero {

struct ProfileSettings;

struct Proposal {
    // Both currencies are known and neither rate is 0 (a custom currency without a rate
    // would write 0 for any amount).
    bool Convertible = false;
    bool EuroVisible = false;  // neither side is the euro
    double Euro = 0;
    std::u32string NewAmount;  // empty when nothing converts
    // For a change found in a text: what replaces the old text (the old text itself when
    // nothing converts).
    ReplacementParts Parts;
};

// Whether a currency can be chosen: a fixed one, or a custom one with a code.
bool CurrencyListed(CurrencyIndex currency, const ProfileSettings& settings);

// A change found in a text, from `source` into `target` as chosen. The old amount keeps
// the symbol of the currency it was found in, whatever source was chosen; a magnitude
// word found with it ("1,04 Milliarden Mark") stays in the new amount.
Proposal ProposeChange(const TGeplanteAenderung& change, CurrencyIndex source, CurrencyIndex target,
                       const ProfileSettings& settings, const CurrencyTable& currencies);

// A change no one is asked about: from the currency found into the default target, each
// only if it can be chosen.
Proposal ProposeUnattended(const TGeplanteAenderung& change, const ProfileSettings& settings,
                           const CurrencyTable& currencies);

// A constant of a spreadsheet formula, written with `format` (its precision).
Proposal ProposeConstant(double amount, CurrencyIndex source, CurrencyIndex target,
                         const AmountFormat& format, const CurrencyTable& currencies);

}  // namespace kassavero
