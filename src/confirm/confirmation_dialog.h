// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The confirmation dialog's behaviour: it shows one proposed change (or one constant of
// a spreadsheet formula) at a time, lets the user pick other currencies and move through
// a formula, and waits for yes, no or cancel while the rest of the program keeps running.
// The window only displays what this class tells its ConfirmationView and hands the
// user's clicks and keys to it.

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "confirm/confirmation_view.h"
#include "confirm/currency_choice.h"
#include "confirm/formula_amounts.h"
#include "confirm/formula_question.h"
#include "core/currency.h"
#include "core/replacement_text.h"
#include "engine/confirmation.h"
#include "engine/geplante_aenderung.h"

namespace kassavero {

class ActiveProfile;
class CalculatorAccess;
class CurrencyTable;
class Help;
class MessageLoop;
class Registry;
class SettingsWindow;
class Translator;
struct CommonTexts;

// Answer values, the standard dialog results.
inline constexpr int kAnswerNone = 0;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

inline constexpr int kConfirmationHelpTopic = 1090;
// The name the window's position is stored under.
inline constexpr std::u32string_view kConfirmFormName = U"ConfirmForm";

// A key as the window hands it over: the window sees every key before the focused
// control does.
enum class DialogKey { Character, Return, Escape, Home, End, Left, Right, Other };

struct KeyEvent {
    DialogKey Key = DialogKey::Other;
    char32_t Character = 0;  // the typed character, for DialogKey::Character
    bool Modifier = false;   // Shift, Ctrl or Alt held
    ConfirmControl Focus = ConfirmControl::InputField;
};

class ConfirmationDialog final : public Confirmation, public FormulaQuestion {
  public:
    // Fills the currency lists. The texts are the ones looked up once at start-up;
    // `translator` serves the rest.
    ConfirmationDialog(ConfirmationView& view, ActiveProfile& profile,
                       const CurrencyTable& currencies, char32_t systemThousandSeparator,
                       const CommonTexts& texts, Translator& translator, MessageLoop& loop,
                       Registry& store, Help& help, CalculatorAccess& calculator,
                       SettingsWindow& settingsWindow);
    ~ConfirmationDialog() override;
    ConfirmationDialog(const ConfirmationDialog&) = delete;
    ConfirmationDialog& operator=(const ConfirmationDialog&) = delete;

    // ---- What the sessions use ----

    // While a question is open it keeps the dialog asking; a mode set meanwhile is
    // dropped (the dialog goes back to running mode after the answer anyway).
    void SetDialogMode(int mode) override;
    int StopRequest() const override { return stopRequest_; }
    void SetStopRequest(int value) override { stopRequest_ = value; }
    // The dialog has no hint line to refresh (its statistics line stays hidden).
    void AnpassenHinweise() override {}
    // Shows DialogMode in the buttons; in running mode waiting events run once, so the
    // change shows at once.
    void AnpassenModus() override;

    // Converts the proposal into the default target currency and composes the
    // replacement. With `ask` the dialog is shown and waits for the answer; without it
    // the answer is yes, unless the user paused the conversion, which then waits here
    // until it is continued or cancelled.
    //
    // A question asked while another is open waits until that one is answered, then
    // takes its turn; if the user cancelled meanwhile it is declined unasked. A change
    // that needs no answer is computed on the side and leaves the open question alone.
    //
    // Returns true only for yes with a converted amount: when either currency is none,
    // or a rate is 0, nothing can be converted and the change is declined.
    bool AskChange(const TGeplanteAenderung& proposal, bool ask,
                   const std::u32string& clientName) override;
    // The same for one of several sessions: a question waits for its turn, but another
    // session's cancel never declines it; `withdrawn` set while it waits ends it
    // unanswered, and the next question comes up.
    ChangeAnswer Ask(const TGeplanteAenderung& proposal, bool ask, const std::u32string& clientName,
                     const bool& withdrawn) override;
    unsigned StopCount() const override { return stopCount_; }
    bool Busy() const override;
    void EndWithdrawn() override;
    bool AmountOnScreen(const ScreenArea& amount) override { return view_.KeepClearOf(amount); }
    ReplacementParts OutputParts() const override { return outputParts_; }

    bool Visible() const override { return visible_; }
    // Restores the saved position, clears StopRequest and subscribes to settings
    // changes when the dialog was hidden; brings it to the front in any case.
    void Show() override;
    // Saves the position and unsubscribes. An open question is answered as if the user
    // had closed the window (cancel), so no wait is left behind for a hidden window.
    void Hide() override;

    // ---- What the formula command uses ----

    // Asks for each non-zero constant in turn. When no conversion is possible (a
    // currency is none, or a rate is 0) the dialog says so instead of a new amount and
    // Yes is disabled until the user picks currencies that convert; No and Cancel still
    // answer. A formula asked while another question is open waits for its turn.
    using FormulaQuestion::AskFormula;
    void AskFormula(const std::u32string& formula, CurrencyIndex source, CurrencyIndex target,
                    FormulaConstants constants, bool& cancelled, std::u32string& result,
                    const bool& withdrawn) override;
    std::u32string ConvertFormula(const std::u32string& formula, CurrencyIndex source,
                                  CurrencyIndex target, FormulaConstants constants) override;

    // ---- State ----

    int DialogMode() const { return dialogMode_; }
    int Answer() const { return answer_; }
    bool QuestionOpen() const { return open_; }
    bool FormulaMode() const { return question_.FormulaMode; }
    CurrencyIndex SourceCurrency() const { return source_; }
    CurrencyIndex TargetCurrency() const { return target_; }
    const std::vector<CurrencyListEntry>& CurrencyList() const { return entries_; }
    const std::vector<FormulaAmount>& FormulaAmounts() const { return question_.Amounts; }
    std::size_t CurrentAmount() const { return question_.Current; }

    // ---- Recomputing ----

    // Refills both lists from the profile; a chosen currency that is still listed stays
    // chosen.
    void RefreshCurrencyLists();
    // Recomputes the euro value, the new amount and the output from the two chosen
    // currencies and the current amount, and shows them.
    void UpdateProposal();

    // ---- Events from the window ----

    void YesClicked() { GiveAnswer(kAnswerYes); }
    void NoClicked() { GiveAnswer(kAnswerNo); }
    void CancelClicked();
    void StopContinueClicked();
    void SettingsClicked();
    void HelpClicked();
    // Hands the source amount to the calculator, showing it first if it is hidden.
    void CalculatorClicked();
    void FormulaBackClicked();
    // The user closed the window.
    void WindowClosing();
    // A position in the list, or -1.
    void SourceSelected(int position);
    void TargetSelected(int position);
    // Focus entered the input field, or the mouse was pressed in it; `caret` is where
    // the caret stands.
    void InputFieldEntered(std::size_t caret);
    // Escape cancels, "1" and the translated initial of yes answer yes, "2" and the
    // initial of no answer no (in that order, letters in either case) wherever the
    // focus is. Return presses the focused button, or the default button Yes. In the
    // input field typed characters are dropped and, while a formula is asked, Home, End,
    // Left and Right without modifiers move between its amounts. True when the key is
    // used up and the focused control must not see it.
    bool KeyPressed(const KeyEvent& key);

  private:
    // The dialog's one set of question data.
    struct Question {
        bool Shown = false;  // something is proposed
        TGeplanteAenderung Change;
        double Amount = 0;
        bool FormulaMode = false;
        FormulaConstants Constants = FormulaConstants::InFormula;
        std::u32string Formula;
        std::vector<FormulaAmount> Amounts;
        std::size_t Current = 0;
        std::u32string OldAmountText;  // the source amount as shown
        // Results of the last computation.
        bool Convertible = false;
        bool EuroVisible = false;
        std::u32string EuroText;
        std::u32string NewAmount;  // empty when nothing converts
        ReplacementParts Parts;
    };

    class Waiter;
    // What one caller waits for; filled when its question is answered.
    struct Outcome {
        bool Done = false;
        int Answer = kAnswerNone;
        bool Convertible = false;
        ReplacementParts Parts;
        bool Cancelled = false;
        std::u32string FormulaResult;
        Waiter* waiter = nullptr;         // while the question is open
        const bool* withdrawn = nullptr;  // ends it unanswered once set
    };

    void Compute(Question& question, CurrencyIndex source, CurrencyIndex target) const;
    void Display();
    void SelectCurrencies(CurrencyIndex source, CurrencyIndex target);
    // The currency if the lists hold it, else none.
    CurrencyIndex Listed(CurrencyIndex currency) const;
    CurrencyIndex DefaultTarget() const;
    void ShowCurrentAmount();
    bool FormulaListed() const;
    void Navigated();

    // Each wait for the user is listed while it lasts, with what withdraws it.
    class Waiter {
      public:
        Waiter(std::vector<const bool*>& list, const bool& withdrawn)
            : list_(list), withdrawn_(&withdrawn) {
            list_.push_back(withdrawn_);
        }
        ~Waiter() { Release(); }
        Waiter(const Waiter&) = delete;
        Waiter& operator=(const Waiter&) = delete;
        // An answered question waits no more, though its caller has not returned yet.
        void Release() {
            if (listed_)
                list_.erase(std::find(list_.begin(), list_.end(), withdrawn_));
            listed_ = false;
        }

      private:
        std::vector<const bool*>& list_;
        const bool* withdrawn_;
        bool listed_ = true;
    };

    bool WaitForTurn(const bool& withdrawn);
    // Yes to go on, Cancelled when the user stopped, the window was hidden or the
    // question was withdrawn meanwhile.
    ChangeAnswer WaitWhilePaused(const bool& withdrawn);
    int WarteAufEingabe(Outcome& outcome, const bool& withdrawn);
    // Yes and No are enabled only while a question waits for them (Yes only when there
    // is something to convert).
    void EnableAnswers();
    void GiveAnswer(int answer);
    void FinishChange(int answer);
    void FormulaAnswer(int answer);
    void FinishFormula(bool cancelled);
    void Close(Outcome& outcome);
    void Click(ConfirmControl button);

    void Subscribe();
    void Unsubscribe();

    ConfirmationView& view_;
    ActiveProfile& profile_;
    const CurrencyTable& currencies_;
    char32_t thousandSeparator_;
    const CommonTexts& texts_;
    Translator& translator_;
    MessageLoop& loop_;
    Registry& store_;
    Help& help_;
    CalculatorAccess& calculator_;
    SettingsWindow& settingsWindow_;

    int dialogMode_ = kDialogRunning;
    int answer_ = kAnswerNone;
    int stopRequest_ = 0;
    bool visible_ = false;
    bool subscribed_ = false;
    std::vector<CurrencyListEntry> entries_;
    CurrencyIndex source_ = kNoCurrency;
    CurrencyIndex target_ = kNoCurrency;
    Question question_;
    bool open_ = false;       // a question waits for its answer
    int pauseWaits_ = 0;      // changes held by the pause
    unsigned pauseEnds_ = 0;  // pauses ended by hiding the window
    unsigned stopCount_ = 0;  // see StopCount()
    std::vector<const bool*> waiters_;
    Outcome* owner_ = nullptr;  // whoever waits for it
    ReplacementParts outputParts_;
};

}  // namespace kassavero
