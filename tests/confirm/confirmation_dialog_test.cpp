// SPDX-License-Identifier: GPL-3.0-or-later
#include "confirm/confirmation_dialog.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include "confirm/dialog_fixture.h"

namespace kassavero {
namespace {

using testing::DialogTest;
using testing::Found;
using C = ConfirmControl;

constexpr const char32_t* kEuro51 = U"\u20AC 51,13";

TEST_F(DialogTest, ButtonsFollowTheDialogMode) {
    struct Row {
        int mode;
        bool yesNo, stop, settingsHelp;
        const char32_t* stopCaption;
    };
    for (const Row& row : {Row{kDialogAsking, true, false, true, U""},
                           Row{kDialogRunning, false, true, false, U"An&halten"},
                           Row{kDialogPaused, false, true, true, U"&Fortsetzen"}}) {
        SCOPED_TRACE(row.mode);
        view.stopCaption.clear();
        dialog.SetDialogMode(row.mode);
        const int before = loop.processCalls;
        dialog.AnpassenModus();
        EXPECT_EQ(view.IsVisible(C::YesButton), row.yesNo);
        EXPECT_EQ(view.IsVisible(C::NoButton), row.yesNo);
        EXPECT_EQ(view.IsVisible(C::StopButton), row.stop);
        EXPECT_EQ(view.stopCaption, row.stopCaption);
        EXPECT_EQ(view.IsEnabled(C::SettingsButton), row.settingsHelp);
        EXPECT_EQ(view.IsEnabled(C::HelpButton), row.settingsHelp);
        EXPECT_TRUE(view.IsEnabled(C::CancelButton));
        EXPECT_EQ(loop.processCalls - before, row.mode == kDialogRunning ? 1 : 0);
    }
    // Any other mode leaves the buttons alone.
    dialog.SetDialogMode(5);
    view.visible.clear();
    dialog.AnpassenModus();
    EXPECT_TRUE(view.visible.empty());
}

TEST_F(DialogTest, WithoutAskingNothingIsShownOrAwaitedButThePartsAreComputed) {
    EXPECT_TRUE(dialog.AskChange(Found(100, kDEM, U"100"), false, U"Writer"));
    EXPECT_FALSE(dialog.Visible());
    EXPECT_FALSE(view.shown);
    EXPECT_EQ(loop.waits, 0);
    EXPECT_EQ(dialog.OutputParts(),
              (ReplacementParts{std::u32string(kEuro51) + U" (DEM ", U"100", U")"}));
    EXPECT_EQ(dialog.DialogMode(), kDialogRunning);
}

TEST_F(DialogTest, AskingShowsTheProposal) {
    Script({[&] {
        EXPECT_TRUE(view.shown);
        EXPECT_EQ(view.caption, U"Kassavero Umrechnung (Writer)");
        EXPECT_EQ(view.inputGroup, U"Input");
        EXPECT_EQ(view.outputGroup, U"Output");
        EXPECT_EQ(view.style, FieldStyle::Change);
        EXPECT_FALSE(view.IsVisible(C::FormulaBackButton));
        EXPECT_EQ(view.focus, C::YesButton);
        EXPECT_EQ(view.input.text, U"1234,5 DM");
        EXPECT_EQ(view.oldAmount, U"1.234,50");
        EXPECT_EQ(view.Selected(view.sourcePosition), U"DEM");
        EXPECT_EQ(view.Selected(view.targetPosition), U"EUR");
        EXPECT_EQ(view.newAmount, U"631,19");
        EXPECT_FALSE(view.IsVisible(C::EuroPanel));
        EXPECT_EQ(view.output.text, U"\u20AC 631,19 (1234,5 DM)");
        EXPECT_EQ(dialog.DialogMode(), kDialogAsking);
        dialog.YesClicked();
    }});
    EXPECT_TRUE(dialog.AskChange(Found(1234.5, kDEM, U"1234,5 DM", 1, true), true, U"Writer"));
    EXPECT_EQ(loop.waits, 1);
    EXPECT_EQ(dialog.DialogMode(), kDialogRunning);
    EXPECT_TRUE(dialog.Visible());
}

struct AnswerCase {
    const char32_t* name;
    std::function<void(DialogTest&, ConfirmationDialog&)> act;
    bool accepted;
    int answer;
    int stopRequest;
    bool visibleAfter;
};

class Answers : public DialogTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(Answers, EveryWayOfAnswering) {
    const AnswerCase& c = GetParam();
    Script({[&] { c.act(*this, dialog); }});
    EXPECT_EQ(dialog.AskChange(Found(100, kDEM, U"100"), true, U"W"), c.accepted);
    EXPECT_EQ(dialog.Answer(), c.answer);
    EXPECT_EQ(dialog.StopRequest(), c.stopRequest);
    EXPECT_EQ(dialog.Visible(), c.visibleAfter);
}

const auto press = [](char32_t ch) {
    return [ch](DialogTest&, ConfirmationDialog& d) {
        d.KeyPressed(KeyEvent{DialogKey::Character, ch, false, C::SourceList});
    };
};
const auto key = [](DialogKey k, C focus) {
    return [k, focus](DialogTest&, ConfirmationDialog& d) {
        d.KeyPressed(KeyEvent{k, 0, false, focus});
    };
};

INSTANTIATE_TEST_SUITE_P(
    Table, Answers,
    ::testing::Values(
        AnswerCase{U"YesButton", [](auto&, auto& d) { d.YesClicked(); }, true, 6, 0, true},
        AnswerCase{U"Key1", press(U'1'), true, 6, 0, true},
        AnswerCase{U"UpperJ", press(U'J'), true, 6, 0, true},
        AnswerCase{U"LowerJ", press(U'j'), true, 6, 0, true},
        AnswerCase{U"ReturnOnAList", key(DialogKey::Return, C::TargetList), true, 6, 0, true},
        AnswerCase{U"ReturnOnNo", key(DialogKey::Return, C::NoButton), false, 7, 0, true},
        AnswerCase{U"NoButton", [](auto&, auto& d) { d.NoClicked(); }, false, 7, 0, true},
        AnswerCase{U"Key2", press(U'2'), false, 7, 0, true},
        AnswerCase{U"UpperN", press(U'N'), false, 7, 0, true},
        AnswerCase{U"LowerN", press(U'n'), false, 7, 0, true},
        AnswerCase{U"Escape", key(DialogKey::Escape, C::YesButton), false, 2, 2, true},
        AnswerCase{U"CancelButton", [](auto&, auto& d) { d.CancelClicked(); }, false, 2, 2, true},
        AnswerCase{U"ClosingTheWindow", [](auto&, auto& d) { d.WindowClosing(); }, false, 2, 2,
                   false}),
    [](const auto& param) { return TextToUtf8(param.param.name); });

TEST_F(DialogTest, AnswerLettersFollowTheLanguageAndDigitsWorkInEveryLanguage) {
    struct Letters {
        const char32_t* yes;
        const char32_t* no;
    };
    for (const Letters& l :
         {Letters{U"J", U"N"}, Letters{U"Y", U"N"}, Letters{U"O", U"N"}, Letters{U"S", U"N"}}) {
        SCOPED_TRACE(TextToUtf8(l.yes));
        texts.YesLetter = l.yes;
        texts.NoLetter = l.no;
        const char yes = static_cast<char>(l.yes[0] + (U'a' - U'A'));
        // A letter of another language does nothing; the wait goes on.
        const char foreign = l.yes[0] == U'J' ? U'y' : U'j';
        Script({[&] { Key(foreign); }, [&] { Key(yes); }});
        EXPECT_TRUE(dialog.AskChange(Found(1, kDEM, U"1"), true, U"W"));
        Script({[&] { Key(U'1'); }});
        EXPECT_TRUE(dialog.AskChange(Found(1, kDEM, U"1"), true, U"W"));
        Script({[&] { Key(U'2'); }});
        EXPECT_FALSE(dialog.AskChange(Found(1, kDEM, U"1"), true, U"W"));
        EXPECT_EQ(dialog.Answer(), kAnswerNo);
    }
}

TEST_F(DialogTest, TargetThroughEuroShowsTheEuroValueAndHidesItOnTheWayBack) {
    Script({[&] {
                dialog.TargetSelected(kATS);
                EXPECT_TRUE(view.IsVisible(C::EuroPanel));
                EXPECT_EQ(view.euroAmount, U"51,1292\u2026");
                EXPECT_EQ(view.newAmount, U"703,55");
                EXPECT_EQ(dialog.TargetCurrency(), kATS);
                dialog.TargetSelected(kEUR);
                EXPECT_FALSE(view.IsVisible(C::EuroPanel));
                dialog.TargetSelected(kATS);
                dialog.SourceSelected(kEUR);
                EXPECT_FALSE(view.IsVisible(C::EuroPanel));
                EXPECT_EQ(view.newAmount, U"1.376,03");
            },
            [&] { dialog.NoClicked(); }});
    dialog.AskChange(Found(100, kDEM, U"100"), true, U"W");
}

TEST_F(DialogTest, AnotherSourceKeepsTheFoundCurrencysSymbolInAddMode) {
    Settings().Output[kDEM].Symbol = U"DM";
    Settings().Output[kDEM].SymbolBeforeAmount = false;
    Script({[&] {
        dialog.SourceSelected(kATS);
        EXPECT_EQ(view.newAmount, U"7,27");
        dialog.YesClicked();
    }});
    EXPECT_TRUE(dialog.AskChange(Found(100, kDEM, U"100"), true, U"W"));
    EXPECT_EQ(dialog.OutputParts().Text(), U"\u20AC 7,27 (100 DM)");
}

TEST_F(DialogTest, NothingConvertsWithoutARateAndYesIsRefused) {
    Settings().CustomCurrencySymbol[0] = U"XAU";
    dialog.RefreshCurrencyLists();
    translator.texts = {{"KeineUmrechnungMoeglich", U"keine Umrechnung"}};
    Script({[&] {
        dialog.TargetSelected(11);
        EXPECT_EQ(dialog.TargetCurrency(), kCUS1);
        EXPECT_EQ(view.newAmount, U"keine Umrechnung");
        EXPECT_FALSE(view.IsEnabled(C::YesButton));
        EXPECT_EQ(view.output.text, U"100");
        dialog.YesClicked();
        Key(U'1');
        EXPECT_TRUE(dialog.QuestionOpen());
        // A rate typed meanwhile counts as soon as the settings are applied.
        Settings().CustomCurrencyRate[0] = U"2";
        profile.NotifySettingsChanged();
        EXPECT_EQ(view.newAmount, U"102,26");
        EXPECT_TRUE(view.IsEnabled(C::YesButton));
        dialog.TargetSelected(-1);
        dialog.NoClicked();
    }});
    EXPECT_FALSE(dialog.AskChange(Found(100, kDEM, U"100"), true, U"W"));
    EXPECT_EQ(dialog.Answer(), kAnswerNo);
    // Unattended, an amount that cannot be converted is left as it is.
    Settings().OutputDefaultCurrency = kCUS2;
    EXPECT_FALSE(dialog.AskChange(Found(100, kDEM, U"100"), false, U"W"));
    EXPECT_EQ(dialog.OutputParts(), (ReplacementParts{U"", U"100", U""}));
}

TEST_F(DialogTest, ListsKeepEachCustomCurrencyTiedToItsOwnEntry) {
    Settings().CustomCurrencySymbol = {U"", U"", U"GBP"};
    Settings().CustomCurrencyRate[2] = U"0,7";
    dialog.RefreshCurrencyLists();
    ASSERT_EQ(view.entries.size(), 12u);
    EXPECT_EQ(view.entries[11], (CurrencyListEntry{kCUS3, U"GBP", U""}));
    Script({[&] {
        dialog.TargetSelected(11);
        EXPECT_EQ(dialog.TargetCurrency(), kCUS3);
        EXPECT_EQ(view.newAmount, U"35,79");
        // New codes arrive through the settings; the chosen currency stays chosen.
        Settings().CustomCurrencySymbol[0] = U"CHF";
        profile.NotifySettingsChanged();
        EXPECT_EQ(view.entries.size(), 13u);
        EXPECT_EQ(view.Selected(view.targetPosition), U"GBP");
        EXPECT_EQ(dialog.TargetCurrency(), kCUS3);
        dialog.YesClicked();
    }});
    EXPECT_TRUE(dialog.AskChange(Found(100, kDEM, U"100"), true, U"W"));
}

TEST_F(DialogTest, ShowingAndHidingKeepThePositionStopRequestAndSubscription) {
    view.left = 120;
    view.top = 80;
    dialog.Show();
    dialog.Hide();
    EXPECT_EQ(store.ReadString(U"General", U"ConfirmFormXPos"), U"120");
    EXPECT_EQ(store.ReadString(U"General", U"ConfirmFormYPos"), U"80");
    EXPECT_FALSE(profile.SettingsChangedCallback(0).IsSet());
    EXPECT_FALSE(profile.SettingsChangedCallback(1).IsSet());

    view.left = view.top = 0;
    dialog.SetStopRequest(2);
    dialog.Show();
    EXPECT_EQ(view.left, 120);
    EXPECT_EQ(view.top, 80);
    EXPECT_EQ(dialog.StopRequest(), 0);
    EXPECT_TRUE(profile.SettingsChangedCallback(0).IsSet());
    EXPECT_TRUE(profile.SettingsChangedCallback(1).IsSet());
    // Showing a visible dialog only brings it to the front.
    dialog.SetStopRequest(2);
    const int fronts = view.broughtToFront;
    dialog.Show();
    EXPECT_EQ(dialog.StopRequest(), 2);
    EXPECT_EQ(view.broughtToFront, fronts + 1);
}

TEST_F(DialogTest, OtherButtons) {
    dialog.HelpClicked();
    EXPECT_EQ(help.calls, std::vector<std::string>{"topic 1090"});
    dialog.SettingsClicked();
    EXPECT_EQ(settingsWindow.shown, 1);
    Script({[&] {
        dialog.SourceSelected(kATS);
        dialog.CalculatorClicked();
        dialog.CalculatorClicked();
        dialog.SourceSelected(-1);
        dialog.CalculatorClicked();
        EXPECT_TRUE(dialog.QuestionOpen()) << "no button but Yes, No and Cancel answers";
        dialog.NoClicked();
    }});
    dialog.AskChange(Found(-12.5, kDEM, U"-12,50 DM"), true, U"W");
    // Each click shows the calculator, or brings it to the front when it is open already.
    EXPECT_EQ(calculator.calls,
              (std::vector<std::u32string>{U"show", U"amount ATS text -12.500000", U"show",
                                           U"amount ATS text -12.500000", U"show"}));
}

TEST_F(DialogTest, PauseHoldsTheNextUnattendedChangeUntilContinued) {
    dialog.Show();
    dialog.SetDialogMode(kDialogRunning);
    dialog.StopContinueClicked();
    EXPECT_EQ(dialog.DialogMode(), kDialogPaused);
    EXPECT_EQ(view.stopCaption, U"&Fortsetzen");
    Script({[&] {
        EXPECT_EQ(dialog.DialogMode(), kDialogPaused);
        dialog.StopContinueClicked();
    }});
    EXPECT_TRUE(dialog.AskChange(Found(100, kDEM, U"100"), false, U"W"));
    EXPECT_EQ(loop.waits, 1);
    EXPECT_EQ(view.stopCaption, U"An&halten");

    // Cancel while paused: the change is declined and the conversion stops.
    dialog.StopContinueClicked();
    Script({[&] { dialog.CancelClicked(); }});
    EXPECT_FALSE(dialog.AskChange(Found(100, kDEM, U"100"), false, U"W"));
    EXPECT_EQ(dialog.DialogMode(), kDialogRunning);
    EXPECT_EQ(dialog.StopRequest(), 2);
    EXPECT_EQ(dialog.OutputParts(), (ReplacementParts{U"", U"100", U""}));

    // Hiding the window ends a pause as closing it does.
    dialog.SetStopRequest(0);
    dialog.StopContinueClicked();
    Script({[&] { dialog.Hide(); }});
    EXPECT_FALSE(dialog.AskChange(Found(100, kDEM, U"100"), false, U"W"));
    EXPECT_FALSE(dialog.Visible());
}

TEST_F(DialogTest, WithoutASettingsWindowItsButtonIsDisabled) {
    settingsWindow.available = false;
    dialog.SetDialogMode(kDialogPaused);
    dialog.AnpassenModus();
    EXPECT_FALSE(view.IsEnabled(C::SettingsButton));
    EXPECT_TRUE(view.IsEnabled(C::HelpButton));
}

// A pause belongs to what it holds: hidden with nothing waiting (a session closed while
// paused), it ends and the next change, perhaps another client's, is not cancelled.
TEST_F(DialogTest, HidingAPauseThatHoldsNothingCancelsNothing) {
    dialog.Show();
    dialog.SetDialogMode(kDialogRunning);
    dialog.StopContinueClicked();
    ASSERT_EQ(dialog.DialogMode(), kDialogPaused);
    dialog.Hide();
    EXPECT_EQ(dialog.StopRequest(), 0);
    EXPECT_EQ(dialog.DialogMode(), kDialogRunning);
    EXPECT_TRUE(dialog.AskChange(Found(100, kDEM, U"100"), false, U"Other"));
    EXPECT_EQ(loop.waits, 0);
}

// A second question arriving through the nested wait waits for the first one's answer;
// each caller gets its own answer and its own parts.
TEST_F(DialogTest, SecondQuestionWaitsForTheFirstAndNoAnswerGetsLost) {
    bool secondAccepted = true;
    ReplacementParts secondParts, unattendedParts;
    Script({[&] {
                // An unattended change meanwhile is computed aside.
                EXPECT_TRUE(dialog.AskChange(Found(10, kATS, U"10"), false, U"Clip"));
                unattendedParts = dialog.OutputParts();
                EXPECT_EQ(view.input.text, U"100");
                secondAccepted = dialog.AskChange(Found(200, kDEM, U"200"), true, U"Second");
                secondParts = dialog.OutputParts();
            },
            [&] {
                // Still the first question on screen, answered here.
                EXPECT_EQ(view.caption, U"Kassavero Umrechnung (First)");
                dialog.YesClicked();
            },
            [&] {
                EXPECT_EQ(view.caption, U"Kassavero Umrechnung (Second)");
                EXPECT_EQ(view.input.text, U"200");
                dialog.NoClicked();
            }});
    EXPECT_TRUE(dialog.AskChange(Found(100, kDEM, U"100"), true, U"First"));
    EXPECT_EQ(dialog.OutputParts().Prefix, std::u32string(kEuro51) + U" (DEM ");
    EXPECT_EQ(dialog.OutputParts().Middle, U"100");
    EXPECT_FALSE(secondAccepted);
    EXPECT_EQ(secondParts.Middle, U"200");
    EXPECT_EQ(unattendedParts.Prefix, U"\u20AC 0,73 (ATS ");
    EXPECT_FALSE(dialog.QuestionOpen());
}

// One session's cancel is its own: another session's queued question is still asked,
// and a withdrawn one ends unanswered while the next comes up.
TEST_F(DialogTest, ACancelOrAWithdrawalEndsOnlyItsOwnQuestion) {
    const bool never = false;
    bool withdrawn = false;
    auto second = ChangeAnswer::No;
    auto third = ChangeAnswer::No;
    Script({[&] { second = dialog.Ask(Found(200, kDEM, U"200"), true, U"Second", never); },
            [&] { dialog.CancelClicked(); },
            [&] { third = dialog.Ask(Found(300, kDEM, U"300"), true, U"Third", withdrawn); },
            [&] { withdrawn = true; }, [&] { dialog.YesClicked(); }});
    EXPECT_EQ(dialog.Ask(Found(100, kDEM, U"100"), true, U"First", never), ChangeAnswer::Cancelled);
    EXPECT_EQ(second, ChangeAnswer::Yes);
    EXPECT_EQ(third, ChangeAnswer::Cancelled);
    EXPECT_EQ(dialog.StopCount(), 0u) << "a cancel that answers a question stops nothing else";
    EXPECT_FALSE(dialog.Busy());
    EXPECT_TRUE(loop.events.empty());
}

TEST_F(DialogTest, HidingDuringTheWaitEndsItAsCancel) {
    Script({[&] { dialog.Hide(); }});
    EXPECT_FALSE(dialog.AskChange(Found(100, kDEM, U"100"), true, U"W"));
    EXPECT_EQ(dialog.Answer(), kAnswerCancel);
    EXPECT_EQ(dialog.StopRequest(), 2);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_FALSE(dialog.QuestionOpen());
}

TEST_F(DialogTest, ModesSetFromOutsideDoNotDisturbAnOpenQuestion) {
    Script({[&] {
        // A session opened meanwhile prepares the dialog the usual way.
        dialog.SetDialogMode(kDialogRunning);
        dialog.SetStopRequest(0);
        dialog.AnpassenModus();
        dialog.StopContinueClicked();
        EXPECT_EQ(dialog.DialogMode(), kDialogAsking);
        EXPECT_TRUE(view.IsVisible(C::YesButton));
        dialog.YesClicked();
    }});
    EXPECT_TRUE(dialog.AskChange(Found(100, kDEM, U"100"), true, U"W"));
}

}  // namespace
}  // namespace kassavero
