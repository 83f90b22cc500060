// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a key press means on the keyboard itself, beyond the character Qt reports, and
// how a key combination is named.

#include <QString>
#include <cstdint>

class QKeyEvent;

namespace kassavero {

// The X11 keysym the pressed key gives without Shift ("1" for Shift+1, which Qt reports
// as "!"), read from the keyboard map; 0 where that is not known (no X11).
std::uint32_t UnshiftedKeysym(const QKeyEvent& event);

// The text of a hotkey code in Qt's key names, for example "Ctrl+Alt+W" ("Strg+Alt+W"
// with Qt's German translation), as the settings and the tray menu show it.
QString HotkeyText(int code);

}  // namespace kassavero
