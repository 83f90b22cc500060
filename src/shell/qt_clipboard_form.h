// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window of the clipboard viewer: the clipboard text in a read-only field. The program
// does not open it on its own; its position is kept under "ClipboardForm" like every
// window's, restored on showing and saved on hiding.

#include <QWidget>

#include "settings/transfer_ini_file.h"

class QTextEdit;

namespace kassavero {

class Clipboard;
class Registry;

class TEditorForm final : public QWidget, public FormPosition {
    Q_OBJECT

  public:
    TEditorForm(Registry& store, Clipboard& clipboard, QWidget* parent = nullptr);

    QTextEdit* Field() const { return field_; }

    int Left() const override;
    int Top() const override;
    void SetLeft(int left) override;
    void SetTop(int top) override;

    // Restores the position before the window is mapped, saves it when it hides.
    void setVisible(bool visible) override;

  private:
    Registry& store_;
    Clipboard& clipboard_;
    QTextEdit* field_ = nullptr;
};

}  // namespace kassavero
