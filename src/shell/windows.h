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
};

class AboutWindow {
  public:
    virtual ~AboutWindow() = default;
    virtual void ShowAbout() = 0;
};

}  // namespace kassavero
