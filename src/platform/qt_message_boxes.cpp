// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_message_boxes.h"

#include <algorithm>

#include <QAbstractButton>
#include <QPushButton>
#include <vector>

#include "platform/qt_text.h"
#include "platform/qt_window_front.h"

namespace kassavero {
namespace {

// Text and caption are used up to this many characters, as by the boxes they replace.
constexpr std::size_t kMaxTextLength = 1023;

using Button = QMessageBox::StandardButton;

// The buttons of each button set, in the order the Windows box numbers them for the default
// button, and the answer that closing the box counts as.
struct ButtonSet {
    std::vector<Button> buttons;
    Button closeAnswer;
};

ButtonSet ButtonsOf(unsigned flags) {
    switch (flags & mb::kButtonMask) {
        case mb::kOkCancel:
            return {{QMessageBox::Ok, QMessageBox::Cancel}, QMessageBox::Cancel};
        case mb::kAbortRetryIgnore:
            // No Cancel here: closing aborts, the answer that changes nothing.
            return {{QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore},
                    QMessageBox::Abort};
        case mb::kYesNoCancel:
            return {{QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}, QMessageBox::Cancel};
        case mb::kYesNo:
            return {{QMessageBox::Yes, QMessageBox::No}, QMessageBox::No};
        case mb::kRetryCancel:
            return {{QMessageBox::Retry, QMessageBox::Cancel}, QMessageBox::Cancel};
        default:
            return {{QMessageBox::Ok}, QMessageBox::Ok};
    }
}

QMessageBox::Icon IconOf(unsigned flags) {
    switch (flags & mb::kIconMask) {
        case mb::kIconError:
            return QMessageBox::Critical;
        case mb::kIconQuestion:
            return QMessageBox::Question;
        case mb::kIconWarning:
            return QMessageBox::Warning;
        case mb::kIconInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

int AnswerOf(Button button) {
    switch (button) {
        case QMessageBox::Cancel:
            return kIdCancel;
        case QMessageBox::Abort:
            return kIdAbort;
        case QMessageBox::Retry:
            return kIdRetry;
        case QMessageBox::Ignore:
            return kIdIgnore;
        case QMessageBox::Yes:
            return kIdYes;
        case QMessageBox::No:
            return kIdNo;
        default:
            return kIdOk;
    }
}

QString Cut(const std::u32string& text) {
    return ToQString(std::u32string_view(text).substr(0, kMaxTextLength));
}

}  // namespace

void SetUpMessageBox(QMessageBox& box, const std::u32string& text, const std::u32string& caption,
                     unsigned flags) {
    box.setTextFormat(Qt::PlainText);
    box.setText(Cut(text));
    box.setWindowTitle(Cut(caption));
    box.setIcon(IconOf(flags));
    const ButtonSet set = ButtonsOf(flags);
    std::vector<QPushButton*> buttons;
    for (const Button button : set.buttons)
        buttons.push_back(box.addButton(button));
    // A default button the set does not have falls back to the first, as on Windows.
    const std::size_t defaultIndex = (flags & mb::kDefaultButtonMask) >> 8;
    box.setDefaultButton(buttons[defaultIndex < buttons.size() ? defaultIndex : 0]);
    box.setEscapeButton(box.button(set.closeAnswer));
    // A question nobody can see again would hold up whatever waits for it.
    KeepFromMinimising(&box);
}

int MessageBoxAnswer(const QMessageBox& box) {
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == nullptr)
        clicked = box.escapeButton();
    return AnswerOf(box.standardButton(clicked));
}

int QtMessageBoxes::ShowMessageBox(const std::u32string& text, const std::u32string& caption,
                                   unsigned flags) {
    QMessageBox box(owner_);
    SetUpMessageBox(box, text, caption, flags);
    if (closing_)
        return MessageBoxAnswer(box);
    open_.push_back(&box);
    box.exec();
    open_.pop_back();
    return MessageBoxAnswer(box);
}

void QtMessageBoxes::CloseAllForShutDown() {
    closing_ = true;
    // Innermost first: each ends the event loop of its own exec().
    std::for_each(open_.rbegin(), open_.rend(), [](QMessageBox* box) { box->reject(); });
}

}  // namespace kassavero
