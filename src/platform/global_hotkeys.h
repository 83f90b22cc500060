// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// System-wide hotkeys: a key combination that reaches the program whatever window has
// the keyboard. Where the desktop offers no such thing (Wayland, no display), a
// registration simply fails.

#include <functional>

namespace kassavero {

// Modifier flags of a registration.
namespace hotkey_mod {
inline constexpr unsigned kAlt = 1;
inline constexpr unsigned kControl = 2;
inline constexpr unsigned kShift = 4;
}  // namespace hotkey_mod

// The registration flags and key of a stored hotkey value (core/hotkeys.h).
struct HotkeyCombination {
    unsigned modifiers = 0;  // hotkey_mod flags
    unsigned virtualKey = 0;
    bool operator==(const HotkeyCombination&) const = default;
};
HotkeyCombination HotkeyFromShortcut(int shortcut);

class GlobalHotkeys {
  public:
    virtual ~GlobalHotkeys() = default;
    // Registers the combination of modifier flags and virtual-key code under the
    // identifier; false when the desktop refuses it (taken by another program, or no
    // hotkeys at all).
    virtual bool Register(int id, unsigned modifiers, unsigned virtualKey) = 0;
    // Removes the registration, if there is one.
    virtual void Unregister(int id) = 0;
    // Called with the identifier whenever a registered combination is pressed.
    virtual void SetPressedHandler(std::function<void(int id)> handler) = 0;
};

// For desktops without global hotkeys: every registration fails.
class NoGlobalHotkeys final : public GlobalHotkeys {
  public:
    bool Register(int, unsigned, unsigned) override { return false; }
    void Unregister(int) override {}
    void SetPressedHandler(std::function<void(int)>) override {}
};

}  // namespace kassavero
