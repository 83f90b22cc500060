#pragma once

// The two global hotkeys as the settings store them: a shortcut value with the
// virtual-key code in the low byte and the flags kHotkeyShift, kHotkeyCtrl, kHotkeyAlt
// (settings/profile_settings.h). Menus and the settings window show them in Qt's key
// names (settings/qt_hotkey_edit.h), in the language of the interface.

namespace kassavero {

inline constexpr int kCalculatorHotkeyId = 1000;
inline constexpr int kClipboardHotkeyId = 1010;

struct HotkeyCombination {
    unsigned modifiers = 0;  // hotkey_mod flags
    unsigned virtualKey = 0;
    bool operator==(const HotkeyCombination&) const = default;
};

// The registration flags and key of a shortcut value.
HotkeyCombination HotkeyFromShortcut(int shortcut);

}  // namespace kassavero
