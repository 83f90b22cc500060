// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator/sk_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/qt_text.h"

namespace kassavero {
namespace {

Qt::Alignment QtAlignment(TextAlignment alignment) {
    switch (alignment) {
        case TextAlignment::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case TextAlignment::Center:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case TextAlignment::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// The character a key types, as the filter knows it; 0 for a key that types nothing
// (navigation, and everything held with Ctrl or Alt, which are commands).
char32_t TypedCharacter(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kEnterChar;
        case Qt::Key_Escape:
            return kEscapeChar;
        case Qt::Key_Backspace:
            return kBackspaceChar;
        default:
            break;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return 0;
    const QString text = event.text();
    if (text.size() != 1 || text[0].unicode() < 0x20 || text[0].unicode() == 0x7F)
        return 0;
    const std::u32string typed = FromQString(text);
    return typed.empty() ? 0 : typed[0];
}

}  // namespace

TSKEdit::TSKEdit(char32_t decimalSeparator, QWidget* parent)
    : QLineEdit(QStringLiteral("0"), parent), decimalSeparator_(decimalSeparator) {
    // Dropped text would bypass the filter.
    setAcceptDrops(false);
    setAlignment(QtAlignment(alignment_));
}

void TSKEdit::SetAlignment(TextAlignment alignment) {
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    setAlignment(QtAlignment(alignment));
}

std::optional<double> TSKEdit::Value() const {
    return NumericEditValue(FromQString(text()), decimalSeparator_);
}

EditSelection TSKEdit::Selection() const {
    if (hasSelectedText())
        return {static_cast<std::size_t>(selectionStart()),
                static_cast<std::size_t>(selectionLength())};
    return {static_cast<std::size_t>(cursorPosition()), 0};
}

void TSKEdit::SetSelection(EditSelection selection) {
    if (Selection() == selection)
        return;
    if (selection.Length == 0)
        setCursorPosition(static_cast<int>(selection.Start));
    else
        setSelection(static_cast<int>(selection.Start), static_cast<int>(selection.Length));
}

bool TSKEdit::InsertFiltered(const QString& pasted) {
    const auto inserted =
        NumericEditPaste(FromQString(pasted), FromQString(text()), Selection(), decimalSeparator_);
    if (!inserted) {
        QApplication::beep();
        return false;
    }
    // insert() replaces the selection as typing does and reports the edit.
    insert(ToQString(*inserted));
    return true;
}

bool TSKEdit::PasteFiltered() {
    if (isReadOnly())
        return false;
    return InsertFiltered(QApplication::clipboard()->text(QClipboard::Clipboard));
}

void TSKEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        PasteFiltered();
        event->accept();
        return;
    }
    char32_t key = TypedCharacter(*event);
    if (key == 0) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (keyPressHandler_)
        keyPressHandler_(key);
    if (key == 0)
        return;
    const char32_t accepted =
        NumericEditFilter(key, FromQString(text()), Selection(), decimalSeparator_);
    if (accepted == kBackspaceChar)
        QLineEdit::keyPressEvent(event);
    else if (accepted != 0)
        insert(ToQString(std::u32string(1, accepted)));
}

void TSKEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the selection of X11; it passes the filter as well.
    if (event->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection()) {
        if (!isReadOnly())
            InsertFiltered(QApplication::clipboard()->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TSKEdit::contextMenuEvent(QContextMenuEvent* event) {
    // The window's own menu holds the clipboard commands for its fields.
    event->ignore();
}

}  // namespace kassavero
