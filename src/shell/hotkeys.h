#pragma once

// The two global hotkeys as the settings store them: a shortcut value with the
// virtual-key code in the low byte and the flags kHotkeyShift, kHotkeyCtrl, kHotkeyAlt
// (settings/profile_settings.h).

#include <cstdint>
#include <string>
#include <string_view>

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

// The key's name as menus show it ("W", "F5", "Space"); empty for an unknown code.
std::string VirtualKeyName(unsigned virtualKey);

// "Ctrl+Alt+W": the modifiers in the order Ctrl, Alt, Shift, then the key; empty for a
// value without a key. The names of Ctrl and Shift differ by language ("Strg", "Umschalt").
std::string ShortcutText(int shortcut, std::string_view ctrlName = "Ctrl",
                         std::string_view shiftName = "Shift");

}  // namespace kassavero
