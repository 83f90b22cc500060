#pragma once

// Stand-ins for the windows that are not part of the program yet: the settings window,
// the About window, the profile name input and the clipboard watcher. They keep the
// start-up order and the references the other parts hold; until the real windows take
// their places, asking for them does nothing.

#include <optional>
#include <string>

#include "calculator/clipboard_watch.h"
#include "settings/name_input.h"
#include "shell/windows.h"

namespace kassavero {

class LaterWindows final : public SettingsWindow,
                           public AboutWindow,
                           public NameInput,
                           public ClipboardWatch {
  public:
    void ShowSettings(SettingsPage) override {}
    bool SettingsAvailable() const override { return false; }
    void ShowAbout() override {}
    bool AboutAvailable() const override { return false; }
    std::optional<std::string> AskName(const std::string&, const std::string&,
                                       const std::string&) override {
        return std::nullopt;
    }
    void SkipNextClipboardChange() override {}
};

}  // namespace kassavero
