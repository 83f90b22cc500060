// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/tray_menu.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include "core/hotkeys.h"
#include "fakes/fake_about_window.h"
#include "fakes/fake_calculator_access.h"
#include "fakes/fake_global_hotkeys.h"
#include "fakes/fake_help.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_message_loop.h"
#include "fakes/fake_name_input.h"
#include "fakes/fake_settings_window.h"
#include "fakes/fake_system_info.h"
#include "fakes/fake_translator.h"
#include "fakes/temp_dir.h"
#include "platform/global_hotkeys.h"
#include "platform/program_windows.h"
#include "platform/registry_file.h"
#include "settings/active_profile.h"
#include "settings/profile_manager.h"

namespace kassavero {
namespace {

using ::testing::ElementsAre;
using testing::FakeGlobalHotkeys;

struct RecordingScanner final : ClipboardScanner {
    std::vector<bool> scans;
    void ScanClipboard(bool verbose) override { scans.push_back(verbose); }
};

class TrayMenuTest : public ::testing::Test {
  protected:
    TrayMenuTest()
        : store_(temp_.Path() / U"Kassavero"),
          profiles_(profile_, store_, system_, translator_, boxes_, nameInput_) {
        profiles_.LoadAtStartUp(U"Deutsch");
        menu_ = std::make_unique<TrayMenu>(TrayMenu::Services{
            profile_, profiles_, settings_, calculator_, [this] { ++layouts_; }, scanner_, help_,
            about_, hotkeys_, loop_, [this] { return quitAllowed_; }, [this] { ++quits_; }});
    }

    void SaveAs(const std::u32string& name) {
        nameInput_.answer = name;
        profiles_.SaveProfileAs();
    }

    testing::TempDir temp_;
    RegistryFile store_;
    ActiveProfile profile_;
    testing::FakeSystemInfo system_;
    testing::FakeTranslator translator_;
    testing::FakeMessageBoxes boxes_;
    testing::FakeNameInput nameInput_;
    ProfileManager profiles_;
    testing::FakeSettingsWindow settings_;
    testing::FakeCalculatorAccess calculator_;
    RecordingScanner scanner_;
    testing::FakeHelp help_;
    testing::FakeAboutWindow about_;
    FakeGlobalHotkeys hotkeys_;
    testing::FakeMessageLoop loop_;
    bool quitAllowed_ = true;
    int quits_ = 0;
    int layouts_ = 0;
    std::unique_ptr<TrayMenu> menu_;
};

TEST_F(TrayMenuTest, ProfileSubmenuFollowsSavingAndActivation) {
    SaveAs(U"Privat");
    SaveAs(U"Firma");
    EXPECT_THAT(menu_->ProfileEntries(), ElementsAre(U"[Unbenannt]", U"Privat", U"Firma"));
    EXPECT_EQ(menu_->CheckedProfile(), 2);

    menu_->ProfileClicked(1);
    EXPECT_EQ(profile_.Name(), U"Privat");
    EXPECT_EQ(menu_->CheckedProfile(), 1);
    EXPECT_EQ(profiles_.SelectedIndex(), 1);  // selected in the settings window's list

    // Saving the active profile again moves it to the end; the tick goes with it.
    nameInput_.answer = U"Privat";
    boxes_.answers = {kIdYes};
    profiles_.SaveProfileAs();
    EXPECT_THAT(menu_->ProfileEntries(), ElementsAre(U"[Unbenannt]", U"Firma", U"Privat"));
    EXPECT_EQ(menu_->CheckedProfile(), 2);
}

TEST_F(TrayMenuTest, QuitOnlyWhenTheUserAgrees) {
    quitAllowed_ = false;
    menu_->Execute(TrayAction::Quit);
    EXPECT_EQ(quits_, 0);
    quitAllowed_ = true;
    menu_->Execute(TrayAction::Quit);
    EXPECT_EQ(quits_, 1);
    EXPECT_EQ(loop_.processCalls, 1);  // waiting events run before the loop ends
}

TEST_F(TrayMenuTest, HotkeysFollowTheSettings) {
    using R = FakeGlobalHotkeys::Registration;
    const unsigned ctrlAlt = hotkey_mod::kControl | hotkey_mod::kAlt;
    EXPECT_EQ(hotkeys_.registered.at(kCalculatorHotkeyId), (R{ctrlAlt, U'W'}));
    EXPECT_EQ(hotkeys_.registered.at(kClipboardHotkeyId), (R{ctrlAlt, U'Z'}));
    EXPECT_EQ(menu_->ShownShortcut(TrayAction::ShowCalculator), kHotkeyCtrl | kHotkeyAlt | U'W');

    // Changed in the settings window and applied: registered anew at once.
    ProfileSettings& settings = profile_.MutableSettings();
    settings.CalculatorUseHotkey = false;
    settings.ClipboardHotkey = kHotkeyCtrl | kHotkeyAlt | kHotkeyShift | 0x75;  // F6
    profile_.NotifySettingsChanged();
    EXPECT_EQ(hotkeys_.registered.count(kCalculatorHotkeyId), 0u);
    EXPECT_EQ(menu_->ShownShortcut(TrayAction::ShowCalculator), 0);
    EXPECT_EQ(hotkeys_.registered.at(kClipboardHotkeyId), (R{ctrlAlt | hotkey_mod::kShift, 0x75}));
    EXPECT_EQ(menu_->ShownShortcut(TrayAction::ScanClipboard), settings.ClipboardHotkey);

    // A combination another program holds is not reported; the entry still shows it.
    hotkeys_.taken.insert(U'Q');
    settings.CalculatorUseHotkey = true;
    settings.CalculatorHotkey = kHotkeyCtrl | kHotkeyAlt | U'Q';
    profile_.NotifySettingsChanged();
    EXPECT_FALSE(menu_->HotkeyRegistered(kCalculatorHotkeyId));
    EXPECT_EQ(menu_->ShownShortcut(TrayAction::ShowCalculator), settings.CalculatorHotkey);

    menu_.reset();  // shut-down gives both back and unsubscribes
    EXPECT_TRUE(hotkeys_.registered.empty());
    EXPECT_FALSE(profile_.HotkeysCallback().IsSet());
}

TEST_F(TrayMenuTest, HotkeyActions) {
    hotkeys_.pressed(kCalculatorHotkeyId);
    EXPECT_TRUE(calculator_.visible);
    hotkeys_.pressed(kClipboardHotkeyId);
    EXPECT_THAT(scanner_.scans, ElementsAre(true));  // verbose, as from the menu
    EXPECT_FALSE(menu_->HotkeyPressed(1234));
}

TEST(Hotkeys, RegistrationFlags) {
    EXPECT_EQ(HotkeyFromShortcut(0xC057),
              (HotkeyCombination{hotkey_mod::kControl | hotkey_mod::kAlt, U'W'}));
}

}  // namespace
}  // namespace kassavero

namespace kassavero {
namespace {

TEST(MissingTray, TheMessageIsShownOnceAndOnlyOnAWatchedScreen) {
    testing::TempDir temp;
    RegistryFile store(temp.Path());
    EXPECT_FALSE(FirstStartWithoutTray(store, false));  // offscreen: not even marked
    EXPECT_TRUE(FirstStartWithoutTray(store, true));
    EXPECT_FALSE(FirstStartWithoutTray(store, true));
    RegistryFile nextStart(temp.Path());
    EXPECT_FALSE(FirstStartWithoutTray(nextStart, true));
}

}  // namespace
}  // namespace kassavero
