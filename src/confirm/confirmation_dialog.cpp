// SPDX-License-Identifier: GPL-3.0-or-later
#include "confirm/confirmation_dialog.h"

#include <algorithm>

#include <cmath>

#include "calculator/calculator_access.h"
#include "core/amount_format.h"
#include "core/number_text.h"
#include "core/unicode_text.h"
#include "engine/proposal.h"
#include "i18n/translation.h"
#include "i18n/translator.h"
#include "platform/help.h"
#include "platform/message_loop.h"
#include "platform/program_windows.h"
#include "settings/active_profile.h"
#include "settings/transfer_ini_file.h"

namespace kassavero {
namespace {

constexpr const char32_t* kCancelResult = U"CANCEL";

ReplacementParts Unchanged(const TGeplanteAenderung& change) {
    return ReplacementParts{U"", change.OldText, U""};
}

}  // namespace

ConfirmationDialog::ConfirmationDialog(ConfirmationView& view, ActiveProfile& profile,
                                       const CurrencyTable& currencies,
                                       char32_t systemThousandSeparator, const CommonTexts& texts,
                                       Translator& translator, MessageLoop& loop, Registry& store,
                                       Help& help, CalculatorAccess& calculator,
                                       SettingsWindow& settingsWindow)
    : view_(view),
      profile_(profile),
      currencies_(currencies),
      thousandSeparator_(systemThousandSeparator),
      texts_(texts),
      translator_(translator),
      loop_(loop),
      store_(store),
      help_(help),
      calculator_(calculator),
      settingsWindow_(settingsWindow) {
    view_.SetFieldStyle(FieldStyle::Change);
    view_.SetControlVisible(ConfirmControl::FormulaBackButton, false);
    view_.SetControlVisible(ConfirmControl::EuroPanel, false);
    RefreshCurrencyLists();
}

ConfirmationDialog::~ConfirmationDialog() {
    Unsubscribe();
}

// ---- Modes and showing ----

void ConfirmationDialog::SetDialogMode(int mode) {
    if (!open_)
        dialogMode_ = mode;
}

void ConfirmationDialog::AnpassenModus() {
    const bool asking = dialogMode_ == kDialogAsking;
    if (!asking && dialogMode_ != kDialogRunning && dialogMode_ != kDialogPaused)
        return;
    view_.SetControlVisible(ConfirmControl::YesButton, asking);
    view_.SetControlVisible(ConfirmControl::NoButton, asking);
    view_.SetControlVisible(ConfirmControl::StopButton, !asking);
    if (!asking) {
        view_.SetStopButtonCaption(dialogMode_ == kDialogRunning ? texts_.StopCaption
                                                                 : texts_.ContinueCaption);
    }
    const bool running = dialogMode_ == kDialogRunning;
    // Without a settings window the button would do nothing.
    view_.SetControlEnabled(ConfirmControl::SettingsButton,
                            !running && settingsWindow_.SettingsAvailable());
    view_.SetControlEnabled(ConfirmControl::HelpButton, !running);
    view_.SetControlEnabled(ConfirmControl::CancelButton, true);
    if (running)
        loop_.ProcessPendingMessages();
}

void ConfirmationDialog::Show() {
    if (!visible_) {
        TransferFormPosition(store_, kGeneralSection, kConfirmFormName, view_, false);
        stopRequest_ = 0;
        Subscribe();
        visible_ = true;
        view_.ShowWindow();
        view_.BringToFront();
        loop_.ProcessPendingMessages();
        return;
    }
    view_.BringToFront();
}

void ConfirmationDialog::Hide() {
    // Nobody could answer a hidden question or continue a hidden pause: whatever waits
    // for the user ends as if the window had been closed. A pause with nothing held by
    // it only ends; the changes that come later (another client's, perhaps) go on.
    const bool waiting = open_ || pauseWaits_ > 0;
    if (pauseWaits_ > 0)
        ++pauseEnds_;
    if (dialogMode_ == kDialogPaused) {
        dialogMode_ = kDialogRunning;
        AnpassenModus();
    }
    if (waiting) {
        if (stopRequest_ == 0)
            stopRequest_ = kAnswerCancel;
        GiveAnswer(kAnswerCancel);
    }
    if (!visible_)
        return;
    TransferFormPosition(store_, kGeneralSection, kConfirmFormName, view_, true);
    visible_ = false;
    view_.HideWindow();
    Unsubscribe();
}

void ConfirmationDialog::Subscribe() {
    profile_.SettingsChangedCallback(0).Set([this](ActiveProfile&) { RefreshCurrencyLists(); });
    profile_.SettingsChangedCallback(1).Set([this](ActiveProfile&) { UpdateProposal(); });
    subscribed_ = true;
}

void ConfirmationDialog::Unsubscribe() {
    if (!subscribed_)
        return;
    profile_.SettingsChangedCallback(0).Clear();
    profile_.SettingsChangedCallback(1).Clear();
    subscribed_ = false;
}

// ---- Currencies and the proposal ----

void ConfirmationDialog::RefreshCurrencyLists() {
    entries_ = CurrencyListEntries(profile_.Settings());
    view_.SetCurrencyLists(entries_);
    SelectCurrencies(source_, target_);
}

void ConfirmationDialog::SelectCurrencies(CurrencyIndex source, CurrencyIndex target) {
    const int sourcePosition = EntryPosition(entries_, source);
    const int targetPosition = EntryPosition(entries_, target);
    source_ = EntryCurrency(entries_, sourcePosition);
    target_ = EntryCurrency(entries_, targetPosition);
    view_.SelectSourceEntry(sourcePosition);
    view_.SelectTargetEntry(targetPosition);
}

CurrencyIndex ConfirmationDialog::Listed(CurrencyIndex currency) const {
    return EntryCurrency(entries_, EntryPosition(entries_, currency));
}

CurrencyIndex ConfirmationDialog::DefaultTarget() const {
    return ListPositionToIndex(profile_.Settings().OutputDefaultCurrency);
}

void ConfirmationDialog::Compute(Question& question, CurrencyIndex source,
                                 CurrencyIndex target) const {
    const ProfileSettings& settings = profile_.Settings();
    const char32_t decimalSeparator = currencies_.SystemDecimalSeparator();
    Proposal proposal;
    if (question.FormulaMode) {
        question.Amount = ParseDecimalLenient(question.OldAmountText, decimalSeparator);
        const PrecisionMode precision =
            ToPrecisionMode(question.Constants == FormulaConstants::ConstantCell
                                ? settings.ExcelPrecision_ConstantCell
                                : settings.ExcelPrecision_ConstantInFormula)
                .value_or(PrecisionMode::TransferUnit);
        proposal = ProposeConstant(
            question.Amount, source, target,
            FormulaAmountFormat(precision, target, settings.Output, decimalSeparator), currencies_);
    } else {
        question.Amount = question.Change.Amount;
        proposal = ProposeChange(question.Change, source, target, settings, currencies_);
    }
    question.Convertible = proposal.Convertible;
    question.EuroVisible = proposal.EuroVisible;
    question.EuroText = IntermediateEuroText(proposal.Euro, decimalSeparator, thousandSeparator_);
    question.NewAmount = std::move(proposal.NewAmount);
    question.Parts = std::move(proposal.Parts);
}

void ConfirmationDialog::UpdateProposal() {
    if (!question_.Shown)
        return;
    Compute(question_, source_, target_);
    Display();
}

void ConfirmationDialog::Display() {
    const Question& q = question_;
    view_.SetControlVisible(ConfirmControl::EuroPanel, q.EuroVisible);
    if (q.EuroVisible)
        view_.SetEuroAmountLabel(q.EuroText);
    view_.SetNewAmountLabel(q.Convertible ? q.NewAmount
                                          : translator_.TranslateKey("KeineUmrechnungMoeglich"));
    EnableAnswers();
    if (!q.FormulaMode) {
        view_.SetOutputText(q.Parts.Text(), {});
        return;
    }
    const FormulaAmount& current = q.Amounts[q.Current];
    view_.SelectInputText(current.Position, current.Length);
    const AssembledFormula assembled = AssembleFormula(q.Formula, q.Amounts);
    std::vector<TextRun> runs;
    for (const DisplayRun& run : assembled.Runs)
        runs.push_back(TextRun{run.Start, run.Length, run.RunKind == DisplayRun::Replaced});
    view_.SetOutputText(assembled.Text, runs);
    const DisplayRun& currentRun = assembled.Runs[q.Current];
    view_.SelectOutputText(currentRun.Start, currentRun.Length);
}

// ---- Asking ----

bool ConfirmationDialog::WaitForTurn(const bool& withdrawn) {
    if (withdrawn)
        return false;
    if (!open_)
        return true;
    const Waiter waiter(waiters_, withdrawn);
    loop_.RunUntil([this, &withdrawn] { return !open_ || withdrawn; });
    return !open_ && !withdrawn;
}

ChangeAnswer ConfirmationDialog::WaitWhilePaused(const bool& withdrawn) {
    if (dialogMode_ != kDialogPaused || !visible_)
        return ChangeAnswer::Yes;
    const unsigned stops = stopCount_ + pauseEnds_;
    ++pauseWaits_;
    {
        const Waiter waiter(waiters_, withdrawn);
        loop_.RunUntil([this, stops, &withdrawn] {
            return dialogMode_ != kDialogPaused || stopCount_ + pauseEnds_ != stops || withdrawn;
        });
    }
    --pauseWaits_;
    if (stopCount_ + pauseEnds_ != stops || withdrawn)
        return ChangeAnswer::Cancelled;
    return dialogMode_ != kDialogPaused ? ChangeAnswer::Yes : ChangeAnswer::Cancelled;
}

int ConfirmationDialog::WarteAufEingabe(Outcome& outcome, const bool& withdrawn) {
    answer_ = kAnswerNone;
    owner_ = &outcome;
    open_ = true;
    EnableAnswers();
    view_.Focus(question_.Convertible ? ConfirmControl::YesButton : ConfirmControl::NoButton);
    {
        Waiter waiter(waiters_, withdrawn);
        outcome.waiter = &waiter;
        outcome.withdrawn = &withdrawn;
        loop_.RunUntil([&outcome, &withdrawn] { return outcome.Done || withdrawn; });
        outcome.waiter = nullptr;
    }
    if (!outcome.Done && withdrawn) {
        EndWithdrawn();
    } else if (!outcome.Done) {
        // The event loop gave up (the program is ending): nobody will answer.
        if (stopRequest_ == 0)
            stopRequest_ = kAnswerCancel;
        GiveAnswer(kAnswerCancel);
    }
    return outcome.Answer;
}

void ConfirmationDialog::EndWithdrawn() {
    if (!open_ || owner_ == nullptr || owner_->withdrawn == nullptr || !*owner_->withdrawn)
        return;
    // Nobody waits for this answer any more; the next question may come up.
    Outcome& outcome = *owner_;
    question_.FormulaMode = false;
    question_.Amounts.clear();
    question_.Current = 0;
    outcome.Answer = kAnswerCancel;
    outcome.Cancelled = true;
    outcome.FormulaResult = kCancelResult;
    Close(outcome);
}

bool ConfirmationDialog::Busy() const {
    return std::any_of(waiters_.begin(), waiters_.end(),
                       [](const bool* withdrawn) { return !*withdrawn; });
}

bool ConfirmationDialog::AskChange(const TGeplanteAenderung& proposal, bool ask,
                                   const std::u32string& clientName) {
    static const bool kNever = false;
    return Ask(proposal, ask, clientName, kNever) == ChangeAnswer::Yes;
}

ChangeAnswer ConfirmationDialog::Ask(const TGeplanteAenderung& proposal, bool ask,
                                     const std::u32string& clientName, const bool& withdrawn) {
    // Without a question and with nothing on the screen to show it in (or a question of
    // another's in it), the change is computed aside: filling a hidden window's fields
    // would only cost time.
    if (!ask && (open_ || !visible_)) {
        Proposal aside = ProposeUnattended(proposal, profile_.Settings(), currencies_);
        outputParts_ = std::move(aside.Parts);
        return aside.Convertible ? ChangeAnswer::Yes : ChangeAnswer::No;
    }
    // Whether this session was stopped is its own business; another session's cancel
    // does not decline this question.
    const ChangeAnswer go =
        ask ? (WaitForTurn(withdrawn) ? ChangeAnswer::Yes : ChangeAnswer::Cancelled)
            : WaitWhilePaused(withdrawn);
    if (go != ChangeAnswer::Yes) {
        outputParts_ = Unchanged(proposal);
        return ChangeAnswer::Cancelled;
    }
    if (ask) {
        // Waiting events run here; a question they bring is asked to its end first.
        Show();
        if (withdrawn || !WaitForTurn(withdrawn)) {
            outputParts_ = Unchanged(proposal);
            return ChangeAnswer::Cancelled;
        }
        stopRequest_ = 0;
    }
    // From here to the wait no event runs, so the question is set up whole.
    question_ = Question{};
    question_.Shown = true;
    question_.Change = proposal;
    question_.Amount = proposal.Amount;
    dialogMode_ = kDialogAsking;
    AnpassenModus();

    view_.SetCaption(U"Kassavero " + texts_.ConversionTitle + U" (" + clientName + U")");
    view_.SetGroupCaptions(texts_.InputTitle, texts_.OutputTitle);
    view_.SetControlVisible(ConfirmControl::FormulaBackButton, false);
    view_.SetFieldStyle(FieldStyle::Change);

    view_.SetInputText(proposal.OldText, {});
    const char32_t decimalSeparator = currencies_.SystemDecimalSeparator();
    question_.OldAmountText =
        FormatAmount(proposal.Amount, OldAmountFormat(proposal.Currency, proposal.Decimals,
                                                      decimalSeparator, thousandSeparator_));
    view_.SetOldAmountLabel(question_.OldAmountText);
    SelectCurrencies(proposal.Currency, DefaultTarget());
    UpdateProposal();

    Outcome outcome;
    if (ask) {
        WarteAufEingabe(outcome, withdrawn);
    } else {
        outcome.Answer = kAnswerYes;
        outcome.Convertible = question_.Convertible;
        outcome.Parts = question_.Parts;
    }
    if (stopRequest_ == 0) {
        dialogMode_ = kDialogRunning;
        AnpassenModus();
    }
    // Set last: a question asked by the events run above has set its own parts.
    outputParts_ =
        outcome.Answer == kAnswerCancel && withdrawn ? Unchanged(proposal) : outcome.Parts;
    if (outcome.Answer == kAnswerCancel)
        return ChangeAnswer::Cancelled;
    return outcome.Answer == kAnswerYes && outcome.Convertible ? ChangeAnswer::Yes
                                                               : ChangeAnswer::No;
}

// ---- Answers ----

void ConfirmationDialog::GiveAnswer(int answer) {
    // Without a converted amount there is nothing to say yes to.
    if (answer == kAnswerYes && open_ && !question_.Convertible)
        return;
    answer_ = answer;
    if (!open_)
        return;
    if (question_.FormulaMode) {
        FormulaAnswer(answer);
    } else {
        FinishChange(answer);
    }
}

void ConfirmationDialog::Close(Outcome& outcome) {
    if (outcome.waiter != nullptr)
        outcome.waiter->Release();
    outcome.Done = true;
    open_ = false;
    owner_ = nullptr;
    EnableAnswers();
}

void ConfirmationDialog::EnableAnswers() {
    view_.SetControlEnabled(ConfirmControl::YesButton, open_ && question_.Convertible);
    view_.SetControlEnabled(ConfirmControl::NoButton, open_);
}

void ConfirmationDialog::FinishChange(int answer) {
    Outcome& outcome = *owner_;
    outcome.Answer = answer;
    outcome.Convertible = question_.Convertible;
    outcome.Parts = question_.Parts;
    Close(outcome);
}

void ConfirmationDialog::CancelClicked() {
    // Nothing asked and no conversion running (after a formula, say): no session will
    // close the window, so Cancel does.
    const bool idle = !open_ && dialogMode_ == kDialogAsking;
    // With a question open, Cancel answers it; else it stops what runs.
    if (!open_)
        ++stopCount_;
    stopRequest_ = kAnswerCancel;
    if (dialogMode_ == kDialogPaused) {
        dialogMode_ = kDialogRunning;
        AnpassenModus();
    }
    GiveAnswer(kAnswerCancel);
    if (idle)
        Hide();
}

void ConfirmationDialog::WindowClosing() {
    if (!open_)
        ++stopCount_;
    if (dialogMode_ == kDialogPaused) {
        dialogMode_ = kDialogRunning;
        AnpassenModus();
    }
    if (stopRequest_ == 0)
        stopRequest_ = kAnswerCancel;
    GiveAnswer(kAnswerCancel);
    Hide();
}

void ConfirmationDialog::StopContinueClicked() {
    // The button is hidden while a question is open; the question keeps the dialog.
    if (open_)
        return;
    dialogMode_ = dialogMode_ == kDialogRunning ? kDialogPaused : kDialogRunning;
    AnpassenModus();
}

void ConfirmationDialog::SettingsClicked() {
    settingsWindow_.ShowSettings(SettingsPage::Current);
}

void ConfirmationDialog::HelpClicked() {
    help_.ShowTopic(kConfirmationHelpTopic);
}

void ConfirmationDialog::CalculatorClicked() {
    // Also when it is open already: it comes to the front.
    calculator_.Show();
    // Without a source currency there is no amount to hand over.
    if (!IsCurrency(source_))
        return;
    const double amount =
        question_.FormulaMode
            ? ParseDecimalLenient(question_.OldAmountText, currencies_.SystemDecimalSeparator())
            : question_.Change.Amount;
    calculator_.ShowAmount(source_, true, amount);
}

// ---- Currency lists and formula navigation ----

void ConfirmationDialog::SourceSelected(int position) {
    source_ = EntryCurrency(entries_, position);
    UpdateProposal();
}

void ConfirmationDialog::TargetSelected(int position) {
    target_ = EntryCurrency(entries_, position);
    UpdateProposal();
}

void ConfirmationDialog::Click(ConfirmControl button) {
    switch (button) {
        case ConfirmControl::YesButton:
            YesClicked();
            break;
        case ConfirmControl::NoButton:
            NoClicked();
            break;
        case ConfirmControl::StopButton:
            StopContinueClicked();
            break;
        case ConfirmControl::CancelButton:
            CancelClicked();
            break;
        case ConfirmControl::HelpButton:
            HelpClicked();
            break;
        case ConfirmControl::SettingsButton:
            SettingsClicked();
            break;
        case ConfirmControl::CalculatorButton:
            CalculatorClicked();
            break;
        case ConfirmControl::FormulaBackButton:
            FormulaBackClicked();
            break;
        default:
            // Return on a control that is not a button presses the default button.
            YesClicked();
            break;
    }
}

bool ConfirmationDialog::KeyPressed(const KeyEvent& key) {
    // The window sees the key first; it stays available to the focused control.
    if (key.Key == DialogKey::Escape) {
        CancelClicked();
    } else if (key.Key == DialogKey::Character) {
        const std::u32string typed(1, UpperCase(key.Character));
        if (typed == U"1" || typed == texts_.YesLetter) {
            YesClicked();
        } else if (typed == U"2" || typed == texts_.NoLetter) {
            NoClicked();
        }
    }

    if (key.Focus == ConfirmControl::InputField) {
        // The text cannot be typed over.
        if (key.Key == DialogKey::Character)
            return true;
        if (key.Key != DialogKey::Return && !key.Modifier && FormulaListed()) {
            const std::size_t last = question_.Amounts.size() - 1;
            std::size_t& current = question_.Current;
            switch (key.Key) {
                case DialogKey::Home:
                    current = 0;
                    break;
                case DialogKey::End:
                    current = last;
                    break;
                case DialogKey::Left:
                    current = current > 0 ? current - 1 : 0;
                    break;
                case DialogKey::Right:
                    current = current < last ? current + 1 : last;
                    break;
                default:
                    break;
            }
            Navigated();
            return true;
        }
    }
    if (key.Key == DialogKey::Return) {
        Click(key.Focus);
        return true;
    }
    return false;
}

}  // namespace kassavero
