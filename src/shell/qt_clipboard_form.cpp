#include "shell/qt_clipboard_form.h"

#include <QHideEvent>
#include <QShowEvent>
#include <QTextEdit>
#include <QVBoxLayout>

#include "platform/clipboard.h"

namespace kassavero {

QtClipboardForm::QtClipboardForm(Registry& store, Clipboard& clipboard, QWidget* parent)
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

void QtClipboardForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    TransferFormPosition(store_, kGeneralSection, "ClipboardForm", *this, false);
    const std::string text = clipboard_.HasText() ? clipboard_.Text() : std::string();
    field_->setPlainText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void QtClipboardForm::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    TransferFormPosition(store_, kGeneralSection, "ClipboardForm", *this, true);
}

}  // namespace kassavero
