// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace kassavero::testing {

// Records every message box and answers from a script; with an empty script it
// answers the default button's natural reply (OK, Yes or the first button).
class FakeMessageBoxes final : public MessageBoxes {
  public:
    struct Shown {
        std::u32string text;
        std::u32string caption;
        unsigned flags;
    };

    std::vector<Shown> shown;
    std::deque<int> answers;

    int ShowMessageBox(const std::u32string& text, const std::u32string& caption,
                       unsigned flags) override {
        shown.push_back({text, caption, flags});
        if (!answers.empty()) {
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        switch (flags & mb::kButtonMask) {
            case mb::kYesNo:
            case mb::kYesNoCancel:
                return kIdYes;
            case mb::kAbortRetryIgnore:
                return kIdAbort;
            case mb::kRetryCancel:
                return kIdRetry;
            default:
                return kIdOk;
        }
    }
};

}  // namespace kassavero::testing
