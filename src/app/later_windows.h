#pragma once

// Stand-in for the clipboard watcher, which is not part of the program yet. It keeps the start-up
// order and the references the other parts hold; until the real windows take their places, asking
// for them does nothing.

#include "calculator/clipboard_watch.h"
#include "shell/windows.h"

namespace kassavero {

class LaterWindows final : public ClipboardWatch, public ClipboardScanner {
  public:
    void SkipNextClipboardChange() override {}
    void ScanClipboard(bool) override {}
};

}  // namespace kassavero
