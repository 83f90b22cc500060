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

class QtClipboardForm final : public QWidget, public FormPosition {
    Q_OBJECT

  public:
    QtClipboardForm(Registry& store, Clipboard& clipboard, QWidget* parent = nullptr);

    QTextEdit* Field() const { return field_; }

    int Left() const override { return x(); }
    int Top() const override { return y(); }
    void SetLeft(int left) override { move(left, y()); }
    void SetTop(int top) override { move(x(), top); }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    Registry& store_;
    Clipboard& clipboard_;
    QTextEdit* field_ = nullptr;
};

}  // namespace kassavero
