// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_dialog_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "core/later_currencies.h"
#include "fakes/fake_help.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_name_input.h"
#include "fakes/fake_settings_dialog_view.h"
#include "fakes/fake_system_info.h"
#include "fakes/fake_translator.h"
#include "fakes/temp_dir.h"
#include "platform/registry_file.h"

namespace kassavero {
namespace {

using ::testing::ElementsAre;
using testing::FakeHelp;
using testing::FakeMessageBoxes;
using testing::FakeNameInput;
using testing::FakeSettingsDialogView;
using testing::FakeSystemInfo;
using testing::FakeTranslator;
using testing::TempDir;

// A German system, the settings loaded from a store that already holds profile "A".
class SettingsDialogModelTest : public ::testing::Test {
  protected:
    SettingsDialogModelTest() {
        store_ = std::make_unique<RegistryFile>(temp_.Path() / "Kassavero");
        store_->WriteString("Profile A", "OutputReplace", "0");
        store_->WriteString("General", "EntriesValid", "1");
        manager_ = std::make_unique<ProfileManager>(profile_, *store_, system_, translator_, boxes_,
                                                    nameInput_);
        manager_->LoadAtStartUp("Deutsch");
        model_ = std::make_unique<SettingsDialogModel>(view_, profile_, *manager_, *store_, system_,
                                                       translator_, boxes_, help_, nullptr);
        model_->Create();
        for (int slot = 0; slot < 2; ++slot) {
            profile_.SettingsChangedCallback(slot).Set([this, slot](ActiveProfile&) {
                calls_.push_back(slot == 0 ? "changed0" : "changed1");
            });
        }
        profile_.CalculatorLayoutCallback().Set(
            [this](ActiveProfile&) { calls_.push_back("layout"); });
        profile_.HotkeysCallback().Set([this](ActiveProfile&) { calls_.push_back("hotkeys"); });
        profile_.ProfileListCallback().Set([this](ActiveProfile&) { calls_.push_back("list"); });
        profile_.ActiveProfileCallback().Set(
            [this](ActiveProfile&) { calls_.push_back("active"); });
    }

    ProfileSettings& S() { return profile_.MutableSettings(); }
    bool Enabled(std::string_view control) const {
        for (const auto& [name, enabled] : model_->EnabledStates()) {
            if (name == control)
                return enabled;
        }
        ADD_FAILURE() << "no rule for " << control;
        return false;
    }
    std::string Stored(std::string_view key) {
        return store_->ReadString("Profile A", key).value_or("<missing>");
    }

    TempDir temp_;
    FakeSystemInfo system_;
    FakeTranslator translator_;
    FakeMessageBoxes boxes_;
    FakeNameInput nameInput_;
    FakeHelp help_;
    FakeSettingsDialogView view_;
    ActiveProfile profile_;
    std::unique_ptr<RegistryFile> store_;
    std::unique_ptr<ProfileManager> manager_;
    std::unique_ptr<SettingsDialogModel> model_;
    std::vector<std::string> calls_;
};

TEST_F(SettingsDialogModelTest, ApplyStoresOnceAndNotifiesInOrder) {
    model_->Show(SettingsPage::Current);
    S().OutputReplace = true;
    const int writes = store_->WriteCount();

    EXPECT_TRUE(model_->Apply());

    EXPECT_EQ(store_->WriteCount() - writes, 1);
    EXPECT_EQ(Stored("OutputReplace"), "1");
    EXPECT_THAT(calls_, ElementsAre("changed0", "layout", "changed1", "hotkeys"));
    EXPECT_TRUE(view_.visible) << "Apply keeps the window open";

    calls_.clear();
    model_->Ok();
    EXPECT_THAT(calls_, ElementsAre("changed0", "layout", "changed1", "hotkeys"));
    EXPECT_FALSE(view_.visible);
}

TEST_F(SettingsDialogModelTest, CustomCurrencyWithoutRateIsRefused) {
    struct Case {
        std::array<std::string, 3> codes;
        std::array<std::string, 3> rates;
        int failingRow;  // -1: passes
    };
    const Case cases[] = {
        {{"CHF", "", ""}, {"", "", ""}, 0},
        {{"CHF", "", ""}, {"abc", "", ""}, 0},
        {{"CHF", "", ""}, {"0,0", "", ""}, 0},
        {{"CHF", "", ""}, {"1,6", "", ""}, -1},
        {{"CHF", "", ""}, {"-2", "", ""}, -1},  // a negative rate passes
        {{"CHF", "USD", ""}, {"1,6", "x", ""}, 1},
        {{"", "", "GBP"}, {"", "", ""}, 0},  // moved to the first row first
        {{"", "", ""}, {"", "", ""}, -1},
    };
    for (const Case& c : cases) {
        S().CustomCurrencySymbol = c.codes;
        S().CustomCurrencyRate = c.rates;
        view_.page = SettingsTab::Profile;
        view_.focusedRate = -1;
        boxes_.shown.clear();
        calls_.clear();
        const int writes = store_->WriteCount();

        const bool applied = model_->Apply();

        EXPECT_EQ(applied, c.failingRow < 0) << c.codes[0] << c.codes[1] << c.codes[2];
        if (c.failingRow >= 0) {
            EXPECT_EQ(view_.focusedRate, c.failingRow);
            EXPECT_EQ(view_.page, SettingsTab::Allgemein);
            ASSERT_EQ(boxes_.shown.size(), 1u);
            EXPECT_EQ(boxes_.shown[0].text, "[KursAngeben]");
            EXPECT_EQ(boxes_.shown[0].flags, mb::kOk | mb::kIconError);
            EXPECT_EQ(store_->WriteCount(), writes) << "nothing stored";
            EXPECT_TRUE(calls_.empty()) << "nobody notified";
            EXPECT_FALSE(model_->CloseQuery()) << "the close box refuses as well";
        }
    }
}

TEST_F(SettingsDialogModelTest, ValidateAndSaveCorrectsOutOfRangeValues) {
    struct Case {
        int decimals;
        double multiple;
        int digits;
        int storedDecimals;
        std::string storedMultiple;
        int storedDigits;
    };
    const Case cases[] = {
        {2, 0.001, 6, 2, "0,01", 6}, {3, 0.001, 6, 3, "0,001", 6}, {16, 0.5, 6, 2, "0,5", 6},
        {-7, 0.5, 6, 2, "0,5", 6},   {-2, 50, 0, -2, "100", 6},    {0, 5, 17, 0, "5", 6},
        {2, -1, 16, 2, "0,01", 16},
    };
    for (const Case& c : cases) {
        model_->ChooseOutputCurrency(kEUR);
        S().Output[kDEM].Decimals = c.decimals;
        S().Output[kDEM].Multiple = c.multiple;
        S().Output[kDEM].SignificantDigits = c.digits;
        ASSERT_TRUE(model_->Apply());
        EXPECT_EQ(Stored("OutputDEMDecimals"), std::to_string(c.storedDecimals)) << c.decimals;
        EXPECT_EQ(Stored("OutputDEMRoundToMultipleOf"), c.storedMultiple) << c.multiple;
        EXPECT_EQ(Stored("OutputDEMRoundToSignificantDigits"), std::to_string(c.storedDigits));
    }

    S().InputDecimalSymbols = "   ";
    S().InputCheckForDecimals = 16;
    ASSERT_TRUE(model_->Apply());
    EXPECT_EQ(Stored("InputDecimalSymbols"), ",");
    EXPECT_EQ(Stored("InputCheckForDecimals"), "2");
}

TEST_F(SettingsDialogModelTest, TheViewIsCommittedWhenAnotherCurrencyIsChosen) {
    model_->ChooseOutputCurrency(kDEM);
    model_->View().Decimals = 4;
    model_->View().Symbol = "DM";
    model_->ChooseOutputCurrency(kFRF);
    EXPECT_EQ(S().Output[kDEM].Decimals, 4);
    EXPECT_EQ(S().Output[kDEM].Symbol, "DM");
    EXPECT_EQ(model_->ShownOutputCurrency(), kFRF);

    model_->ChooseOutputCurrency(kDEM);
    EXPECT_EQ(model_->View().Decimals, 4) << "the edit survives choosing back";
}

TEST_F(SettingsDialogModelTest, CommittingTheViewReadsItsControls) {
    struct Case {
        int strategy;
        int direction;
        std::string multiple;
        std::string decimalSymbol;
        int storedStrategy;
        int storedDirection;
        double storedMultiple;
        char storedSymbol;
    };
    const Case cases[] = {
        {0, 0, "0,05", ",", 0, 0, 0.05, ','}, {1, 1, "1", " ; ", 1, 1, 1.0, ';'},
        {2, 2, "abc", "", 2, 2, 0.001, '\0'}, {3, 7, "2,5", "  .x", 3, 0, 2.5, '.'},
        {9, 0, "1E2", ",", 1, 0, 100.0, ','},
    };
    model_->ChooseOutputCurrency(kDEM);
    for (const Case& c : cases) {
        OutputView& view = model_->View();
        view.Decimals = 3;
        view.Strategy = c.strategy;
        view.Direction = c.direction;
        view.MultipleText = c.multiple;
        view.DecimalSymbolText = c.decimalSymbol;
        model_->CommitView();
        const TWaehrungsAusgabeFormat& record = S().Output[kDEM];
        EXPECT_EQ(record.RoundingStrategy, c.storedStrategy) << c.strategy;
        EXPECT_EQ(record.RoundingDirection, c.storedDirection) << c.direction;
        EXPECT_DOUBLE_EQ(record.Multiple, c.storedMultiple) << c.multiple;
        EXPECT_EQ(record.DecimalSymbol, c.storedSymbol) << c.decimalSymbol;
    }
}

TEST_F(SettingsDialogModelTest, LoadingTheViewShowsTheCurrencysFacts) {
    S().Output[kDEM].RoundingDirection = 5;
    model_->ChooseOutputCurrency(kDEM);
    EXPECT_EQ(model_->View().Direction, 0) << "an unknown direction shows as commercial";
    EXPECT_EQ(model_->View().RateText, "1,95583");
    EXPECT_EQ(model_->View().SmallestCoinText, "0,01");
    EXPECT_TRUE(Enabled("kleinsteMuenzeRadioButton"));

    S().CustomCurrencySymbol[0] = "CHF";
    S().CustomCurrencyRate[0] = "1,5";
    model_->CustomCurrencyGroupLeft();
    model_->ChooseOutputCurrency(kCUS1);
    EXPECT_EQ(model_->View().CodeText, "CHF");
    EXPECT_EQ(model_->View().RateText, "1,5");
    EXPECT_EQ(model_->View().SmallestCoinText, "");
    EXPECT_FALSE(Enabled("kleinsteMuenzeRadioButton"));
    EXPECT_FALSE(Enabled("kleinsteUeberweisungRadioButton"));
}

TEST_F(SettingsDialogModelTest, CancelReadsTheStoredProfileBack) {
    model_->Show(SettingsPage::Current);
    ASSERT_TRUE(model_->Apply());  // every key stored
    model_->ChooseOutputCurrency(kDEM);
    const std::string storedDecimals = Stored("OutputDEMDecimals");
    S().OutputReplace = true;
    S().WordTraceChanges = false;
    model_->View().Decimals = 5;
    model_->CommitView();
    calls_.clear();

    model_->Cancel();

    EXPECT_FALSE(view_.visible);
    EXPECT_FALSE(S().OutputReplace);
    EXPECT_TRUE(S().WordTraceChanges);
    EXPECT_EQ(std::to_string(S().Output[kDEM].Decimals), storedDecimals);
    EXPECT_EQ(std::to_string(model_->View().Decimals), storedDecimals)
        << "the view is loaded again";
    EXPECT_TRUE(calls_.empty()) << "Cancel notifies nobody";
    EXPECT_TRUE(Enabled("fettCheckBox"));
}

TEST_F(SettingsDialogModelTest, CustomCurrenciesCloseTheirGaps) {
    struct Case {
        std::array<std::string, 3> codes;
        std::array<std::string, 3> expected;
        std::vector<std::string> appended;
    };
    const Case cases[] = {
        {{"", "", "CHF"}, {"CHF", "", ""}, {"CHF"}},
        {{"", "USD", "GBP"}, {"USD", "GBP", ""}, {"USD", "GBP"}},
        {{"A", "", "C"}, {"A", "C", ""}, {"A", "C"}},
        {{"", "", ""}, {"", "", ""}, {}},
    };
    for (const Case& c : cases) {
        for (std::size_t row = 0; row < 3; ++row) {
            S().CustomCurrencySymbol[row] = c.codes[row];
            S().CustomCurrencyRate[row] = c.codes[row].empty() ? "" : "rate " + c.codes[row];
            S().CustomCurrencyName[row] = c.codes[row].empty() ? "" : "name " + c.codes[row];
            S().CalculatorLine[kCUS1 + row] = true;
        }
        model_->CustomCurrencyGroupLeft();
        std::vector<std::string> appended(model_->CurrencyListCodes().begin() + kFixedCurrencyCount,
                                          model_->CurrencyListCodes().end());
        EXPECT_EQ(appended, c.appended);
        for (std::size_t row = 0; row < 3; ++row) {
            const std::string& code = c.expected[row];
            EXPECT_EQ(S().CustomCurrencySymbol[row], code);
            EXPECT_EQ(S().CustomCurrencyRate[row], code.empty() ? "" : "rate " + code);
            EXPECT_EQ(S().CustomCurrencyName[row], code.empty() ? "" : "name " + code);
            EXPECT_EQ(S().CalculatorLine[kCUS1 + row], !code.empty())
                << "a disabled box is cleared";
            EXPECT_EQ(model_->CustomCurrencyDefined(static_cast<int>(row)), !code.empty());
        }
    }
}

TEST_F(SettingsDialogModelTest, ChoosingALaterEuroCurrencyFillsItsRow) {
    // Every entry is named through its own key.
    const std::vector<std::string> choices = model_->LaterCurrencyChoices();
    ASSERT_EQ(choices.size(), LaterCurrencies().size());
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const std::string code(LaterCurrencies()[i].Code);
        EXPECT_EQ(choices[i], code + " ([Waehrungsname" + code + "])");
    }

    translator_.texts["WaehrungsnameHRK"] = "kroatische Kuna";
    S().CustomCurrencySymbol = {"CHF", "", ""};
    S().CustomCurrencyRate = {"1", "", ""};
    model_->CustomCurrencyGroupLeft();
    // Chosen for HRK in the third row with the second empty: it lands in the second,
    // where the closing of gaps would put its code.
    model_->ChooseLaterCurrency(2, 1);
    EXPECT_EQ(S().CustomCurrencySymbol, (std::array<std::string, 3>{"CHF", "HRK", ""}));
    EXPECT_EQ(S().CustomCurrencyName[1], "kroatische Kuna");
    EXPECT_EQ(model_->CurrencyListCodes().back(), "HRK");
    const SymbolList& symbols = S().InputSymbolsFor[kCUS2];
    ASSERT_EQ(symbols.size(), 5U);
    EXPECT_EQ(symbols[0], TCurrencySymbol::FromOptionNumber("kn", 1 + 8 + 16));
    EXPECT_EQ(symbols[4].Symbol, "kroatische Kuna");
    const TWaehrungsAusgabeFormat& output = S().Output[kCUS2];
    EXPECT_EQ(output.Symbol, "kn");
    EXPECT_EQ(output.Multiple, 0.01);

    // Chosen again over the shown slot: the view shows it, and OK stores it.
    model_->ChooseOutputCurrency(kCUS2);
    model_->ChooseLaterCurrency(1, 3);  // LVL, written before the amount
    EXPECT_EQ(model_->View().Symbol, "Ls");
    model_->View().Decimals = 3;  // still editable
    model_->Ok();
    EXPECT_EQ(Stored("CustomCurrency2Rate"), "0,702804");
    EXPECT_EQ(Stored("OutputCUS2CurrencySymbol"), "Ls");
    EXPECT_EQ(Stored("OutputCUS2Decimals"), "3");
}

TEST_F(SettingsDialogModelTest, ListSelectionsBeyondTheListGoToTheFirstEntry) {
    S().CustomCurrencySymbol = {"CHF", "USD", ""};
    S().CustomCurrencyRate = {"1", "1", ""};
    model_->CustomCurrencyGroupLeft();
    model_->ChooseOutputCurrency(12);
    S().OutputDefaultCurrency = 12;
    S().InputDefaultCurrency = 11;

    S().CustomCurrencySymbol = {"CHF", "", ""};
    model_->CustomCurrencyGroupLeft();

    EXPECT_EQ(S().OutputDefaultCurrency, 0);
    EXPECT_EQ(S().InputDefaultCurrency, 11);
    EXPECT_EQ(model_->ChooserPosition(), 0);
    EXPECT_EQ(model_->ShownOutputCurrency(), kEUR);
}

TEST_F(SettingsDialogModelTest, EnablingRulesFollowTheSettings) {
    struct Case {
        std::function<void(ProfileSettings&)> change;
        std::string_view control;
        bool before;
        bool after;
    };
    const Case cases[] = {
        {[](ProfileSettings& s) { s.InputNumbersWithoutSymbols = false; }, "anhaltenCheckBox", true,
         false},
        {[](ProfileSettings& s) { s.InputCheckForDecimalsActive = false; },
         "EingabeNachkommastellenEdit", true, false},
        {[](ProfileSettings& s) { s.OutputReplace = true; }, "KlammerAufEdit", true, false},
        {[](ProfileSettings& s) { s.WordTraceChanges = false; }, "FarbenComboBox", true, false},
        {[](ProfileSettings& s) { s.ClipboardSearch = false; }, "ClipboardAlsGanzesRadioButton",
         true, false},
        {[](ProfileSettings& s) { s.ClipboardSearch = false; }, "ClipboardUmrechnenCheckBox", true,
         true},
        {[](ProfileSettings& s) { s.ClipboardSearch = s.ClipboardUseHotkey = false; },
         "ClipboardUmrechnenCheckBox", true, false},
        {[](ProfileSettings& s) { s.ClipboardReplace = true; },
         "ClipboardAenderungBestaetigenCheckBox", false, true},
        {[](ProfileSettings& s) { s.ClipboardUseHotkey = false; }, "ClipboardHotKey", true, false},
        {[](ProfileSettings& s) { s.CalculatorUseHotkey = false; }, "RechnerHotKey", true, false},
    };
    for (const Case& c : cases) {
        ProfileSettings saved = S();
        EXPECT_EQ(Enabled(c.control), c.before) << c.control;
        c.change(S());
        EXPECT_EQ(Enabled(c.control), c.after) << c.control;
        S() = saved;
    }
    EXPECT_FALSE(Enabled("CUS1DisplayCheckBox"));
    EXPECT_FALSE(Enabled("DEMKontextButton")) << "no symbol list editor";
}

TEST_F(SettingsDialogModelTest, ActivatingAProfileShowsItsValuesAndRules) {
    store_->WriteString("Profile B", "OutputReplace", "1");
    store_->WriteString("Profile B", "WordTraceChanges", "0");
    store_->WriteString("Profile B", "OutputDEMDecimals", "4");
    store_->WriteString("Profile B", "CustomCurrency1Symbol", "CHF");
    store_->WriteString("Profile B", "CustomCurrency1Rate", "1,5");
    manager_->LoadAtStartUp("Deutsch");  // the list now holds B as well
    model_->ChooseOutputCurrency(kDEM);
    ASSERT_TRUE(Enabled("KlammerAufEdit"));

    // From the tray, not through the window.
    manager_->ActivateProfile(1);

    EXPECT_EQ(profile_.Name(), "B");
    EXPECT_FALSE(Enabled("KlammerAufEdit"));
    EXPECT_FALSE(Enabled("fettCheckBox"));
    EXPECT_TRUE(Enabled("CUS1DisplayCheckBox"));
    EXPECT_EQ(model_->CurrencyListCodes().back(), "CHF");
    EXPECT_EQ(model_->View().Decimals, 4);
}

TEST_F(SettingsDialogModelTest, SmallRules) {
    // The last column check box cannot be cleared.
    struct Case {
        CalculatorColumn clicked;
        bool flags, symbols;
    };
    for (const Case& c :
         {Case{CalculatorColumn::Symbols, true, false}, Case{CalculatorColumn::Flags, false, true},
          Case{CalculatorColumn::Names, false, true}}) {
        S().CalculatorColFlags = S().CalculatorColCurrencySymbols = S().CalculatorColCurrencyNames =
            false;
        model_->ColumnClicked(c.clicked);
        EXPECT_EQ(S().CalculatorColFlags, c.flags);
        EXPECT_EQ(S().CalculatorColCurrencySymbols, c.symbols);
    }

    S().InputNumbersWithoutSymbols = false;
    model_->DefaultSourceChosen(kFRF);
    EXPECT_EQ(S().InputDefaultCurrency, kFRF);
    EXPECT_TRUE(S().InputNumbersWithoutSymbols);

    model_->ChooseOutputCurrency(kDEM);
    model_->MultipleTextEdited("0,5");
    EXPECT_EQ(model_->View().Strategy, 2);
    model_->View().Direction = 2;
    model_->LegalRounding();
    EXPECT_EQ(model_->View().Strategy, 1);
    EXPECT_EQ(model_->View().Direction, 0);
    EXPECT_TRUE(boxes_.shown.empty());

    for (const auto& [typed, result] : {std::pair{',', ','}, {'.', ','}, {'5', '5'}}) {
        EXPECT_EQ(DecimalKeyTyped(typed, ','), result);
    }
    EXPECT_EQ(DecimalKeyTyped(',', '.'), '.');
    EXPECT_EQ(JoinedSymbols({{"DM"}, {"Mark"}}), "DM; Mark");
}

TEST_F(SettingsDialogModelTest, LegalRoundingOnlyInformsForCustomCurrencies) {
    S().CustomCurrencySymbol[0] = "CHF";
    S().CustomCurrencyRate[0] = "1";
    model_->CustomCurrencyGroupLeft();
    model_->ChooseOutputCurrency(kCUS1);
    model_->View().Strategy = 2;
    model_->LegalRounding();
    EXPECT_EQ(model_->View().Strategy, 2);
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text, "[KeineVorschriftenFuerNichtEuroWaehrungen]");
}

TEST_F(SettingsDialogModelTest, ShowCentresOnceAndKeepsThePosition) {
    model_->Show(SettingsPage::Calculator);
    EXPECT_TRUE(view_.centred);
    EXPECT_EQ(view_.page, SettingsTab::Waehrungsrechner);
    view_.left = 120;
    view_.top = 80;
    model_->Ok();
    EXPECT_EQ(store_->ReadString("General", "SettingsFormXPos"), "120");

    view_.left = view_.top = 0;
    model_->Show(SettingsPage::Current);
    EXPECT_FALSE(view_.centred);
    EXPECT_EQ(view_.left, 120);
    EXPECT_EQ(view_.top, 80);

    // Already open: only brought to the front.
    view_.left = 300;
    model_->Show(SettingsPage::Current);
    EXPECT_EQ(view_.left, 300);
    EXPECT_EQ(view_.showCount, 3);
}

TEST_F(SettingsDialogModelTest, HelpOpensThePageInFront) {
    const std::pair<SettingsTab, int> cases[] = {
        {SettingsTab::Allgemein, 1010},        {SettingsTab::Waehrungen, 1040},
        {SettingsTab::Waehrungsrechner, 1160}, {SettingsTab::SuchenSymbole, 1150},
        {SettingsTab::SuchenZahlen, 1030},     {SettingsTab::Anwendungen, 1060},
        {SettingsTab::Zwischenablage, 1070},   {SettingsTab::Profile, 1080},
    };
    for (const auto& [page, topic] : cases) {
        view_.page = page;
        model_->ShowHelp();
        EXPECT_EQ(help_.calls.back(), "topic " + std::to_string(topic));
    }
}

TEST_F(SettingsDialogModelTest, SavingUnderANewNameMakesItActive) {
    nameInput_.answer = "Reise";
    model_->SaveProfileAs();
    EXPECT_THAT(profile_.ProfileNames(), ElementsAre("A", "Reise"));
    EXPECT_EQ(profile_.Name(), "Reise");
    EXPECT_EQ(model_->SelectedProfile(), 1);
    EXPECT_THAT(calls_, ElementsAre("list", "active"));
}

}  // namespace
}  // namespace kassavero
