// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Hotkey values as the profile stores them: the Windows virtual-key code in the low byte,
// 0x2000 for Shift, 0x4000 for Ctrl and 0x8000 for Alt, and the identifiers of the two
// global hotkeys. The tables here translate the
// virtual-key code to and from the X11 keysym (for the global key grab) and Qt's key
// number (for the hotkey fields), both as plain integers so that this stays free of Qt
// and X11 headers.

#include <cstdint>

namespace kassavero {

inline constexpr int kHotkeyShift = 0x2000;
inline constexpr int kHotkeyCtrl = 0x4000;
inline constexpr int kHotkeyAlt = 0x8000;

// The identifiers the two global hotkeys are registered under.
inline constexpr int kCalculatorHotkeyId = 1000;
inline constexpr int kClipboardHotkeyId = 1010;

struct HotkeyParts {
    int VirtualKey = 0;  // 0: no key
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;

    bool operator==(const HotkeyParts&) const = default;
};

HotkeyParts DecodeHotkey(int code);
int EncodeHotkey(const HotkeyParts& parts);

// A hotkey field takes only combinations with Ctrl and Alt: whatever modifiers the user
// held, Ctrl and Alt are added (Shift is kept). 0 for a key the program cannot grab.
int ForceCtrlAlt(const HotkeyParts& pressed);

// The X11 keysym of a virtual-key code, 0 for none. Letters give their lower-case keysym.
std::uint32_t VirtualKeyToKeysym(int virtualKey);
// The virtual-key code of a keysym (either letter case), 0 for none.
int KeysymToVirtualKey(std::uint32_t keysym);

// Qt's key number (Qt::Key) of a virtual-key code, 0 for none. The number-pad keys give
// the plain key; keypad() tells the caller to add the keypad modifier.
int VirtualKeyToQtKey(int virtualKey, bool* keypad = nullptr);
// The virtual-key code of a Qt key number; keypad is true when the key came from the
// number pad. 0 for a key that has none (modifiers alone, unknown keys).
int QtKeyToVirtualKey(int qtKey, bool keypad = false);

}  // namespace kassavero
