// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A confirmation that answers yes without asking and composes the real replacement: the
// amount converted into the profile's default target currency, written with that
// currency's output format, put together with the old text as the profile says.

#include <string>
#include <vector>

#include "core/amount_format.h"
#include "core/currency.h"
#include "core/replacement_text.h"
#include "engine/confirmation.h"
#include "settings/active_profile.h"

namespace kassavero::testing {

class ComposingConfirmation final : public Confirmation {
  public:
    const ActiveProfile* profile = nullptr;  // set before the first question
    int stopRequest = 0;
    bool visible = false;
    std::vector<TGeplanteAenderung> asked;

    void SetDialogMode(int /*mode*/) override {}
    int StopRequest() const override { return stopRequest; }
    void SetStopRequest(int value) override { stopRequest = value; }
    void AnpassenHinweise() override {}
    void AnpassenModus() override {}

    bool AskChange(const TGeplanteAenderung& proposal, bool /*ask*/,
                   const std::u32string& /*clientName*/) override {
        asked.push_back(proposal);
        const ProfileSettings& s = profile->Settings();
        const auto target = static_cast<CurrencyIndex>(s.OutputDefaultCurrency);
        const CurrencyTable table(*profile, U',', kDEM);
        const double converted =
            table.ConvertAmount(proposal.Amount, proposal.Currency, target).value_or(0);
        parts_ = ComposeReplacement(
            FormatAmount(converted, CurrencyAmountFormat(s.Output[target], target)),
            proposal.OldText, proposal.HasSymbol, s.Output[target], s.Output[proposal.Currency],
            s.Layout());
        return true;
    }
    ReplacementParts OutputParts() const override { return parts_; }

    bool Visible() const override { return visible; }
    void Show() override { visible = true; }
    void Hide() override { visible = false; }

  private:
    ReplacementParts parts_;
};

}  // namespace kassavero::testing
