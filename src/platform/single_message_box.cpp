// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/single_message_box.h"

#include <cstdio>

#include "core/unicode_text.h"

namespace kassavero {
namespace {

int CloseAnswer(unsigned flags) {
    switch (flags & mb::kButtonMask) {
        case mb::kOkCancel:
        case mb::kYesNoCancel:
        case mb::kRetryCancel:
            return kIdCancel;
        case mb::kAbortRetryIgnore:
            return kIdAbort;
        case mb::kYesNo:
            return kIdNo;
        default:
            return kIdOk;
    }
}

void ToStderr(const std::u32string& caption, const std::u32string& text) {
    const std::string line = TextToUtf8(caption) + ": " + TextToUtf8(text);
    std::fprintf(stderr, "kassavero: %s\n", line.c_str());
}

}  // namespace

SingleMessageBox::SingleMessageBox(MessageBoxes& boxes, Sink sink)
    : boxes_(boxes), sink_(sink ? std::move(sink) : Sink(ToStderr)) {}

int SingleMessageBox::ShowMessageBox(const std::u32string& text, const std::u32string& caption,
                                     unsigned flags) {
    if (showing_) {
        sink_(caption, text);
        return CloseAnswer(flags);
    }
    showing_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{showing_};
    return boxes_.ShowMessageBox(text, caption, flags);
}

}  // namespace kassavero
