// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_windows/qt_hotkey_edit.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <algorithm>

#include "core/hotkeys.h"
#include "platform/qt_keyboard.h"

namespace kassavero {

HotkeyEdit::HotkeyEdit(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    // Read-only fields hide the caret; this one still takes the focus and the keys.
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::NoContextMenu);
}

QSize HotkeyEdit::sizeHint() const {
    QSize size = QLineEdit::sizeHint();
    // Page Down has the longest key name in most languages ("Bild ab", "Pag. giù").
    constexpr int kPageDown = 0x22;
    const int text = fontMetrics().horizontalAdvance(
        HotkeyText(EncodeHotkey({kPageDown, true, true, true})) + QLatin1Char(' '));
    const int frame = size.width() - 17 * fontMetrics().horizontalAdvance(QLatin1Char('x'));
    size.setWidth(std::max(size.width(), text + std::max(frame, 8)));
    return size;
}

void HotkeyEdit::SetHotkey(int code) {
    code_ = code;
    const QString text = HotkeyText(code);
    if (QLineEdit::text() != text)
        setText(text);
}

bool HotkeyEdit::event(QEvent* event) {
    // Ctrl+Alt+Tab and the like belong to the hotkey, not to the focus chain; a plain
    // Tab still moves on.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void HotkeyEdit::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool plain =
        (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier)) == 0;
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (plain) {
                event->ignore();  // the dialog's Cancel and default button
                return;
            }
            break;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            if (plain || modifiers == Qt::ShiftModifier) {
                QLineEdit::keyPressEvent(event);
                return;
            }
            break;
        default:
            break;
    }
    int qtKey = event->key();
    if (qtKey == Qt::Key_Backtab)
        qtKey = Qt::Key_Tab;
    int virtualKey = 0;
    // With Shift held Qt reports the shifted character ("!" for 1); the hotkey is the key
    // itself, with Shift.
    if ((modifiers & Qt::ShiftModifier) != 0)
        virtualKey = KeysymToVirtualKey(UnshiftedKeysym(*event));
    if (virtualKey == 0)
        virtualKey = QtKeyToVirtualKey(qtKey, (modifiers & Qt::KeypadModifier) != 0);
    if (virtualKey == 0) {
        event->accept();  // a modifier alone, or a key that cannot be a hotkey
        return;
    }
    HotkeyParts pressed;
    pressed.VirtualKey = virtualKey;
    pressed.Shift = (modifiers & Qt::ShiftModifier) != 0;
    const int code = ForceCtrlAlt(pressed);
    event->accept();
    if (code == code_)
        return;
    SetHotkey(code);
    emit HotkeyChanged(code);
}

}  // namespace kassavero
