// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Message boxes shown with QMessageBox.

#include <QMessageBox>
#include <string>
#include <vector>

#include "platform/message_box.h"

class QWidget;

namespace kassavero {

class QtMessageBoxes final : public MessageBoxes {
  public:
    // Boxes are modal to the owner window, or to the whole program without one.
    explicit QtMessageBoxes(QWidget* owner = nullptr) : owner_(owner) {}

    int ShowMessageBox(const std::u32string& text, const std::u32string& caption,
                       unsigned flags) override;

    // Ends every box that is open, each with the answer closing it counts as, and
    // answers every later one that way without showing it: the program is ending.
    // Needed where no event loop runs yet, which a request to quit would end.
    void CloseAllForShutDown();

  private:
    QWidget* owner_;
    std::vector<QMessageBox*> open_;
    bool closing_ = false;
};

// Gives the box its text, caption, buttons (in the order of the Windows box), icon, default
// button and the button that closing the box counts as. Texts are shown as plain text, so
// that a reply such as "<NIL>" is not taken for markup.
void SetUpMessageBox(QMessageBox& box, const std::u32string& text, const std::u32string& caption,
                     unsigned flags);

// The answer of the button that closed the box (IDOK, IDYES ...).
int MessageBoxAnswer(const QMessageBox& box);

}  // namespace kassavero
