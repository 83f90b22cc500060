// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/global_hotkeys.h"

#include "core/hotkeys.h"

namespace kassavero {

HotkeyCombination HotkeyFromShortcut(int shortcut) {
    const HotkeyParts parts = DecodeHotkey(shortcut);
    HotkeyCombination combination;
    if (parts.Shift)
        combination.modifiers |= hotkey_mod::kShift;
    if (parts.Ctrl)
        combination.modifiers |= hotkey_mod::kControl;
    if (parts.Alt)
        combination.modifiers |= hotkey_mod::kAlt;
    combination.virtualKey = static_cast<unsigned>(parts.VirtualKey);
    return combination;
}

}  // namespace kassavero
