// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_windows/settings_dialog_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/unicode_text.h"

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
        store_ = std::make_unique<RegistryFile>(temp_.Path() / U"Kassavero");
        store_->WriteString(U"Profile A", U"OutputReplace", U"0");
        store_->WriteString(U"General", U"EntriesValid", U"1");
        manager_ = std::make_unique<ProfileManager>(profile_, *store_, system_, translator_, boxes_,
                                                    nameInput_);
        manager_->LoadAtStartUp(U"Deutsch");
        model_ = std::make_unique<SettingsDialogModel>(view_, profile_, *manager_, *store_, system_,
                                                       translator_, boxes_, help_, nullptr);
        model_->Create();
        for (int slot = 0; slot < 2; ++slot) {
            profile_.SettingsChangedCallback(slot).Set([this, slot](ActiveProfile&) {
                calls_.push_back(slot == 0 ? U"changed0" : U"changed1");
            });
        }
        profile_.CalculatorLayoutCallback().Set(
            [this](ActiveProfile&) { calls_.push_back(U"layout"); });
        profile_.HotkeysCallback().Set([this](ActiveProfile&) { calls_.push_back(U"hotkeys"); });
        profile_.ProfileListCallback().Set([this](ActiveProfile&) { calls_.push_back(U"list"); });
        profile_.ActiveProfileCallback().Set(
            [this](ActiveProfile&) { calls_.push_back(U"active"); });
    }

    ProfileSettings& S() { return profile_.MutableSettings(); }
    bool Enabled(std::u32string_view control) const {
        for (const auto& [name, enabled] : model_->EnabledStates()) {
            if (name == control)
                return enabled;
        }
        ADD_FAILURE() << "no rule for " << TextToUtf8(control);
        return false;
    }
    std::u32string Stored(std::u32string_view key) {
        return store_->ReadString(U"Profile A", key).value_or(U"<missing>");
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
    std::vector<std::u32string> calls_;
};

TEST_F(SettingsDialogModelTest, ApplyStoresOnceAndNotifiesInOrder) {
    model_->Show(SettingsPage::Current);
    S().OutputReplace = true;
    const int writes = store_->WriteCount();

    EXPECT_TRUE(model_->Apply());

    EXPECT_EQ(store_->WriteCount() - writes, 1);
    EXPECT_EQ(Stored(U"OutputReplace"), U"1");
    EXPECT_THAT(calls_, ElementsAre(U"changed0", U"layout", U"changed1", U"hotkeys"));
    EXPECT_TRUE(view_.visible) << "Apply keeps the window open";

    calls_.clear();
    model_->Ok();
    EXPECT_THAT(calls_, ElementsAre(U"changed0", U"layout", U"changed1", U"hotkeys"));
    EXPECT_FALSE(view_.visible);
}

TEST_F(SettingsDialogModelTest, CustomCurrencyWithoutRateIsRefused) {
    struct Case {
        std::array<std::u32string, 3> codes;
        std::array<std::u32string, 3> rates;
        int failingRow;  // -1: passes
    };
    const Case cases[] = {
        {{U"CHF", U"", U""}, {U"", U"", U""}, 0},
        {{U"CHF", U"", U""}, {U"abc", U"", U""}, 0},
        {{U"CHF", U"", U""}, {U"0,0", U"", U""}, 0},
        {{U"CHF", U"", U""}, {U"1,6", U"", U""}, -1},
        {{U"CHF", U"", U""}, {U"-2", U"", U""}, -1},  // a negative rate passes
        {{U"CHF", U"USD", U""}, {U"1,6", U"x", U""}, 1},
        {{U"", U"", U"GBP"}, {U"", U"", U""}, 0},  // moved to the first row first
        {{U"", U"", U""}, {U"", U"", U""}, -1},
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

        EXPECT_EQ(applied, c.failingRow < 0)
            << TextToUtf8(c.codes[0]) << TextToUtf8(c.codes[1]) << TextToUtf8(c.codes[2]);
        if (c.failingRow >= 0) {
            EXPECT_EQ(view_.focusedRate, c.failingRow);
            EXPECT_EQ(view_.page, SettingsTab::Allgemein);
            ASSERT_EQ(boxes_.shown.size(), 1u);
            EXPECT_EQ(boxes_.shown[0].text, U"[KursAngeben]");
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
        std::u32string storedMultiple;
        int storedDigits;
    };
    const Case cases[] = {
        {2, 0.001, 6, 2, U"0,01", 6}, {3, 0.001, 6, 3, U"0,001", 6}, {16, 0.5, 6, 2, U"0,5", 6},
        {-7, 0.5, 6, 2, U"0,5", 6},   {-2, 50, 0, -2, U"100", 6},    {0, 5, 17, 0, U"5", 6},
        {2, -1, 16, 2, U"0,01", 16},
    };
    for (const Case& c : cases) {
        model_->ChooseOutputCurrency(kEUR);
        S().Output[kDEM].Decimals = c.decimals;
        S().Output[kDEM].Multiple = c.multiple;
        S().Output[kDEM].SignificantDigits = c.digits;
        ASSERT_TRUE(model_->Apply());
        EXPECT_EQ(Stored(U"OutputDEMDecimals"), AsciiToText(std::to_string(c.storedDecimals)))
            << c.decimals;
        EXPECT_EQ(Stored(U"OutputDEMRoundToMultipleOf"), c.storedMultiple) << c.multiple;
        EXPECT_EQ(Stored(U"OutputDEMRoundToSignificantDigits"),
                  AsciiToText(std::to_string(c.storedDigits)));
    }

    S().InputDecimalSymbols = U"   ";
    S().InputCheckForDecimals = 16;
    ASSERT_TRUE(model_->Apply());
    EXPECT_EQ(Stored(U"InputDecimalSymbols"), U",");
    EXPECT_EQ(Stored(U"InputCheckForDecimals"), U"2");
}

TEST_F(SettingsDialogModelTest, TheViewIsCommittedWhenAnotherCurrencyIsChosen) {
    model_->ChooseOutputCurrency(kDEM);
    model_->View().Decimals = 4;
    model_->View().Symbol = U"DM";
    model_->ChooseOutputCurrency(kFRF);
    EXPECT_EQ(S().Output[kDEM].Decimals, 4);
    EXPECT_EQ(S().Output[kDEM].Symbol, U"DM");
    EXPECT_EQ(model_->ShownOutputCurrency(), kFRF);

    model_->ChooseOutputCurrency(kDEM);
    EXPECT_EQ(model_->View().Decimals, 4) << "the edit survives choosing back";
}

TEST_F(SettingsDialogModelTest, CommittingTheViewReadsItsControls) {
    struct Case {
        int strategy;
        int direction;
        std::u32string multiple;
        std::u32string decimalSymbol;
        int storedStrategy;
        int storedDirection;
        double storedMultiple;
        char storedSymbol;
    };
    const Case cases[] = {
        {0, 0, U"0,05", U",", 0, 0, 0.05, U','}, {1, 1, U"1", U" ; ", 1, 1, 1.0, U';'},
        {2, 2, U"abc", U"", 2, 2, 0.001, U'\0'}, {3, 7, U"2,5", U"  .x", 3, 0, 2.5, U'.'},
        {9, 0, U"1E2", U",", 1, 0, 100.0, U','},
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
        EXPECT_DOUBLE_EQ(record.Multiple, c.storedMultiple) << TextToUtf8(c.multiple);
        EXPECT_EQ(record.DecimalSymbol, c.storedSymbol) << TextToUtf8(c.decimalSymbol);
    }
}

TEST_F(SettingsDialogModelTest, LoadingTheViewShowsTheCurrencysFacts) {
    S().Output[kDEM].RoundingDirection = 5;
    model_->ChooseOutputCurrency(kDEM);
    EXPECT_EQ(model_->View().Direction, 0) << "an unknown direction shows as commercial";
    EXPECT_EQ(model_->View().RateText, U"1,95583");
    EXPECT_EQ(model_->View().SmallestCoinText, U"0,01");
    EXPECT_TRUE(Enabled(U"kleinsteMuenzeRadioButton"));

    S().CustomCurrencySymbol[0] = U"CHF";
    S().CustomCurrencyRate[0] = U"1,5";
    model_->CustomCurrencyGroupLeft();
    model_->ChooseOutputCurrency(kCUS1);
    EXPECT_EQ(model_->View().CodeText, U"CHF");
    EXPECT_EQ(model_->View().RateText, U"1,5");
    EXPECT_EQ(model_->View().SmallestCoinText, U"");
    EXPECT_FALSE(Enabled(U"kleinsteMuenzeRadioButton"));
    EXPECT_FALSE(Enabled(U"kleinsteUeberweisungRadioButton"));
}

TEST_F(SettingsDialogModelTest, CancelReadsTheStoredProfileBack) {
    model_->Show(SettingsPage::Current);
    ASSERT_TRUE(model_->Apply());  // every key stored
    model_->ChooseOutputCurrency(kDEM);
    const std::u32string storedDecimals = Stored(U"OutputDEMDecimals");
    S().OutputReplace = true;
    S().WordTraceChanges = false;
    model_->View().Decimals = 5;
    model_->CommitView();
    calls_.clear();

    model_->Cancel();

    EXPECT_FALSE(view_.visible);
    EXPECT_FALSE(S().OutputReplace);
    EXPECT_TRUE(S().WordTraceChanges);
    EXPECT_EQ(AsciiToText(std::to_string(S().Output[kDEM].Decimals)), storedDecimals);
    EXPECT_EQ(AsciiToText(std::to_string(model_->View().Decimals)), storedDecimals)
        << "the view is loaded again";
    EXPECT_TRUE(calls_.empty()) << "Cancel notifies nobody";
    EXPECT_TRUE(Enabled(U"fettCheckBox"));
}

TEST_F(SettingsDialogModelTest, CustomCurrenciesCloseTheirGaps) {
    struct Case {
        std::array<std::u32string, 3> codes;
        std::array<std::u32string, 3> expected;
        std::vector<std::u32string> appended;
    };
    const Case cases[] = {
        {{U"", U"", U"CHF"}, {U"CHF", U"", U""}, {U"CHF"}},
        {{U"", U"USD", U"GBP"}, {U"USD", U"GBP", U""}, {U"USD", U"GBP"}},
        {{U"A", U"", U"C"}, {U"A", U"C", U""}, {U"A", U"C"}},
        {{U"", U"", U""}, {U"", U"", U""}, {}},
    };
    for (const Case& c : cases) {
        for (std::size_t row = 0; row < 3; ++row) {
            S().CustomCurrencySymbol[row] = c.codes[row];
            S().CustomCurrencyRate[row] = c.codes[row].empty() ? U"" : U"rate " + c.codes[row];
            S().CustomCurrencyName[row] = c.codes[row].empty() ? U"" : U"name " + c.codes[row];
            S().CalculatorLine[kCUS1 + row] = true;
        }
        model_->CustomCurrencyGroupLeft();
        std::vector<std::u32string> appended(
            model_->CurrencyListCodes().begin() + kFixedCurrencyCount,
            model_->CurrencyListCodes().end());
        EXPECT_EQ(appended, c.appended);
        for (std::size_t row = 0; row < 3; ++row) {
            const std::u32string& code = c.expected[row];
            EXPECT_EQ(S().CustomCurrencySymbol[row], code);
            EXPECT_EQ(S().CustomCurrencyRate[row], code.empty() ? U"" : U"rate " + code);
            EXPECT_EQ(S().CustomCurrencyName[row], code.empty() ? U"" : U"name " + code);
            EXPECT_EQ(S().CalculatorLine[kCUS1 + row], !code.empty())
                << "a disabled box is cleared";
            EXPECT_EQ(model_->CustomCurrencyDefined(static_cast<int>(row)), !code.empty());
        }
    }
}

TEST_F(SettingsDialogModelTest, ChoosingALaterEuroCurrencyFillsItsRow) {
    // Every entry is named through its own key.
    const std::vector<std::u32string> choices = model_->LaterCurrencyChoices();
    ASSERT_EQ(choices.size(), LaterCurrencies().size());
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const std::u32string code(LaterCurrencies()[i].Code);
        EXPECT_EQ(choices[i], code + U" ([Waehrungsname" + code + U"])");
    }

    translator_.texts["WaehrungsnameHRK"] = U"kroatische Kuna";
    S().CustomCurrencySymbol = {U"CHF", U"", U""};
    S().CustomCurrencyRate = {U"1", U"", U""};
    model_->CustomCurrencyGroupLeft();
    // Chosen for HRK in the third row with the second empty: it lands in the second,
    // where the closing of gaps would put its code.
    model_->ChooseLaterCurrency(2, 1);
    EXPECT_EQ(S().CustomCurrencySymbol, (std::array<std::u32string, 3>{U"CHF", U"HRK", U""}));
    EXPECT_EQ(S().CustomCurrencyName[1], U"kroatische Kuna");
    EXPECT_EQ(model_->CurrencyListCodes().back(), U"HRK");
    const SymbolList& symbols = S().InputSymbolsFor[kCUS2];
    ASSERT_EQ(symbols.size(), 5U);
    EXPECT_EQ(symbols[0], TCurrencySymbol::FromOptionNumber(U"kn", 1 + 8 + 16));
    EXPECT_EQ(symbols[4].Symbol, U"kroatische Kuna");
    const TWaehrungsAusgabeFormat& output = S().Output[kCUS2];
    EXPECT_EQ(output.Symbol, U"kn");
    EXPECT_EQ(output.Multiple, 0.01);

    // Chosen again over the shown slot: the view shows it, and OK stores it.
    model_->ChooseOutputCurrency(kCUS2);
    model_->ChooseLaterCurrency(1, 3);  // LVL, written before the amount
    EXPECT_EQ(model_->View().Symbol, U"Ls");
    model_->View().Decimals = 3;  // still editable
    model_->Ok();
    EXPECT_EQ(Stored(U"CustomCurrency2Rate"), U"0,702804");
    EXPECT_EQ(Stored(U"OutputCUS2CurrencySymbol"), U"Ls");
    EXPECT_EQ(Stored(U"OutputCUS2Decimals"), U"3");
}

TEST_F(SettingsDialogModelTest, ListSelectionsBeyondTheListGoToTheFirstEntry) {
    S().CustomCurrencySymbol = {U"CHF", U"USD", U""};
    S().CustomCurrencyRate = {U"1", U"1", U""};
    model_->CustomCurrencyGroupLeft();
    model_->ChooseOutputCurrency(12);
    S().OutputDefaultCurrency = 12;
    S().InputDefaultCurrency = 11;

    S().CustomCurrencySymbol = {U"CHF", U"", U""};
    model_->CustomCurrencyGroupLeft();

    EXPECT_EQ(S().OutputDefaultCurrency, 0);
    EXPECT_EQ(S().InputDefaultCurrency, 11);
    EXPECT_EQ(model_->ChooserPosition(), 0);
    EXPECT_EQ(model_->ShownOutputCurrency(), kEUR);
}

TEST_F(SettingsDialogModelTest, EnablingRulesFollowTheSettings) {
    struct Case {
        std::function<void(ProfileSettings&)> change;
        std::u32string_view control;
        bool before;
        bool after;
    };
    const Case cases[] = {
        {[](ProfileSettings& s) { s.InputNumbersWithoutSymbols = false; }, U"anhaltenCheckBox",
         true, false},
        {[](ProfileSettings& s) { s.InputCheckForDecimalsActive = false; },
         U"EingabeNachkommastellenEdit", true, false},
        {[](ProfileSettings& s) { s.OutputReplace = true; }, U"KlammerAufEdit", true, false},
        {[](ProfileSettings& s) { s.WordTraceChanges = false; }, U"FarbenComboBox", true, false},
        {[](ProfileSettings& s) { s.ClipboardSearch = false; }, U"ClipboardAlsGanzesRadioButton",
         true, false},
        {[](ProfileSettings& s) { s.ClipboardSearch = false; }, U"ClipboardUmrechnenCheckBox", true,
         true},
        {[](ProfileSettings& s) { s.ClipboardSearch = s.ClipboardUseHotkey = false; },
         U"ClipboardUmrechnenCheckBox", true, false},
        {[](ProfileSettings& s) { s.ClipboardReplace = true; },
         U"ClipboardAenderungBestaetigenCheckBox", false, true},
        {[](ProfileSettings& s) { s.ClipboardUseHotkey = false; }, U"ClipboardHotKey", true, false},
        {[](ProfileSettings& s) { s.CalculatorUseHotkey = false; }, U"RechnerHotKey", true, false},
    };
    for (const Case& c : cases) {
        ProfileSettings saved = S();
        EXPECT_EQ(Enabled(c.control), c.before) << TextToUtf8(c.control);
        c.change(S());
        EXPECT_EQ(Enabled(c.control), c.after) << TextToUtf8(c.control);
        S() = saved;
    }
    EXPECT_FALSE(Enabled(U"CUS1DisplayCheckBox"));
    EXPECT_FALSE(Enabled(U"DEMKontextButton")) << "no symbol list editor";
}

TEST_F(SettingsDialogModelTest, ActivatingAProfileShowsItsValuesAndRules) {
    store_->WriteString(U"Profile B", U"OutputReplace", U"1");
    store_->WriteString(U"Profile B", U"WordTraceChanges", U"0");
    store_->WriteString(U"Profile B", U"OutputDEMDecimals", U"4");
    store_->WriteString(U"Profile B", U"CustomCurrency1Symbol", U"CHF");
    store_->WriteString(U"Profile B", U"CustomCurrency1Rate", U"1,5");
    manager_->LoadAtStartUp(U"Deutsch");  // the list now holds B as well
    model_->ChooseOutputCurrency(kDEM);
    ASSERT_TRUE(Enabled(U"KlammerAufEdit"));

    // From the tray, not through the window.
    manager_->ActivateProfile(1);

    EXPECT_EQ(profile_.Name(), U"B");
    EXPECT_FALSE(Enabled(U"KlammerAufEdit"));
    EXPECT_FALSE(Enabled(U"fettCheckBox"));
    EXPECT_TRUE(Enabled(U"CUS1DisplayCheckBox"));
    EXPECT_EQ(model_->CurrencyListCodes().back(), U"CHF");
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
    model_->MultipleTextEdited(U"0,5");
    EXPECT_EQ(model_->View().Strategy, 2);
    model_->View().Direction = 2;
    model_->LegalRounding();
    EXPECT_EQ(model_->View().Strategy, 1);
    EXPECT_EQ(model_->View().Direction, 0);
    EXPECT_TRUE(boxes_.shown.empty());

    for (const auto& [typed, result] : {std::pair{U',', U','}, {U'.', U','}, {U'5', U'5'}}) {
        EXPECT_EQ(DecimalKeyTyped(typed, U','), result);
    }
    EXPECT_EQ(DecimalKeyTyped(U',', U'.'), U'.');
    EXPECT_EQ(JoinedSymbols({{U"DM"}, {U"Mark"}}), U"DM; Mark");
}

TEST_F(SettingsDialogModelTest, LegalRoundingOnlyInformsForCustomCurrencies) {
    S().CustomCurrencySymbol[0] = U"CHF";
    S().CustomCurrencyRate[0] = U"1";
    model_->CustomCurrencyGroupLeft();
    model_->ChooseOutputCurrency(kCUS1);
    model_->View().Strategy = 2;
    model_->LegalRounding();
    EXPECT_EQ(model_->View().Strategy, 2);
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text, U"[KeineVorschriftenFuerNichtEuroWaehrungen]");
}

TEST_F(SettingsDialogModelTest, ShowCentresOnceAndKeepsThePosition) {
    model_->Show(SettingsPage::Calculator);
    EXPECT_TRUE(view_.centred);
    EXPECT_EQ(view_.page, SettingsTab::Waehrungsrechner);
    view_.left = 120;
    view_.top = 80;
    model_->Ok();
    EXPECT_EQ(store_->ReadString(U"General", U"SettingsFormXPos"), U"120");

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
    nameInput_.answer = U"Reise";
    model_->SaveProfileAs();
    EXPECT_THAT(profile_.ProfileNames(), ElementsAre(U"A", U"Reise"));
    EXPECT_EQ(profile_.Name(), U"Reise");
    EXPECT_EQ(model_->SelectedProfile(), 1);
    EXPECT_THAT(calls_, ElementsAre(U"list", U"active"));
}

// The interface language: offered from the translation file, kept in the user's file by
// OK, Apply and the close box, forgotten by Cancel.
TEST_F(SettingsDialogModelTest, InterfaceLanguageIsKeptForTheNextStart) {
    const auto shipped = temp_.Path() / U"i18n.dat";
    const auto own = temp_.Path() / U"own.dat";
    testing::WriteFileText(shipped, U"[Allgemein]\nSprache=\n[Deutsch]\n[English]\n[Български]\n");
    testing::WriteFileText(own, U"[Allgemein]\nSprache=english\n");
    translator_.texts["SpracheDesDesktopsEintrag"] = U"wie der Desktop";
    FileInterfaceLanguages languages(shipped, own);
    SettingsDialogModel model(view_, profile_, *manager_, *store_, system_, translator_, boxes_,
                              help_, nullptr, &languages);
    ASSERT_TRUE(model.CanChooseLanguage());
    EXPECT_THAT(model.LanguageChoices(),
                ElementsAre(U"wie der Desktop", U"Deutsch", U"English", U"Български"));
    EXPECT_EQ(model.ChosenLanguage(), 2) << "found whatever its letter case";

    const struct {
        void (*act)(SettingsDialogModel&);
        int choice;
        std::u32string_view stored;
    } rows[] = {
        {[](SettingsDialogModel& m) { m.Cancel(); }, 3, U"english"},
        {[](SettingsDialogModel& m) { EXPECT_TRUE(m.Apply()); }, 3, U"Български"},
        {[](SettingsDialogModel& m) { EXPECT_TRUE(m.CloseQuery()); }, 0, U""},
    };
    for (const auto& row : rows) {
        model.ChooseLanguage(row.choice);
        row.act(model);
        EXPECT_EQ(languages.Chosen(), row.stored) << row.choice;
    }
    EXPECT_EQ(model.ChosenLanguage(), 0);

    // A file that cannot be written says so and keeps the choice for another try.
    std::filesystem::remove(own);
    std::filesystem::create_directory(own);
    model.ChooseLanguage(1);
    EXPECT_TRUE(model.Apply());
    ASSERT_EQ(boxes_.shown.size(), 1U);
    EXPECT_EQ(boxes_.shown[0].flags & mb::kIconMask, mb::kIconError);
    EXPECT_EQ(model.ChosenLanguage(), 1);
}

}  // namespace
}  // namespace kassavero
