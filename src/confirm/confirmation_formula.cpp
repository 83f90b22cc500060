// SPDX-License-Identifier: GPL-3.0-or-later
// The question about a formula: its amounts one by one, each converted or kept, and the
// whole formula answered at the end.

#include "confirm/confirmation_dialog.h"

#include "core/amount_format.h"
#include "core/number_text.h"
#include "engine/proposal.h"
#include "i18n/translation.h"
#include "platform/message_loop.h"
#include "settings/active_profile.h"

namespace kassavero {
namespace {

constexpr const char32_t* kCancelResult = U"CANCEL";

}  // namespace

void ConfirmationDialog::AskFormula(const std::u32string& formula, CurrencyIndex source,
                                    CurrencyIndex target, FormulaConstants constants,
                                    bool& cancelled, std::u32string& result,
                                    const bool& withdrawn) {
    cancelled = false;
    result = formula;
    std::vector<FormulaAmount> amounts =
        FindFormulaAmounts(formula, currencies_.SystemDecimalSeparator());
    if (amounts.empty())
        return;
    if (!WaitForTurn(withdrawn)) {
        cancelled = true;
        result = kCancelResult;
        return;
    }
    Show();
    if (!WaitForTurn(withdrawn)) {
        cancelled = true;
        result = kCancelResult;
        return;
    }

    view_.SetCaption(U"Kassavero " + texts_.ConversionTitle + U"  " + texts_.ExcelFormulaTitle);
    view_.SetGroupCaptions(U"", U"");
    view_.SetControlVisible(ConfirmControl::FormulaBackButton, true);
    view_.SetFieldStyle(FieldStyle::Formula);
    SelectCurrencies(source, target);
    dialogMode_ = kDialogAsking;
    AnpassenModus();

    std::vector<TextRun> runs;
    for (const FormulaAmount& amount : amounts)
        runs.push_back(TextRun{amount.Position, amount.Length, false});
    view_.SetInputText(formula, runs);
    question_ = Question{};
    question_.Shown = true;
    question_.FormulaMode = true;
    question_.Constants = constants;
    question_.Formula = formula;
    question_.Amounts = std::move(amounts);
    question_.Current = 0;
    ShowCurrentAmount();
    UpdateProposal();

    Outcome outcome;
    WarteAufEingabe(outcome, withdrawn);
    cancelled = outcome.Cancelled;
    result = outcome.FormulaResult;
}

std::u32string ConfirmationDialog::ConvertFormula(const std::u32string& formula,
                                                  CurrencyIndex source, CurrencyIndex target,
                                                  FormulaConstants constants) {
    Question aside;
    aside.FormulaMode = true;
    aside.Constants = constants;
    aside.Formula = formula;
    aside.Amounts = FindFormulaAmounts(formula, currencies_.SystemDecimalSeparator());
    for (FormulaAmount& amount : aside.Amounts) {
        aside.OldAmountText = formula.substr(amount.Position, amount.Length);
        Compute(aside, Listed(source), Listed(target));
        if (aside.Convertible)
            amount.NewText = aside.NewAmount;
    }
    return AssembleFormula(formula, aside.Amounts).Text;
}

void ConfirmationDialog::ShowCurrentAmount() {
    const FormulaAmount& amount = question_.Amounts[question_.Current];
    question_.OldAmountText = question_.Formula.substr(amount.Position, amount.Length);
    view_.SetOldAmountLabel(question_.OldAmountText);
}

void ConfirmationDialog::FormulaAnswer(int answer) {
    FormulaAmount& amount = question_.Amounts[question_.Current];
    if (answer == kAnswerCancel) {
        FinishFormula(true);
        return;
    }
    if (answer == kAnswerYes) {
        amount.NewText = question_.NewAmount;
    } else {
        amount.NewText.clear();
    }
    if (question_.Current + 1 >= question_.Amounts.size()) {
        FinishFormula(false);
        return;
    }
    ++question_.Current;
    answer_ = kAnswerNone;
    ShowCurrentAmount();
    UpdateProposal();
}

void ConfirmationDialog::FinishFormula(bool cancelled) {
    Outcome& outcome = *owner_;
    outcome.Answer = cancelled ? kAnswerCancel : answer_;
    outcome.Cancelled = cancelled;
    question_.Current = question_.Amounts.size() - 1;
    if (cancelled) {
        // Every change accepted so far is dropped.
        outcome.FormulaResult = kCancelResult;
    } else {
        UpdateProposal();
        outcome.FormulaResult = AssembleFormula(question_.Formula, question_.Amounts).Text;
    }
    question_.FormulaMode = false;
    question_.Amounts.clear();
    question_.Current = 0;
    question_.Shown = false;
    Close(outcome);
}

bool ConfirmationDialog::FormulaListed() const {
    return open_ && question_.FormulaMode && !question_.Amounts.empty();
}

void ConfirmationDialog::Navigated() {
    ShowCurrentAmount();
    UpdateProposal();
}

void ConfirmationDialog::InputFieldEntered(std::size_t caret) {
    if (!FormulaListed())
        return;
    const auto& amounts = question_.Amounts;
    question_.Current = amounts.size() - 1;
    for (std::size_t k = 0; k < amounts.size(); ++k) {
        if (amounts[k].Position + amounts[k].Length >= caret) {
            question_.Current = k;
            break;
        }
    }
    Navigated();
}

void ConfirmationDialog::FormulaBackClicked() {
    if (!FormulaListed() || question_.Current == 0)
        return;
    --question_.Current;
    Navigated();
}

}  // namespace kassavero
