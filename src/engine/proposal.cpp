// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/proposal.h"

#include <cmath>

#include "engine/everyday_forms.h"
#include "settings/profile_settings.h"

namespace kassavero {
namespace {

// The record of a currency that is none: no symbol to write.
const TWaehrungsAusgabeFormat& OutputRecord(const ProfileSettings& settings, CurrencyIndex c) {
    static const TWaehrungsAusgabeFormat kNone{.Symbol = U"", .UseSymbol = false};
    return IsCurrency(c) ? settings.Output[c] : kNone;
}

// The conversion and the new amount, without the replacement.
Proposal Convert(double amount, CurrencyIndex source, CurrencyIndex target,
                 const AmountFormat& format, const CurrencyTable& currencies, int magnitudeFamily,
                 double magnitude) {
    Proposal proposal;
    proposal.Convertible = IsCurrency(source) && IsCurrency(target) &&
                           currencies.CurrencyRate(source) != 0 &&
                           currencies.CurrencyRate(target) != 0;
    if (!proposal.Convertible)
        return proposal;
    proposal.Euro = currencies.ToEuro(amount, source).value_or(0);
    proposal.EuroVisible = source != kEUR && target != kEUR;
    const double converted = currencies.ConvertAmount(amount, source, target).value_or(0);
    // "1,04 Milliarden Mark" becomes "0,53 Milliarden" euros, not a figure with nine zeros
    // of false precision.
    const MagnitudeChoice choice =
        ChooseMagnitude(magnitudeFamily, magnitude, std::fabs(converted));
    proposal.NewAmount = choice.word.empty()
                             ? FormatAmount(converted, format)
                             : FormatAmount(converted / choice.factor, format) + U" " + choice.word;
    return proposal;
}

}  // namespace

bool CurrencyListed(CurrencyIndex currency, const ProfileSettings& settings) {
    if (!IsCurrency(currency))
        return false;
    return !IsCustomCurrency(currency) ||
           !settings.CustomCurrencySymbol[static_cast<std::size_t>(currency - kCUS1)].empty();
}

Proposal ProposeChange(const TGeplanteAenderung& change, CurrencyIndex source, CurrencyIndex target,
                       const ProfileSettings& settings, const CurrencyTable& currencies) {
    const AmountFormat format =
        IsCurrency(target) ? CurrencyAmountFormat(settings.Output[target], target) : AmountFormat{};
    Proposal proposal = Convert(change.Amount, source, target, format, currencies,
                                change.MagnitudeFamily, change.Magnitude);
    TWaehrungsAusgabeFormat written = OutputRecord(settings, change.Currency);
    if (!change.HasSymbol && !change.SharedSymbol.empty()) {
        written.Symbol = change.SharedSymbol;
        written.SymbolBeforeAmount = change.SharedSymbolBefore;
        written.SeparatingSpace = true;
    }
    proposal.Parts = proposal.Convertible
                         ? ComposeReplacement(proposal.NewAmount, change.OldText, change.HasSymbol,
                                              settings.Output[target], written, settings.Layout())
                         : ReplacementParts{U"", change.OldText, U""};
    return proposal;
}

Proposal ProposeUnattended(const TGeplanteAenderung& change, const ProfileSettings& settings,
                           const CurrencyTable& currencies) {
    const auto listed = [&settings](CurrencyIndex c) {
        return CurrencyListed(c, settings) ? c : kNoCurrency;
    };
    return ProposeChange(change, listed(change.Currency),
                         listed(ListPositionToIndex(settings.OutputDefaultCurrency)), settings,
                         currencies);
}

Proposal ProposeConstant(double amount, CurrencyIndex source, CurrencyIndex target,
                         const AmountFormat& format, const CurrencyTable& currencies) {
    Proposal proposal = Convert(amount, source, target, format, currencies, -1, 1);
    proposal.Parts = ReplacementParts{U"", proposal.NewAmount, U""};
    return proposal;
}

}  // namespace kassavero
