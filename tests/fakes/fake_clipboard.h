// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/clipboard.h"

namespace kassavero::testing {

// A clipboard in memory with a viewer chain of scripted neighbours. Like the real one,
// a write by the program reports the change while the write runs and leaves the program
// owning the clipboard; a copy by another program takes the ownership away.
class FakeClipboard final : public Clipboard {
  public:
    bool hasText = true;
    std::string text;
    bool owned = false;
    std::vector<std::string> writes;
    // The chain: who was first before the viewer joined, what it passed on.
    ClipboardViewerId firstBefore = kNoViewer;
    std::vector<std::string> passed;
    ClipboardViewer* viewer = nullptr;
    bool left = false;
    ClipboardViewerId leftNaming = kNoViewer;

    // Another program copies a text.
    void CopyFromOtherProgram(std::string newText) {
        text = std::move(newText);
        hasText = true;
        owned = false;
        if (viewer != nullptr)
            viewer->ClipboardChanged();
    }

    bool HasText() override { return hasText; }
    std::string Text() override { return hasText ? text : std::string(); }
    void SetText(std::string_view utf8) override {
        text = std::string(utf8);
        hasText = true;
        owned = true;
        writes.push_back(text);
        if (viewer != nullptr)
            viewer->ClipboardChanged();
    }
    bool OwnedByThisProgram() override { return owned; }

    ClipboardViewerId JoinChain(ClipboardViewer& joining) override {
        viewer = &joining;
        joining.ClipboardChanged();
        return firstBefore;
    }
    void LeaveChain(ClipboardViewer&, ClipboardViewerId next) override {
        viewer = nullptr;
        left = true;
        leftNaming = next;
    }
    void PassClipboardChanged(ClipboardViewerId next) override {
        passed.push_back("changed to " + std::to_string(next));
    }
    void PassChainChanged(ClipboardViewerId next, ClipboardViewerId leaving,
                          ClipboardViewerId successor) override {
        passed.push_back("chain to " + std::to_string(next) + ": " + std::to_string(leaving) +
                         " left, " + std::to_string(successor) + " follows");
    }
};

}  // namespace kassavero::testing
