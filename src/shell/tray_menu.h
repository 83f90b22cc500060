// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The tray icon's menu and the two global hotkeys, without any widget: which entries
// the menu has and in what order, what each does, the profile submenu, and the hotkey
// registrations that follow the settings. The Qt tray shows this state and hands the
// user's clicks back.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/translator.h"
#include "platform/global_hotkeys.h"

namespace kassavero {

class ActiveProfile;
class AboutWindow;
class CalculatorAccess;
class ClipboardScanner;
class Help;
class MessageLoop;
class ProfileManager;
class SettingsWindow;

enum class TrayAction {
    ShowCalculator,
    ScanClipboard,
    Settings,
    Profiles,  // the submenu
    Help,
    About,
    Quit,
    None,  // a separator
};

struct TrayMenuEntry {
    TrayAction action;
    // Translation key of the caption (a UTF-8 literal, as keys are written in the
    // sources); empty for a separator.
    std::string_view key;
};

// The menu in its order, separators included.
inline constexpr std::array<TrayMenuEntry, 10> kTrayMenu{{
    {TrayAction::ShowCalculator, TrKey("WährungsrechnerAnzeigenMenuitem")},
    {TrayAction::ScanClipboard, TrKey("ZwischenablageDurchsuchenMenuitem")},
    {TrayAction::None, ""},
    {TrayAction::Settings, TrKey("EinstellungenMenuitem")},
    {TrayAction::Profiles, TrKey("ProfilAktivierenMenuitem")},
    {TrayAction::None, ""},
    {TrayAction::Help, TrKey("HilfeMenuitem")},
    {TrayAction::About, TrKey("InfoÜberMenuItem")},
    {TrayAction::None, ""},
    {TrayAction::Quit, TrKey("BeendenMenuItem")},
}};
// The bold entry that a double click on the icon runs.
inline constexpr TrayAction kTrayDefaultAction = TrayAction::Settings;

class Registry;

// Started on a desktop without a notification area, the program has no icon. Whether to
// tell the user in a message: once, and only on a screen someone looks at. Marks the
// store so that the message is not shown again.
bool FirstStartWithoutTray(Registry& store, bool screenWatched);

class TrayMenu {
  public:
    struct Services {
        ActiveProfile& profile;
        ProfileManager& profiles;
        SettingsWindow& settingsWindow;
        CalculatorAccess& calculator;
        // The calculator's layout from the settings; run after showing it from the menu.
        std::function<void()> updateCalculatorLayout;
        ClipboardScanner& clipboard;
        Help& help;
        AboutWindow& about;
        GlobalHotkeys& hotkeys;
        MessageLoop& messageLoop;
        // Asks whether open sessions may be dropped; true when the program may end.
        std::function<bool()> confirmQuit;
        // Ends the event loop.
        std::function<void()> quit;
    };

    // Builds the profile submenu, ticks the active profile, registers the hotkeys and
    // subscribes to the settings' notifications for all three.
    explicit TrayMenu(Services services);
    // Unsubscribes and gives the hotkeys back.
    ~TrayMenu();
    TrayMenu(const TrayMenu&) = delete;
    TrayMenu& operator=(const TrayMenu&) = delete;

    // Registers both hotkeys anew from the settings.
    void RegisterHotkeys();
    // One entry per profile, in the list's order.
    void BuildProfileMenu();
    // Ticks the entry of the active profile only.
    void MarkActiveProfile();

    const std::vector<std::u32string>& ProfileEntries() const { return profileEntries_; }
    // The ticked entry, -1 for none.
    int CheckedProfile() const { return checkedProfile_; }
    // The shortcut value a menu entry shows (0 for none): the calculator and the
    // clipboard entries show their hotkey while it is switched on.
    int ShownShortcut(TrayAction action) const;
    // Whether the last registration of the hotkey was taken by the desktop.
    bool HotkeyRegistered(int id) const;

    // A click on a menu entry, on a profile entry, a double click on the icon, and a
    // global hotkey.
    void Execute(TrayAction action);
    void ProfileClicked(int index);
    void DoubleClicked();
    // false for an identifier that is not one of ours.
    bool HotkeyPressed(int id);

    // Called after the menu's state changed (entries, ticks, shortcuts).
    void SetChangedHandler(std::function<void()> handler) { changed_ = std::move(handler); }

  private:
    void Changed() const;

    Services services_;
    std::vector<std::u32string> profileEntries_;
    int checkedProfile_ = -1;
    int calculatorShortcut_ = 0;
    int clipboardShortcut_ = 0;
    bool calculatorRegistered_ = false;
    bool clipboardRegistered_ = false;
    std::function<void()> changed_;
};

}  // namespace kassavero
