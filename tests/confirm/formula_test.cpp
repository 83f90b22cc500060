// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <string>
#include <vector>

#include "confirm/dialog_fixture.h"
#include "confirm/formula_amounts.h"

namespace kassavero {
namespace {

using testing::DialogTest;
using C = ConfirmControl;

struct FindCase {
    const char32_t* formula;
    char separator;
    std::vector<std::u32string> amounts;
};

class FindAmounts : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindAmounts, ListsTheNonZeroConstants) {
    const FindCase& c = GetParam();
    const std::u32string formula = c.formula;
    std::vector<std::u32string> found;
    for (const FormulaAmount& a : FindFormulaAmounts(formula, c.separator))
        found.push_back(formula.substr(a.Position, a.Length));
    EXPECT_EQ(found, c.amounts) << TextToUtf8(formula);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FindAmounts,
    ::testing::Values(FindCase{U"=A1*1,95583+\"12\"+0", U',', {U"1,95583"}},
                      FindCase{U"=SUM(B2:B9)*2,5-10", U',', {U"2,5", U"10"}},
                      FindCase{U"=SUMME(B2:B9)/2", U',', {U"2"}},
                      FindCase{U"=\"Preis 100\"&C3", U',', {}}, FindCase{U"=10-0", U',', {U"10"}},
                      FindCase{U"=1.5", U',', {U"1", U"5"}}, FindCase{U"=1.5", U'.', {U"1.5"}},
                      FindCase{U"=1E5+$B$12*Tabelle2!A7", U',', {U"1E5"}},
                      FindCase{U"=-,5*3", U',', {U",5", U"3"}}, FindCase{U"=0+0,00", U',', {}},
                      FindCase{U"=\xC4nderung1+7", U',', {U"7"}},
                      FindCase{U"=7\xD7"
                               U"8",
                               U',',
                               {U"7", U"8"}},
                      FindCase{U"=\"offen,5", U',', {}},
                      FindCase{U"=1,5;2", U';', {U"1", U"5", U"2"}}));

TEST(AssembleFormula, ReplacesAcceptedAmountsAndMarksEveryRun) {
    const std::u32string formula = U"=3+4*A1";
    std::vector<FormulaAmount> amounts = FindFormulaAmounts(formula, U',');
    ASSERT_EQ(amounts.size(), 2u);
    EXPECT_EQ(FormulaSegments(formula, amounts),
              (std::vector<std::u32string_view>{U"=", U"+", U"*A1"}));
    amounts[0].NewText = U"1,53";
    const AssembledFormula result = AssembleFormula(formula, amounts);
    EXPECT_EQ(result.Text, U"=1,53+4*A1");
    EXPECT_EQ(result.Runs,
              (std::vector<DisplayRun>{{1, 4, DisplayRun::Replaced}, {6, 1, DisplayRun::Kept}}));
    EXPECT_EQ(FormulaSegments(U"=A1", {}), (std::vector<std::u32string_view>{U"=A1"}));
}

class FormulaTest : public DialogTest {
  protected:
    std::u32string Ask(const std::u32string& formula, CurrencyIndex source = kDEM,
                       CurrencyIndex target = kEUR,
                       FormulaConstants constants = FormulaConstants::InFormula) {
        bool cancelled = false;
        std::u32string result;
        dialog.AskFormula(formula, source, target, constants, cancelled, result);
        EXPECT_EQ(cancelled, result == U"CANCEL");
        return result;
    }
};

TEST_F(FormulaTest, EachConstantIsAskedAndTheAnswersApply) {
    Script({[&] {
                EXPECT_TRUE(view.IsEnabled(C::YesButton) && view.IsEnabled(C::NoButton));
                dialog.YesClicked();
            },
            [&] { dialog.NoClicked(); }, [&] { dialog.YesClicked(); }});
    EXPECT_EQ(Ask(U"=100*A1+200-(300)"), U"=51,13*A1+200-(153,39)");
    EXPECT_EQ(loop.waits, 1);
    // Yes and No stay in view, but with nothing asked they cannot be pressed.
    EXPECT_TRUE(view.IsVisible(C::YesButton));
    EXPECT_FALSE(view.IsEnabled(C::YesButton));
    EXPECT_FALSE(view.IsEnabled(C::NoButton));
    EXPECT_FALSE(dialog.FormulaMode());
    EXPECT_TRUE(dialog.FormulaAmounts().empty());
    EXPECT_TRUE(dialog.Visible());

    Script({[&] { dialog.YesClicked(); }, [&] { dialog.CancelClicked(); }});
    EXPECT_EQ(Ask(U"=100*A1+200-(300)"), U"CANCEL");
}

TEST_F(FormulaTest, PrecisionOneFromMarksToEuro) {
    Settings().ExcelPrecision_ConstantInFormula = 1;
    Script({[&] { dialog.YesClicked(); }});
    EXPECT_EQ(Ask(U"=100+A1"), U"=51,13+A1");
    Script({[&] { dialog.NoClicked(); }});
    EXPECT_EQ(Ask(U"=100+A1"), U"=100+A1");
    Script({[&] { Key(DialogKey::Escape, C::YesButton); }});
    EXPECT_EQ(Ask(U"=100+A1"), U"CANCEL");
    // High precision writes four more decimals.
    Settings().ExcelPrecision_ConstantInFormula = 0;
    Script({[&] { dialog.YesClicked(); }});
    EXPECT_EQ(Ask(U"=100+A1"), U"=51,129188+A1");
    // A cell holding a constant is rounded with the cell precision instead.
    Settings().ExcelPrecision_ConstantCell = 1;
    Script({[&] { dialog.YesClicked(); }});
    EXPECT_EQ(Ask(U"=100", kDEM, kEUR, FormulaConstants::ConstantCell), U"=51,13");
    // Converted without a question: what a yes to each constant gives, nothing shown.
    view.shown = false;
    const int waits = loop.waits;
    EXPECT_EQ(dialog.ConvertFormula(U"=100+A1*2", kDEM, kEUR, FormulaConstants::ConstantCell),
              U"=51,13+A1*1,02");
    EXPECT_FALSE(view.shown);
    EXPECT_EQ(loop.waits, waits);
}

TEST_F(FormulaTest, AFormulaWithoutConstantsComesBackUntouched) {
    EXPECT_EQ(Ask(U"=A1+0*\"5\""), U"=A1+0*\"5\"");
    EXPECT_FALSE(view.shown);
    EXPECT_EQ(loop.waits, 0);
}

TEST_F(FormulaTest, TheDialogShowsTheFormulaAndItsRuns) {
    Script({[&] {
                EXPECT_EQ(view.caption, U"Kassavero Umrechnung  Tabellenformel");
                EXPECT_EQ(view.inputGroup, U"");
                EXPECT_EQ(view.outputGroup, U"");
                EXPECT_EQ(view.style, FieldStyle::Formula);
                EXPECT_TRUE(view.IsVisible(C::FormulaBackButton));
                EXPECT_EQ(view.input.text, U"=3+4");
                EXPECT_EQ(view.input.runs, (std::vector<TextRun>{{1, 1, false}, {3, 1, false}}));
                EXPECT_EQ(view.oldAmount, U"3");
                EXPECT_EQ(view.newAmount, U"1,53");
                dialog.YesClicked();
            },
            [&] {
                EXPECT_EQ(view.oldAmount, U"4");
                EXPECT_EQ(view.input.selection, (std::pair<std::size_t, std::size_t>{3, 1}));
                EXPECT_EQ(view.output.text, U"=1,53+4");
                EXPECT_EQ(view.output.runs, (std::vector<TextRun>{{1, 4, true}, {6, 1, false}}));
                EXPECT_EQ(view.output.selection, (std::pair<std::size_t, std::size_t>{6, 1}));
                dialog.NoClicked();
            }});
    EXPECT_EQ(Ask(U"=3+4"), U"=1,53+4");
}

TEST_F(FormulaTest, NavigationMovesWithoutAnswering) {
    const std::u32string formula = U"=10+20+30+40";
    Script({[&] {
                Key(DialogKey::End);
                EXPECT_EQ(dialog.CurrentAmount(), 3u);
                EXPECT_EQ(view.oldAmount, U"40");
                EXPECT_EQ(view.newAmount, U"20,45");
                Key(DialogKey::Right);
                EXPECT_EQ(dialog.CurrentAmount(), 3u);
                Key(DialogKey::Left);
                EXPECT_EQ(dialog.CurrentAmount(), 2u);
                Key(DialogKey::Home);
                EXPECT_EQ(dialog.CurrentAmount(), 0u);
                Key(DialogKey::Left);
                EXPECT_EQ(dialog.CurrentAmount(), 0u);
                dialog.FormulaBackClicked();
                EXPECT_EQ(dialog.CurrentAmount(), 0u);
                // With a modifier the key is the field's own.
                EXPECT_FALSE(dialog.KeyPressed(KeyEvent{DialogKey::End, 0, true, C::InputField}));
                EXPECT_EQ(dialog.CurrentAmount(), 0u);
                // Other keys are swallowed, typed characters dropped.
                EXPECT_TRUE(dialog.KeyPressed(KeyEvent{DialogKey::Other, 0, false, C::InputField}));
                EXPECT_TRUE(
                    dialog.KeyPressed(KeyEvent{DialogKey::Character, U'x', false, C::InputField}));
                dialog.InputFieldEntered(5);  // in "20"
                EXPECT_EQ(dialog.CurrentAmount(), 1u);
                dialog.InputFieldEntered(99);
                EXPECT_EQ(dialog.CurrentAmount(), 3u);
                dialog.FormulaBackClicked();
                EXPECT_EQ(dialog.CurrentAmount(), 2u);
                EXPECT_EQ(dialog.Answer(), kAnswerNone);
                dialog.YesClicked();  // the third amount; the loop goes on with the fourth
            },
            [&] {
                EXPECT_EQ(dialog.CurrentAmount(), 3u);
                dialog.NoClicked();
            }});
    EXPECT_EQ(Ask(formula), U"=10+20+15,34+40");
    // Without a formula the handlers do nothing.
    Key(DialogKey::Home);
    dialog.InputFieldEntered(0);
    EXPECT_EQ(dialog.CurrentAmount(), 0u);
}

TEST_F(FormulaTest, WithoutACurrencyNothingIsOfferedUntilTheUserPicksOne) {
    Script({[&] {
                EXPECT_EQ(dialog.SourceCurrency(), kNoCurrency);
                EXPECT_EQ(view.newAmount, U"[KeineUmrechnungMoeglich]");
                EXPECT_FALSE(view.IsEnabled(C::YesButton));
                dialog.YesClicked();
                EXPECT_EQ(dialog.CurrentAmount(), 0u);
                dialog.NoClicked();
            },
            [&] {
                dialog.SourceSelected(kDEM);
                EXPECT_EQ(view.newAmount, U"102,26");
                dialog.CalculatorClicked();
                dialog.YesClicked();
            }});
    EXPECT_EQ(Ask(U"=100+200", kNoCurrency, kEUR), U"=100+102,26");
    EXPECT_EQ(calculator.calls,
              (std::vector<std::u32string>{U"show", U"amount DEM text 200.000000"}));
}

TEST_F(FormulaTest, AQuestionArrivingDuringAFormulaWaitsForTheWholeFormula) {
    bool changeAccepted = false;
    Script(
        {[&] { changeAccepted = dialog.AskChange(testing::Found(100, kDEM, U"100"), true, U"W"); },
         [&] { dialog.YesClicked(); }, [&] { dialog.YesClicked(); },
         [&] {
             EXPECT_FALSE(dialog.FormulaMode());
             EXPECT_EQ(view.input.text, U"100");
             dialog.YesClicked();
         }});
    EXPECT_EQ(Ask(U"=1+2"), U"=0,51+1,02");
    EXPECT_TRUE(changeAccepted);
}

}  // namespace
}  // namespace kassavero
