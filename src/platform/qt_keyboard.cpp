// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_keyboard.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include "core/hotkeys.h"

namespace kassavero {

std::uint32_t UnshiftedKeysym(const QKeyEvent& event) {
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        return 0;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr || event.nativeScanCode() == 0 || event.nativeScanCode() > 255)
        return 0;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection);
    if (symbols == nullptr)
        return 0;
    const xcb_keysym_t keysym =
        xcb_key_symbols_get_keysym(symbols, static_cast<xcb_keycode_t>(event.nativeScanCode()), 0);
    xcb_key_symbols_free(symbols);
    return keysym;
}

QString HotkeyText(int code) {
    const HotkeyParts parts = DecodeHotkey(code);
    bool keypad = false;
    const int key = VirtualKeyToQtKey(parts.VirtualKey, &keypad);
    if (key == 0)
        return QString();
    int combination = key;
    if (parts.Shift)
        combination |= Qt::SHIFT;
    if (parts.Ctrl)
        combination |= Qt::CTRL;
    if (parts.Alt)
        combination |= Qt::ALT;
    if (keypad)
        combination |= Qt::KeypadModifier;
    return QKeySequence(combination).toString(QKeySequence::NativeText);
}

}  // namespace kassavero
