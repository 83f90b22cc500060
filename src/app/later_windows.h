#pragma once

// Stand-ins for the windows that are not part of the program yet: the About window and
// the clipboard watcher. They keep the start-up order and the references the other parts
// hold; until the real windows take their places, asking for them does nothing.

#include "calculator/clipboard_watch.h"
#include "shell/windows.h"

namespace kassavero {

class LaterWindows final : public AboutWindow, public ClipboardWatch {
  public:
    void ShowAbout() override {}
    bool AboutAvailable() const override { return false; }
    void SkipNextClipboardChange() override {}
};

}  // namespace kassavero
