// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Windows that several parts open without owning them.

namespace kassavero {

enum class SettingsPage {
    Current,     // whatever page the window shows
    Calculator,  // the calculator page
};

class SettingsWindow {
  public:
    virtual ~SettingsWindow() = default;
    // Shows the settings window (not modal) on the given page.
    virtual void ShowSettings(SettingsPage page) = 0;
    // False while the program has no settings window; entries that open it are disabled.
    virtual bool SettingsAvailable() const { return true; }
};

class AboutWindow {
  public:
    virtual ~AboutWindow() = default;
    virtual void ShowAbout() = 0;
    // False while the program has no About window.
    virtual bool AboutAvailable() const { return true; }
};

// The clipboard conversion, started from the tray menu, the hotkey, the bus or (not
// verbose) by a change of the clipboard.
class ClipboardScanner {
  public:
    virtual ~ClipboardScanner() = default;
    // A verbose scan says so in a message when there is nothing to convert.
    virtual void ScanClipboard(bool verbose) = 0;
};

}  // namespace kassavero
