#pragma once

// Message boxes shown with QMessageBox.

#include <QMessageBox>
#include <string>

#include "platform/message_box.h"

class QWidget;

namespace kassavero {

class QtMessageBoxes final : public MessageBoxes {
  public:
    // Boxes are modal to the owner window, or to the whole program without one.
    explicit QtMessageBoxes(QWidget* owner = nullptr) : owner_(owner) {}

    int ShowMessageBox(const std::string& text, const std::string& caption,
                       unsigned flags) override;

  private:
    QWidget* owner_;
};

// Gives the box its text, caption, buttons (in the order of the Windows box), icon, default
// button and the button that closing the box counts as. Texts are shown as plain text, so
// that a reply such as "<NIL>" is not taken for markup.
void SetUpMessageBox(QMessageBox& box, const std::string& text, const std::string& caption,
                     unsigned flags);

// The answer of the button that closed the box (IDOK, IDYES ...).
int MessageBoxAnswer(const QMessageBox& box);

}  // namespace kassavero
