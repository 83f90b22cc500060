// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/tray_menu.h"

#include "calculator/calculator_access.h"
#include "core/hotkeys.h"
#include "platform/global_hotkeys.h"
#include "platform/help.h"
#include "platform/message_loop.h"
#include "platform/program_windows.h"
#include "platform/registry.h"
#include "settings/active_profile.h"
#include "settings/profile_manager.h"
#include "settings/transfer_ini_file.h"

namespace kassavero {

bool FirstStartWithoutTray(Registry& store, bool screenWatched) {
    constexpr std::u32string_view kSeen = U"TrayUnavailableInfoSeen";
    if (!screenWatched || store.ReadString(kGeneralSection, kSeen).value_or(U"0") == U"1")
        return false;
    RegistryUpdate update(store);
    store.WriteString(kGeneralSection, kSeen, U"1");
    return true;
}

TrayMenu::TrayMenu(Services services) : services_(std::move(services)) {
    BuildProfileMenu();
    MarkActiveProfile();
    services_.hotkeys.SetPressedHandler([this](int id) { HotkeyPressed(id); });
    RegisterHotkeys();
    ActiveProfile& profile = services_.profile;
    profile.HotkeysCallback().Set([this](ActiveProfile&) { RegisterHotkeys(); });
    profile.ProfileListCallback().Set([this](ActiveProfile&) { BuildProfileMenu(); });
    profile.ActiveProfileCallback().Set([this](ActiveProfile&) { MarkActiveProfile(); });
}

TrayMenu::~TrayMenu() {
    ActiveProfile& profile = services_.profile;
    profile.HotkeysCallback().Clear();
    profile.ProfileListCallback().Clear();
    profile.ActiveProfileCallback().Clear();
    services_.hotkeys.Unregister(kCalculatorHotkeyId);
    services_.hotkeys.Unregister(kClipboardHotkeyId);
    services_.hotkeys.SetPressedHandler({});
}

void TrayMenu::RegisterHotkeys() {
    GlobalHotkeys& hotkeys = services_.hotkeys;
    hotkeys.Unregister(kCalculatorHotkeyId);
    hotkeys.Unregister(kClipboardHotkeyId);
    const ProfileSettings& settings = services_.profile.Settings();

    // A refused registration is not reported; the entry still shows the shortcut.
    const auto registerOne = [&hotkeys](int id, bool use, int shortcut, int& shown,
                                        bool& registered) {
        shown = use ? shortcut : 0;
        registered = false;
        if (!use)
            return;
        const HotkeyCombination combination = HotkeyFromShortcut(shortcut);
        registered = hotkeys.Register(id, combination.modifiers, combination.virtualKey);
    };
    registerOne(kCalculatorHotkeyId, settings.CalculatorUseHotkey, settings.CalculatorHotkey,
                calculatorShortcut_, calculatorRegistered_);
    registerOne(kClipboardHotkeyId, settings.ClipboardUseHotkey, settings.ClipboardHotkey,
                clipboardShortcut_, clipboardRegistered_);
    Changed();
}

void TrayMenu::BuildProfileMenu() {
    profileEntries_ = services_.profile.ProfileNames();
    // Ticking is MarkActiveProfile's; a rebuilt list starts without a tick.
    checkedProfile_ = -1;
    Changed();
}

void TrayMenu::MarkActiveProfile() {
    const int active = services_.profile.ActiveProfileIndex();
    checkedProfile_ =
        active >= 0 && static_cast<std::size_t>(active) < profileEntries_.size() ? active : -1;
    Changed();
}

int TrayMenu::ShownShortcut(TrayAction action) const {
    switch (action) {
        case TrayAction::ShowCalculator:
            return calculatorShortcut_;
        case TrayAction::ScanClipboard:
            return clipboardShortcut_;
        default:
            return 0;
    }
}

bool TrayMenu::HotkeyRegistered(int id) const {
    if (id == kCalculatorHotkeyId)
        return calculatorRegistered_;
    if (id == kClipboardHotkeyId)
        return clipboardRegistered_;
    return false;
}

void TrayMenu::Execute(TrayAction action) {
    switch (action) {
        case TrayAction::ShowCalculator:
            if (!services_.calculator.Visible())
                services_.calculator.Show();
            if (services_.updateCalculatorLayout)
                services_.updateCalculatorLayout();
            break;
        case TrayAction::ScanClipboard:
            services_.clipboard.ScanClipboard(true);
            break;
        case TrayAction::Settings:
            services_.settingsWindow.ShowSettings(SettingsPage::Current);
            break;
        case TrayAction::Help:
            services_.help.ShowContents();
            break;
        case TrayAction::About:
            services_.about.ShowAbout();
            break;
        case TrayAction::Quit:
            if (services_.confirmQuit && !services_.confirmQuit())
                return;
            services_.messageLoop.ProcessPendingMessages();
            if (services_.quit)
                services_.quit();
            break;
        case TrayAction::Profiles:
        case TrayAction::None:
            break;
    }
}

void TrayMenu::ProfileClicked(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= profileEntries_.size())
        return;
    // Activation selects the entry in the settings window's list as well.
    services_.profiles.ActivateProfile(index);
}

void TrayMenu::DoubleClicked() {
    Execute(kTrayDefaultAction);
}

bool TrayMenu::HotkeyPressed(int id) {
    if (id == kCalculatorHotkeyId) {
        // A calculator already on the screen is left as it is.
        if (!services_.calculator.Visible())
            services_.calculator.Show();
        return true;
    }
    if (id == kClipboardHotkeyId) {
        services_.clipboard.ScanClipboard(true);
        return true;
    }
    return false;
}

void TrayMenu::Changed() const {
    if (changed_)
        changed_();
}

}  // namespace kassavero
