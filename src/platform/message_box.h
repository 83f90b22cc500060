// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Message boxes with the flag values and answers of the Windows interface they replace,
// so callers state exactly which buttons, icon and default button a question has.

#include <string>

namespace kassavero {

namespace mb {
// Buttons.
inline constexpr unsigned kOk = 0x0;
inline constexpr unsigned kOkCancel = 0x1;
inline constexpr unsigned kAbortRetryIgnore = 0x2;
inline constexpr unsigned kYesNoCancel = 0x3;
inline constexpr unsigned kYesNo = 0x4;
inline constexpr unsigned kRetryCancel = 0x5;
inline constexpr unsigned kButtonMask = 0xF;
// Icons.
inline constexpr unsigned kIconError = 0x10;
inline constexpr unsigned kIconQuestion = 0x20;
inline constexpr unsigned kIconWarning = 0x30;
inline constexpr unsigned kIconInformation = 0x40;
inline constexpr unsigned kIconMask = 0xF0;
// Default button.
inline constexpr unsigned kDefaultButton1 = 0x000;
inline constexpr unsigned kDefaultButton2 = 0x100;
inline constexpr unsigned kDefaultButton3 = 0x200;
inline constexpr unsigned kDefaultButtonMask = 0xF00;
}  // namespace mb

// The pressed button.
enum MessageBoxAnswer : int {
    kIdOk = 1,
    kIdCancel = 2,
    kIdAbort = 3,
    kIdRetry = 4,
    kIdIgnore = 5,
    kIdYes = 6,
    kIdNo = 7,
};

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Text and caption are each used up to 1023 characters. Returns
    // the pressed button. Closing the box counts as Cancel where there is one, else as
    // the only button (OK) or No.
    virtual int ShowMessageBox(const std::u32string& text, const std::u32string& caption,
                               unsigned flags) = 0;
};

}  // namespace kassavero
