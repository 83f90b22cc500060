// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the calculator needs of the clipboard watcher. When the user copies or cuts in an
// amount field, the clipboard changes because of the program itself; that change must
// not start a search of the clipboard text.

namespace kassavero {

class ClipboardWatch {
  public:
    virtual ~ClipboardWatch() = default;
    // The next change of the clipboard is not searched.
    virtual void SkipNextClipboardChange() = 0;
};

}  // namespace kassavero
