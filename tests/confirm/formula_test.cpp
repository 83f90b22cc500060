// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "confirm/dialog_fixture.h"
#include "confirm/formula_amounts.h"

namespace kassavero {
namespace {

using testing::DialogTest;
using C = ConfirmControl;

struct FindCase {
    const char* formula;
    char separator;
    std::vector<std::string> amounts;
};

class FindAmounts : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindAmounts, ListsTheNonZeroConstants) {
    const FindCase& c = GetParam();
    const std::string formula = c.formula;
    std::vector<std::string> found;
    for (const FormulaAmount& a : FindFormulaAmounts(formula, c.separator))
        found.push_back(formula.substr(a.Position, a.Length));
    EXPECT_EQ(found, c.amounts) << formula;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FindAmounts,
    ::testing::Values(FindCase{"=A1*1,95583+\"12\"+0", ',', {"1,95583"}},
                      FindCase{"=SUM(B2:B9)*2,5-10", ',', {"2,5", "10"}},
                      FindCase{"=SUMME(B2:B9)/2", ',', {"2"}},
                      FindCase{"=\"Preis 100\"&C3", ',', {}}, FindCase{"=10-0", ',', {"10"}},
                      FindCase{"=1.5", ',', {"1", "5"}}, FindCase{"=1.5", '.', {"1.5"}},
                      FindCase{"=1E5+$B$12*Tabelle2!A7", ',', {"1E5"}},
                      FindCase{"=-,5*3", ',', {",5", "3"}}, FindCase{"=0+0,00", ',', {}},
                      FindCase{"=\xC4nderung1+7", ',', {"7"}},
                      FindCase{"=7\xD7"
                               "8",
                               ',',
                               {"7", "8"}},
                      FindCase{"=\"offen,5", ',', {}}, FindCase{"=1,5;2", ';', {"1", "5", "2"}}));

TEST(AssembleFormula, ReplacesAcceptedAmountsAndMarksEveryRun) {
    const std::string formula = "=3+4*A1";
    std::vector<FormulaAmount> amounts = FindFormulaAmounts(formula, ',');
    ASSERT_EQ(amounts.size(), 2u);
    EXPECT_EQ(FormulaSegments(formula, amounts), (std::vector<std::string_view>{"=", "+", "*A1"}));
    amounts[0].NewText = "1,53";
    const AssembledFormula result = AssembleFormula(formula, amounts);
    EXPECT_EQ(result.Text, "=1,53+4*A1");
    EXPECT_EQ(result.Runs,
              (std::vector<DisplayRun>{{1, 4, DisplayRun::Replaced}, {6, 1, DisplayRun::Kept}}));
    EXPECT_EQ(FormulaSegments("=A1", {}), (std::vector<std::string_view>{"=A1"}));
}

class FormulaTest : public DialogTest {
  protected:
    std::string Ask(const std::string& formula, CurrencyIndex source = kDEM,
                    CurrencyIndex target = kEUR,
                    FormulaConstants constants = FormulaConstants::InFormula) {
        bool cancelled = false;
        std::string result;
        dialog.AskFormula(formula, source, target, constants, cancelled, result);
        EXPECT_EQ(cancelled, result == "CANCEL");
        return result;
    }
};

TEST_F(FormulaTest, EachConstantIsAskedAndTheAnswersApply) {
    Script({[&] {
                EXPECT_TRUE(view.IsEnabled(C::YesButton) && view.IsEnabled(C::NoButton));
                dialog.YesClicked();
            },
            [&] { dialog.NoClicked(); }, [&] { dialog.YesClicked(); }});
    EXPECT_EQ(Ask("=100*A1+200-(300)"), "=51,13*A1+200-(153,39)");
    EXPECT_EQ(loop.waits, 1);
    // Yes and No stay in view, but with nothing asked they cannot be pressed.
    EXPECT_TRUE(view.IsVisible(C::YesButton));
    EXPECT_FALSE(view.IsEnabled(C::YesButton));
    EXPECT_FALSE(view.IsEnabled(C::NoButton));
    EXPECT_FALSE(dialog.FormulaMode());
    EXPECT_TRUE(dialog.FormulaAmounts().empty());
    EXPECT_TRUE(dialog.Visible());

    Script({[&] { dialog.YesClicked(); }, [&] { dialog.CancelClicked(); }});
    EXPECT_EQ(Ask("=100*A1+200-(300)"), "CANCEL");
}

TEST_F(FormulaTest, PrecisionOneFromMarksToEuro) {
    Settings().ExcelPrecision_ConstantInFormula = 1;
    Script({[&] { dialog.YesClicked(); }});
    EXPECT_EQ(Ask("=100+A1"), "=51,13+A1");
    Script({[&] { dialog.NoClicked(); }});
    EXPECT_EQ(Ask("=100+A1"), "=100+A1");
    Script({[&] { Key(DialogKey::Escape, C::YesButton); }});
    EXPECT_EQ(Ask("=100+A1"), "CANCEL");
    // High precision writes four more decimals.
    Settings().ExcelPrecision_ConstantInFormula = 0;
    Script({[&] { dialog.YesClicked(); }});
    EXPECT_EQ(Ask("=100+A1"), "=51,129188+A1");
    // A cell holding a constant is rounded with the cell precision instead.
    Settings().ExcelPrecision_ConstantCell = 1;
    Script({[&] { dialog.YesClicked(); }});
    EXPECT_EQ(Ask("=100", kDEM, kEUR, FormulaConstants::ConstantCell), "=51,13");
    // Converted without a question: what a yes to each constant gives, nothing shown.
    view.shown = false;
    const int waits = loop.waits;
    EXPECT_EQ(dialog.ConvertFormula("=100+A1*2", kDEM, kEUR, FormulaConstants::ConstantCell),
              "=51,13+A1*1,02");
    EXPECT_FALSE(view.shown);
    EXPECT_EQ(loop.waits, waits);
}

TEST_F(FormulaTest, AFormulaWithoutConstantsComesBackUntouched) {
    EXPECT_EQ(Ask("=A1+0*\"5\""), "=A1+0*\"5\"");
    EXPECT_FALSE(view.shown);
    EXPECT_EQ(loop.waits, 0);
}

TEST_F(FormulaTest, TheDialogShowsTheFormulaAndItsRuns) {
    Script({[&] {
                EXPECT_EQ(view.caption, "Kassavero Umrechnung  Tabellenformel");
                EXPECT_EQ(view.inputGroup, "");
                EXPECT_EQ(view.outputGroup, "");
                EXPECT_EQ(view.style, FieldStyle::Formula);
                EXPECT_TRUE(view.IsVisible(C::FormulaBackButton));
                EXPECT_EQ(view.input.text, "=3+4");
                EXPECT_EQ(view.input.runs, (std::vector<TextRun>{{1, 1, false}, {3, 1, false}}));
                EXPECT_EQ(view.oldAmount, "3");
                EXPECT_EQ(view.newAmount, "1,53");
                dialog.YesClicked();
            },
            [&] {
                EXPECT_EQ(view.oldAmount, "4");
                EXPECT_EQ(view.input.selection, (std::pair<std::size_t, std::size_t>{3, 1}));
                EXPECT_EQ(view.output.text, "=1,53+4");
                EXPECT_EQ(view.output.runs, (std::vector<TextRun>{{1, 4, true}, {6, 1, false}}));
                EXPECT_EQ(view.output.selection, (std::pair<std::size_t, std::size_t>{6, 1}));
                dialog.NoClicked();
            }});
    EXPECT_EQ(Ask("=3+4"), "=1,53+4");
}

TEST_F(FormulaTest, NavigationMovesWithoutAnswering) {
    const std::string formula = "=10+20+30+40";
    Script({[&] {
                Key(DialogKey::End);
                EXPECT_EQ(dialog.CurrentAmount(), 3u);
                EXPECT_EQ(view.oldAmount, "40");
                EXPECT_EQ(view.newAmount, "20,45");
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
                    dialog.KeyPressed(KeyEvent{DialogKey::Character, 'x', false, C::InputField}));
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
    EXPECT_EQ(Ask(formula), "=10+20+15,34+40");
    // Without a formula the handlers do nothing.
    Key(DialogKey::Home);
    dialog.InputFieldEntered(0);
    EXPECT_EQ(dialog.CurrentAmount(), 0u);
}

TEST_F(FormulaTest, WithoutACurrencyNothingIsOfferedUntilTheUserPicksOne) {
    Script({[&] {
                EXPECT_EQ(dialog.SourceCurrency(), kNoCurrency);
                EXPECT_EQ(view.newAmount, "[KeineUmrechnungMoeglich]");
                EXPECT_FALSE(view.IsEnabled(C::YesButton));
                dialog.YesClicked();
                EXPECT_EQ(dialog.CurrentAmount(), 0u);
                dialog.NoClicked();
            },
            [&] {
                dialog.SourceSelected(kDEM);
                EXPECT_EQ(view.newAmount, "102,26");
                dialog.CalculatorClicked();
                dialog.YesClicked();
            }});
    EXPECT_EQ(Ask("=100+200", kNoCurrency, kEUR), "=100+102,26");
    EXPECT_EQ(calculator.calls, (std::vector<std::string>{"show", "amount DEM text 200.000000"}));
}

TEST_F(FormulaTest, AQuestionArrivingDuringAFormulaWaitsForTheWholeFormula) {
    bool changeAccepted = false;
    Script({[&] { changeAccepted = dialog.AskChange(testing::Found(100, kDEM, "100"), true, "W"); },
            [&] { dialog.YesClicked(); }, [&] { dialog.YesClicked(); },
            [&] {
                EXPECT_FALSE(dialog.FormulaMode());
                EXPECT_EQ(view.input.text, "100");
                dialog.YesClicked();
            }});
    EXPECT_EQ(Ask("=1+2"), "=0,51+1,02");
    EXPECT_TRUE(changeAccepted);
}

}  // namespace
}  // namespace kassavero
