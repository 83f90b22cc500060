// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator/calculator_model.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <memory>
#include <string>
#include <vector>

#include "core/currency.h"
#include "fakes/fake_clipboard_watch.h"
#include "fakes/fake_help.h"
#include "fakes/fake_system_info.h"
#include "fakes/fake_translator.h"
#include "fakes/temp_dir.h"
#include "platform/program_windows.h"
#include "platform/registry_file.h"
#include "settings/active_profile.h"

namespace kassavero {
namespace {

class FakeSettingsWindow final : public SettingsWindow {
  public:
    std::vector<SettingsPage> shown;
    void ShowSettings(SettingsPage page) override { shown.push_back(page); }
};

class FakeAboutWindow final : public AboutWindow {
  public:
    int shown = 0;
    void ShowAbout() override { ++shown; }
};

class CalculatorTest : public ::testing::Test {
  protected:
    CalculatorTest() {
        SettingsToDefaults(Settings(), U',', U'.', kDEM);
        translator_.texts["Overflow"] = U"Overflow";
    }

    ProfileSettings& Settings() { return profile_.MutableSettings(); }

    CalculatorModel& Calc() {
        if (!calc_) {
            calc_ = std::make_unique<CalculatorModel>(profile_, currencies_, system_, translator_,
                                                      store_, clipboard_, settingsWindow_, about_,
                                                      help_);
        }
        return *calc_;
    }

    // Focuses the line of the currency and types the keys into it.
    void Type(CurrencyIndex currency, const std::u32string& keys) {
        const int slot = Calc().SlotOf(currency);
        ASSERT_GE(slot, 0);
        Calc().EditEnter(slot);
        for (char32_t key : keys)
            Calc().TypeCharacter(slot, key);
    }

    std::u32string Line(CurrencyIndex currency) {
        const int slot = Calc().SlotOf(currency);
        return slot < 0 ? U"<no line>" : Calc().Slot(slot).Field.Edit.Text();
    }

    bool Bold(CurrencyIndex currency) {
        const LineSlot& slot = Calc().Slot(Calc().SlotOf(currency));
        return slot.Field.Bold && slot.Code.Bold && slot.Name.Bold && slot.Rate.Bold;
    }

    void ShowOnly(std::initializer_list<CurrencyIndex> currencies) {
        Settings().CalculatorLine.fill(false);
        for (CurrencyIndex c : currencies)
            Settings().CalculatorLine[c] = true;
    }

    ActiveProfile profile_;
    testing::FakeSystemInfo system_;
    CurrencyTable currencies_{profile_, U',', kDEM};
    testing::FakeTranslator translator_;
    testing::TempDir temp_;
    RegistryFile store_{temp_.Path() / U"Kassavero"};
    testing::FakeClipboardWatch clipboard_;
    FakeSettingsWindow settingsWindow_;
    FakeAboutWindow about_;
    testing::FakeHelp help_;
    std::unique_ptr<CalculatorModel> calc_;
};

TEST_F(CalculatorTest, TypedEuroAmountInTheFixedPrecisions) {
    Calc().Show();
    EXPECT_EQ(Line(kEUR), U"0");
    EXPECT_EQ(Calc().FocusedSlot(), 0);
    EXPECT_EQ(Calc().Slot(0).Field.Edit.Selection(), (EditSelection{0, 1}));

    Type(kEUR, U"100");
    EXPECT_EQ(Line(kEUR), U"100") << "the source line keeps what was typed";
    EXPECT_EQ(Line(kDEM), U"195,58");
    EXPECT_EQ(Line(kITL), U"193627");
    EXPECT_EQ(Line(kBEF), U"4034");
    EXPECT_DOUBLE_EQ(Calc().Amounts()[kDEM], 195.583);
    EXPECT_TRUE(Bold(kEUR));
    EXPECT_FALSE(Bold(kDEM));

    Calc().Execute(CalculatorCommand::Coin);
    EXPECT_EQ(Settings().CalculatorPrecision, 2);
    EXPECT_TRUE(Calc().IsChecked(CalculatorCommand::Coin));
    EXPECT_FALSE(Calc().IsChecked(CalculatorCommand::TransferUnit));
    EXPECT_EQ(Line(kITL), U"193650") << "a new precision shows at once";
    EXPECT_EQ(Line(kEUR), U"100");
}

TEST_F(CalculatorTest, HighPrecision) {
    Settings().CalculatorPrecision = 0;
    Calc().Show();
    EXPECT_TRUE(Calc().IsChecked(CalculatorCommand::HighPrecision));
    Type(kDEM, U"1");
    EXPECT_EQ(Line(kEUR), U"0,51129188119622");
    EXPECT_TRUE(Bold(kDEM));
    EXPECT_FALSE(Bold(kEUR));
    EXPECT_EQ(Calc().PreviousSource(), kDEM);

    Type(kEUR, U"10000000");
    EXPECT_EQ(Line(kDEM), U"19558300,0000000") << "seven decimals between 10^7 and 10^8";
}

TEST_F(CalculatorTest, OverflowInTheLinesWhileTheSourceKeepsItsText) {
    Calc().Show();
    Type(kEUR, U"100000000000");
    EXPECT_EQ(Line(kEUR), U"100000000000");
    EXPECT_EQ(Line(kDEM), U"195583000000,00");
    EXPECT_EQ(Line(kITL), U"Overflow") << "fifteen digits";

    Type(kEUR, U"1000000000000");
    EXPECT_EQ(Line(kEUR), U"1000000000000");
    EXPECT_EQ(Line(kDEM), U"Overflow");
    EXPECT_EQ(Line(kITL), U"Overflow") << "beyond 10^15";

    // Enter on an overflowing line converts nothing and selects the text.
    const int itl = Calc().SlotOf(kITL);
    Calc().TypeCharacter(itl, U'\r');
    EXPECT_EQ(Calc().SourceCurrency(), kEUR);
    EXPECT_EQ(Calc().Slot(itl).Field.Edit.Selection(), (EditSelection{0, 8}));
    EXPECT_EQ(Line(kITL), U"Overflow");
}

TEST_F(CalculatorTest, OverflowTextIsNeverEmpty) {
    translator_.texts["Overflow"] = U"";
    EXPECT_EQ(Calc().OverflowText(), U"Overflow");
    translator_.texts["Overflow"] =
        U"\xDC"
        U"berlauf";
    calc_.reset();
    EXPECT_EQ(Calc().OverflowText(),
              U"\xDC"
              U"berlauf");
}

TEST_F(CalculatorTest, WithoutSingleKeyUpdateEnterConverts) {
    Settings().CalculatorSingleKeyUpdate = false;
    Calc().Show();
    Type(kEUR, U"10");
    Calc().TypeCharacter(0, U'\r');
    ASSERT_EQ(Line(kDEM), U"19,56");

    Type(kDEM, U"100");
    EXPECT_EQ(Line(kDEM), U"100");
    for (int slot = 0; slot < kCalculatorSlots; ++slot) {
        if (slot != Calc().SlotOf(kDEM) && Calc().Slot(slot).Field.Visible) {
            EXPECT_EQ(Calc().Slot(slot).Field.Edit.Text(), U"") << "slot " << slot;
        }
    }
    EXPECT_EQ(Calc().SourceCurrency(), kDEM);
    EXPECT_TRUE(Bold(kDEM));
    EXPECT_FALSE(Bold(kEUR));
    EXPECT_DOUBLE_EQ(Calc().Amounts()[kEUR], 10) << "nothing converted yet";

    Calc().TypeCharacter(Calc().SlotOf(kDEM), U'\r');
    EXPECT_EQ(Line(kEUR), U"51,13");
    EXPECT_EQ(Line(kITL), U"99000");
    EXPECT_EQ(Line(kDEM), U"100");
    EXPECT_EQ(Calc().Slot(Calc().SlotOf(kDEM)).Field.Edit.Selection(), (EditSelection{0, 3}));
}

TEST_F(CalculatorTest, LayoutChangeKeepsEmptiedLinesWaitingForEnter) {
    Settings().CalculatorSingleKeyUpdate = false;
    Calc().Show();
    Type(kDEM, U"5,50");
    Calc().Execute(CalculatorCommand::HighPrecision);
    EXPECT_EQ(Line(kEUR), U"");
    EXPECT_EQ(Line(kDEM), U"5,50");

    // The typed text moves with its line when a line above it goes.
    Settings().CalculatorLine[kATS] = false;
    profile_.NotifySettingsChanged();
    EXPECT_EQ(Calc().SlotOf(kDEM), 2);
    EXPECT_EQ(Line(kDEM), U"5,50");
    EXPECT_EQ(Calc().FocusedSlot(), 2);
    EXPECT_EQ(Line(kBEF), U"");
    EXPECT_TRUE(Bold(kDEM));
    EXPECT_FALSE(Calc().Slot(3).Field.Bold);
}

TEST_F(CalculatorTest, OnlyTwoLines) {
    ShowOnly({kEUR, kDEM});
    Calc().Show();
    EXPECT_EQ(Calc().Slot(0).Field.Currency, kEUR);
    EXPECT_EQ(Calc().Slot(1).Field.Currency, kDEM);
    EXPECT_EQ(Calc().Slot(1).Code.Text, U"DEM");
    for (int slot = 2; slot < kCalculatorSlots; ++slot) {
        const LineSlot& s = Calc().Slot(slot);
        EXPECT_FALSE(s.Field.Visible || s.Code.Visible || s.Flag.Visible || s.Name.Visible ||
                     s.Rate.Visible)
            << "slot " << slot;
    }
    const CalculatorGeometry& design = Calc().Geometry();
    EXPECT_EQ(Calc().Height(), design.WindowHeight - 12 * design.RowPitch);
    EXPECT_EQ(Calc().SlotOf(kITL), -1);

    ShowOnly({});
    Calc().UpdateLayout();
    EXPECT_EQ(Calc().Height(), design.WindowHeight - 14 * design.RowPitch);
    EXPECT_EQ(Calc().FocusedSlot(), -1);
}

TEST_F(CalculatorTest, Columns) {
    Settings().CalculatorColCurrencyNames = true;
    Calc().Show();
    const LineSlot& slot = Calc().Slot(3);
    EXPECT_EQ(slot.Code.Left, 156);
    EXPECT_EQ(slot.Flag.Left, 198);
    EXPECT_EQ(slot.Flag.Country, U"DE");
    EXPECT_EQ(slot.Name.Left, 237);
    EXPECT_EQ(slot.Name.Text, U"deutsche Mark");
    EXPECT_EQ(slot.Rate.Left, 414);
    EXPECT_EQ(Calc().Width(), 477);

    Settings().CalculatorColFlags = false;
    Settings().CalculatorColCurrencyNames = false;
    Calc().UpdateLayout();
    EXPECT_FALSE(slot.Flag.Visible);
    EXPECT_EQ(slot.Rate.Left, 198) << "a hidden column takes no room";
    EXPECT_EQ(Calc().Width(), 261);

    Settings().CalculatorColCurrencySymbols = false;
    Settings().CalculatorColCurrencyRates = false;
    Calc().UpdateLayout();
    EXPECT_TRUE(slot.Field.Visible);
    EXPECT_FALSE(slot.Code.Visible || slot.Flag.Visible || slot.Name.Visible || slot.Rate.Visible);
    EXPECT_EQ(Calc().Width(), 8 + 141 + 7 + (481 - 418 - 60)) << "field and right margin";
}

TEST_F(CalculatorTest, RatesAndNamesInTheSystemLanguage) {
    system_.languageId = 0x0413;  // Dutch, whatever the interface language
    Settings().CalculatorColCurrencyNames = true;
    Calc().Show();
    EXPECT_EQ(Calc().Slot(kATS).Rate.Text, U"13,7603");
    EXPECT_EQ(Calc().Slot(kITL).Rate.Text, U"1936,27");
    EXPECT_EQ(Calc().Slot(kEUR).Rate.Text, U"1");
    EXPECT_EQ(Calc().Slot(kDEM).Name.Text, U"Duitse mark");
}

TEST_F(CalculatorTest, NamesOfTheLaterEuroLanguages) {
    const struct {
        std::uint16_t languageId;
        std::u32string_view name;
    } rows[] = {
        {0x0402, U"Германска марка"},
        {0x041A, U"Njemačka marka"},
        {0x081A, U"German Marks"},  // Serbian shares Croatian's primary language only
    };
    for (const auto& row : rows) {
        system_.languageId = row.languageId;
        calc_.reset();
        Settings().CalculatorColCurrencyNames = true;
        Calc().Show();
        EXPECT_EQ(Calc().Slot(kDEM).Name.Text, row.name) << row.languageId;
    }
}

TEST_F(CalculatorTest, CustomCurrencyWithRate) {
    Settings().CalculatorLine[kCUS1] = true;
    Settings().CustomCurrencySymbol[0] = U"XAG";
    Settings().CustomCurrencyName[0] = U"Silber";
    Settings().CustomCurrencyRate[0] = U"0,25";
    Calc().Show();
    const int slot = Calc().SlotOf(kCUS1);
    EXPECT_EQ(slot, 11);
    EXPECT_EQ(Calc().Slot(slot).Code.Text, U"XAG");
    EXPECT_EQ(Calc().Slot(slot).Name.Text, U"Silber");
    EXPECT_EQ(Calc().Slot(slot).Flag.Country, U"");
    EXPECT_EQ(Calc().Slot(slot).Rate.Text, U"0,25");

    Type(kEUR, U"100");
    EXPECT_EQ(Line(kCUS1), U"25,00");
    Type(kCUS1, U"1");
    EXPECT_EQ(Line(kEUR), U"4,00");
    EXPECT_EQ(Line(kDEM), U"7,82");
}

TEST_F(CalculatorTest, CustomCurrencyWithoutRate) {
    Settings().CalculatorLine[kCUS2] = true;
    Settings().CustomCurrencySymbol[1] = U"ABC";
    Calc().Show();
    Type(kEUR, U"100");
    EXPECT_EQ(Line(kCUS2), U"0,00") << "a target without a rate shows 0";

    Type(kCUS2, U"5");
    EXPECT_EQ(Line(kCUS2), U"5");
    EXPECT_EQ(Line(kEUR), U"-1,00");
    EXPECT_EQ(Line(kDEM), U"-1,00");
    EXPECT_EQ(Line(kITL), U"-1");
    for (double amount : Calc().Amounts())
        EXPECT_EQ(amount, -1);

    Calc().ShowAmount(kCUS2, true, 5);
    EXPECT_EQ(Line(kCUS2), U"-1") << "the source's own amount is -1 as well";
}

TEST_F(CalculatorTest, ShowAmountForACurrencyWithoutALine) {
    Settings().CalculatorLine[kDEM] = false;
    Calc().Show();
    Calc().ShowAmount(kDEM, true, 100);
    EXPECT_EQ(Calc().SourceCurrency(), kDEM);
    EXPECT_EQ(Line(kEUR), U"51,13");
    EXPECT_EQ(Line(kFRF), U"335,39");
    for (int slot = 0; slot < kCalculatorSlots; ++slot) {
        EXPECT_NE(Calc().Slot(slot).Field.Edit.Text(), U"100");
        EXPECT_FALSE(Calc().Slot(slot).Field.Bold) << "slot " << slot;
    }

    // When its line comes back, it shows the amount.
    Settings().CalculatorLine[kDEM] = true;
    profile_.NotifySettingsChanged();
    EXPECT_EQ(Line(kDEM), U"100");
    EXPECT_TRUE(Bold(kDEM));
}

TEST_F(CalculatorTest, ShowAmountFromOutside) {
    Calc().ShowAmount(kDEM, true, 12.5);
    EXPECT_FALSE(Calc().Visible()) << "callers show the window themselves";
    EXPECT_EQ(Line(kDEM), U"12,5");
    EXPECT_EQ(Line(kEUR), U"6,39");
    EXPECT_EQ(Calc().FocusedSlot(), -1) << "no focus in a hidden window";

    Calc().Show();
    Calc().ShowAmount(kITL, true, 1936.27);
    EXPECT_EQ(Line(kITL), U"1936,27");
    EXPECT_EQ(Line(kEUR), U"1,00");
    EXPECT_EQ(Calc().FocusedSlot(), Calc().SlotOf(kITL));
    EXPECT_EQ(Calc().Slot(kITL).Field.Edit.Selection(), (EditSelection{0, 7}));

    Calc().ShowAmount(kNoCurrency, true, 5);
    EXPECT_EQ(Calc().SourceCurrency(), kITL) << "no currency is ignored";
}

TEST_F(CalculatorTest, PastedTextThatIsNoNumberConvertsAsZero) {
    Calc().Show();
    Type(kEUR, U"100");
    Calc().FieldEdited(0, U"abc", {3, 0});
    EXPECT_EQ(Line(kEUR), U"abc");
    EXPECT_EQ(Line(kDEM), U"0,00");
}

TEST_F(CalculatorTest, ArrowsWrapOverTheShownLines) {
    ShowOnly({kEUR, kDEM, kITL});
    Calc().Show();
    EXPECT_TRUE(Calc().EditKeyDown(2, CalculatorKey::Down, {}));
    EXPECT_EQ(Calc().FocusedSlot(), 0);
    EXPECT_TRUE(Calc().EditKeyDown(0, CalculatorKey::Up, {.Shift = true}));
    EXPECT_EQ(Calc().FocusedSlot(), 2);
    EXPECT_TRUE(Calc().EditKeyDown(0, CalculatorKey::Down, {}));
    EXPECT_EQ(Calc().FocusedSlot(), 1);
    EXPECT_EQ(Calc().Slot(1).Field.Edit.Selection().Length,
              Calc().Slot(1).Field.Edit.Text().size());

    ShowOnly({kDEM});
    Calc().UpdateLayout();
    EXPECT_TRUE(Calc().EditKeyDown(0, CalculatorKey::Down, {}));
    EXPECT_EQ(Calc().FocusedSlot(), 0) << "the only line keeps the focus";
}

TEST_F(CalculatorTest, ClipboardKeysAndActions) {
    Calc().Show();
    struct KeyCase {
        CalculatorKey key;
        KeyModifiers modifiers;
        int skips;
    };
    const KeyCase cases[] = {
        {CalculatorKey::C, {.Ctrl = true}, 1},
        {CalculatorKey::X, {.Ctrl = true}, 1},
        {CalculatorKey::Insert, {.Ctrl = true}, 1},
        {CalculatorKey::Delete, {.Shift = true}, 1},
        {CalculatorKey::Other, {.Ctrl = true}, 0},  // Ctrl+V
        {CalculatorKey::C, {.Shift = true, .Ctrl = true}, 0},
        {CalculatorKey::C, {}, 0},
        {CalculatorKey::Delete, {}, 0},
        {CalculatorKey::Insert, {.Shift = true}, 0},  // paste
    };
    for (const KeyCase& c : cases) {
        clipboard_.skipRequests = 0;
        EXPECT_FALSE(Calc().EditKeyDown(0, c.key, c.modifiers)) << "never consumed";
        EXPECT_EQ(clipboard_.skipRequests, c.skips) << static_cast<int>(c.key);
    }

    clipboard_.skipRequests = 0;
    Calc().ActionList1Execute(EditAction::Copy);
    Calc().ActionList1Execute(EditAction::Cut);
    EXPECT_EQ(clipboard_.skipRequests, 2);
    Calc().ActionList1Execute(EditAction::Paste);
    EXPECT_EQ(clipboard_.skipRequests, 2);
}

TEST_F(CalculatorTest, EscapeHidesAndTheNextShowingRepeatsTheLastConversion) {
    Calc().Show();
    Type(kDEM, U"100");
    Calc().SetLeft(120);
    Calc().SetTop(-30);
    Calc().TypeCharacter(Calc().SlotOf(kDEM), U'\x1B');
    EXPECT_FALSE(Calc().Visible());
    EXPECT_EQ(Line(kDEM), U"100");
    EXPECT_EQ(store_.ReadString(U"General", U"CalculatorFormXPos"), U"120");
    EXPECT_EQ(store_.ReadString(U"General", U"CalculatorFormYPos"), U"-30");
    EXPECT_FALSE(profile_.CalculatorLayoutCallback().IsSet());

    Calc().SetLeft(0);
    Calc().SetTop(0);
    Calc().Show();
    EXPECT_EQ(Calc().Left(), 120);
    EXPECT_EQ(Calc().Top(), -30);
    EXPECT_EQ(Line(kDEM), U"100");
    EXPECT_EQ(Line(kEUR), U"51,13");
    EXPECT_EQ(Calc().FocusedSlot(), Calc().SlotOf(kDEM));
    EXPECT_TRUE(profile_.CalculatorLayoutCallback().IsSet());
}

TEST_F(CalculatorTest, SettingsChangesReachTheShownWindowOnly) {
    Calc().Show();
    Settings().CalculatorLine[kATS] = false;
    profile_.NotifySettingsChanged();
    EXPECT_EQ(Calc().Slot(1).Field.Currency, kBEF);
    EXPECT_EQ(Calc().Slot(10).Field.Visible, false);

    Calc().Execute(CalculatorCommand::Close);
    EXPECT_FALSE(Calc().Visible());
    Settings().CalculatorLine[kATS] = true;
    profile_.NotifySettingsChanged();
    EXPECT_EQ(Calc().Slot(1).Field.Currency, kBEF) << "a hidden window is laid out on showing";
    Calc().Show();
    EXPECT_EQ(Calc().Slot(1).Field.Currency, kATS);

    calc_.reset();
    EXPECT_FALSE(profile_.CalculatorLayoutCallback().IsSet());
}

TEST_F(CalculatorTest, MenuDoubleClickAndHelp) {
    Calc().Show();
    Calc().FormDblClick();
    Calc().Execute(CalculatorCommand::Settings);
    EXPECT_EQ(settingsWindow_.shown,
              (std::vector<SettingsPage>{SettingsPage::Calculator, SettingsPage::Calculator}));
    Calc().Execute(CalculatorCommand::HelpTopic);
    Calc().Execute(CalculatorCommand::HelpContents);
    EXPECT_EQ(help_.calls, (std::vector<std::string>{"topic 1100", "contents"}));
    Calc().Execute(CalculatorCommand::About);
    EXPECT_EQ(about_.shown, 1);

    const CalculatorCommand precisions[] = {
        CalculatorCommand::HighPrecision, CalculatorCommand::TransferUnit, CalculatorCommand::Coin,
        CalculatorCommand::CurrencySettings};
    for (int mode = 0; mode < 4; ++mode) {
        Calc().Execute(precisions[mode]);
        EXPECT_EQ(Settings().CalculatorPrecision, mode);
        for (int other = 0; other < 4; ++other)
            EXPECT_EQ(Calc().IsChecked(precisions[other]), other == mode);
    }
    Settings().CalculatorPrecision = 7;
    Calc().UpdateLayout();
    EXPECT_EQ(Calc().CheckedPrecision(), std::nullopt);
}

// The window learns of every change made from outside, once per operation, and is asked
// to come to the front on every show, also when it is open already.
TEST_F(CalculatorTest, TheViewFollowsOutsideChanges) {
    struct View final : CalculatorView {
        std::vector<std::u32string> calls;
        void ModelChanged() override { calls.emplace_back(U"changed"); }
        void BringToFront() override { calls.emplace_back(U"front"); }
    } view;
    Calc().SetView(&view);
    Calc().Show();
    EXPECT_EQ(view.calls, (std::vector<std::u32string>{U"changed", U"front"}));
    view.calls.clear();
    Calc().ShowAmount(kDEM, true, 100);
    profile_.NotifySettingsChanged();
    Calc().Show();
    Calc().Hide();
    EXPECT_EQ(view.calls, (std::vector<std::u32string>{U"changed", U"changed", U"changed", U"front",
                                                       U"changed"}));
    Calc().SetView(nullptr);
    Calc().Show();
    EXPECT_EQ(view.calls.size(), 5u);
}

TEST_F(CalculatorTest, EntriesOfMissingWindowsAreUnavailable) {
    struct Missing final : SettingsWindow, AboutWindow {
        void ShowSettings(SettingsPage) override {}
        bool SettingsAvailable() const override { return false; }
        void ShowAbout() override {}
        bool AboutAvailable() const override { return false; }
    } missing;
    CalculatorModel calc(profile_, currencies_, system_, translator_, store_, clipboard_, missing,
                         missing, help_);
    EXPECT_FALSE(calc.CommandAvailable(CalculatorCommand::Settings));
    EXPECT_FALSE(calc.CommandAvailable(CalculatorCommand::About));
    EXPECT_TRUE(calc.CommandAvailable(CalculatorCommand::HelpTopic));
    EXPECT_TRUE(Calc().CommandAvailable(CalculatorCommand::Settings));
}

}  // namespace
}  // namespace kassavero
