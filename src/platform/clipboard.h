// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The system clipboard's text and the notices that it changed, in the shape of a
// clipboard viewer chain: a viewer joins the chain and learns who follows it, receives
// the notices and passes them on, and names its successor when it leaves. Where the
// platform has no such chain (Qt), the program's viewer is the only member and there is
// never anyone to pass a notice to.

#include <cstdint>
#include <string>
#include <string_view>

namespace kassavero {

// A member of the chain; kNoViewer for none.
using ClipboardViewerId = std::uintptr_t;
inline constexpr ClipboardViewerId kNoViewer = 0;

class ClipboardViewer {
  public:
    virtual ~ClipboardViewer() = default;
    // The clipboard's content changed.
    virtual void ClipboardChanged() = 0;
    // A viewer left the chain; successor is the one that followed it.
    virtual void ChainChanged(ClipboardViewerId leaving, ClipboardViewerId successor) = 0;
};

class Clipboard {
  public:
    virtual ~Clipboard() = default;

    // Whether the clipboard offers text.
    virtual bool HasText() = 0;
    // The clipboard text, UTF-8.
    virtual std::string Text() = 0;
    // Replaces the clipboard's content with the text (UTF-8). The change notice this
    // causes may arrive while the call runs or after it.
    virtual void SetText(std::string_view utf8) = 0;
    // True while the clipboard holds what this program put there; a change notice then
    // comes from the program itself.
    virtual bool OwnedByThisProgram() = 0;

    // Joins the chain as its first member and returns the member that was first before
    // (who now follows). A change notice reaches the viewer at once.
    virtual ClipboardViewerId JoinChain(ClipboardViewer& viewer) = 0;
    // Leaves the chain, naming the member that followed the viewer.
    virtual void LeaveChain(ClipboardViewer& viewer, ClipboardViewerId next) = 0;
    // Pass a notice on to the member that follows.
    virtual void PassClipboardChanged(ClipboardViewerId next) = 0;
    virtual void PassChainChanged(ClipboardViewerId next, ClipboardViewerId leaving,
                                  ClipboardViewerId successor) = 0;
};

}  // namespace kassavero
