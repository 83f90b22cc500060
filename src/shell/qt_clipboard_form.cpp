// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/qt_clipboard_form.h"

#include <QTextEdit>
#include <QVBoxLayout>

#include "platform/clipboard.h"
#include "platform/qt_window_front.h"

namespace kassavero {

TEditorForm::TEditorForm(Registry& store, Clipboard& clipboard, QWidget* parent)
    : QWidget(parent), store_(store), clipboard_(clipboard) {
    // The window keeps its own caption; it is not translated.
    setWindowTitle(QStringLiteral("Inhalt der Zwischenablage"));
    field_ = new QTextEdit(this);
    field_->setReadOnly(true);
    field_->setAcceptRichText(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(field_);
    resize(480, 320);
}

int TEditorForm::Left() const {
    return WindowPlace(this).x();
}
int TEditorForm::Top() const {
    return WindowPlace(this).y();
}
void TEditorForm::SetLeft(int left) {
    PlaceWindow(this, QPoint(left, Top()));
}
void TEditorForm::SetTop(int top) {
    PlaceWindow(this, QPoint(Left(), top));
}

void TEditorForm::setVisible(bool visible) {
    if (visible == isVisible()) {
        QWidget::setVisible(visible);
        return;
    }
    if (visible) {
        TransferFormPosition(store_, kGeneralSection, U"ClipboardForm", *this, false);
        const std::string text = clipboard_.HasText() ? clipboard_.Text() : std::string();
        field_->setPlainText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    } else {
        TransferFormPosition(store_, kGeneralSection, U"ClipboardForm", *this, true);
    }
    QWidget::setVisible(visible);
}

}  // namespace kassavero
