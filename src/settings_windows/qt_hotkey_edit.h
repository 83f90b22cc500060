// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A field that takes a key combination instead of text. Whatever modifiers the user
// holds, the hotkey always gets Ctrl and Alt; Tab, Esc and Return keep their usual
// work in the dialog.

#include <QLineEdit>

namespace kassavero {

class HotkeyEdit final : public QLineEdit {
    Q_OBJECT

  public:
    explicit HotkeyEdit(QWidget* parent = nullptr);

    int Hotkey() const { return code_; }
    // Shows the code; no signal.
    void SetHotkey(int code);

    // Wide enough for a long combination in the interface's key names.
    QSize sizeHint() const override;

  signals:
    void HotkeyChanged(int code);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

  private:
    int code_ = 0;
};

}  // namespace kassavero
