// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11_global_hotkeys.h"

#include <QGuiApplication>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdio>
#include <cstdlib>

#include "core/hotkeys.h"

namespace kassavero {
namespace {

constexpr std::uint32_t kNumLockKeysym = 0xff7f;
constexpr std::uint32_t kScrollLockKeysym = 0xff14;

bool RunsOnWayland() {
    return QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

}  // namespace

std::unique_ptr<GlobalHotkeys> X11GlobalHotkeys::ForDesktop() {
    auto* x11 = QGuiApplication::platformName() == QStringLiteral("xcb")
                    ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                    : nullptr;
    if (xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr) {
        const xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(connection));
        if (screen.rem > 0)
            return std::make_unique<X11GlobalHotkeys>(connection, screen.data->root);
    }
    if (RunsOnWayland()) {
        // The compositor keeps keys to itself; the desktop's own shortcut settings can
        // run the same actions through the command-line client.
        std::fprintf(stderr,
                     "kassavero: global hotkeys are not available on Wayland. Bind the "
                     "actions in your desktop's keyboard settings instead:\n"
                     "  kassavero-dde show-calculator   (calculator)\n"
                     "  kassavero-dde scan-clipboard    (convert the clipboard)\n");
    }
    return std::make_unique<NoGlobalHotkeys>();
}

X11GlobalHotkeys::X11GlobalHotkeys(xcb_connection_t* connection, std::uint32_t rootWindow)
    : connection_(connection),
      root_(rootWindow),
      symbols_(xcb_key_symbols_alloc(connection)),
      numLock_(LockMask(kNumLockKeysym)),
      scrollLock_(LockMask(kScrollLockKeysym)) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11GlobalHotkeys::~X11GlobalHotkeys() {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeNativeEventFilter(this);
    for (const auto& [id, grab] : grabs_)
        Ungrab(grab);
    xcb_flush(connection_);
    xcb_key_symbols_free(symbols_);
}

// The modifier bit that a lock key (NumLock, ScrollLock) sets on this keyboard map.
std::uint16_t X11GlobalHotkeys::LockMask(std::uint32_t lockKeysym) const {
    std::uint16_t mask = 0;
    xcb_keycode_t* lockCodes = xcb_key_symbols_get_keycode(symbols_, lockKeysym);
    if (lockCodes == nullptr)
        return 0;
    const xcb_get_modifier_mapping_cookie_t cookie = xcb_get_modifier_mapping(connection_);
    xcb_get_modifier_mapping_reply_t* reply =
        xcb_get_modifier_mapping_reply(connection_, cookie, nullptr);
    if (reply != nullptr) {
        const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply);
        const int perModifier = reply->keycodes_per_modifier;
        for (int modifier = 0; modifier < 8 && mask == 0; ++modifier) {
            for (int i = 0; i < perModifier; ++i) {
                const xcb_keycode_t code = codes[modifier * perModifier + i];
                for (const xcb_keycode_t* lock = lockCodes; code != 0 && *lock != 0; ++lock) {
                    if (*lock == code)
                        mask = static_cast<std::uint16_t>(1u << modifier);
                }
            }
        }
        std::free(reply);
    }
    std::free(lockCodes);
    return mask;
}

bool X11GlobalHotkeys::Register(int id, unsigned modifiers, unsigned virtualKey) {
    Unregister(id);
    const std::uint32_t keysym = VirtualKeyToKeysym(static_cast<int>(virtualKey));
    if (keysym == 0)
        return false;
    Grab grab;
    if (modifiers & hotkey_mod::kShift)
        grab.modifiers |= XCB_MOD_MASK_SHIFT;
    if (modifiers & hotkey_mod::kControl)
        grab.modifiers |= XCB_MOD_MASK_CONTROL;
    if (modifiers & hotkey_mod::kAlt)
        grab.modifiers |= XCB_MOD_MASK_1;
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols_, keysym);
    for (const xcb_keycode_t* code = codes; code != nullptr && *code != 0; ++code)
        grab.keycodes.push_back(*code);
    std::free(codes);
    if (grab.keycodes.empty())
        return false;

    // The same key with every combination of the lock keys, so that it works whatever
    // locks are on.
    const std::uint16_t locks[] = {0, XCB_MOD_MASK_LOCK, numLock_, scrollLock_};
    bool refused = false;
    for (std::uint8_t keycode : grab.keycodes) {
        for (int combination = 0; combination < 8; ++combination) {
            std::uint16_t extra = 0;
            for (int bit = 0; bit < 3; ++bit) {
                if (combination & (1 << bit))
                    extra |= locks[bit + 1];
            }
            if (extra == 0 && combination != 0)
                continue;  // a lock key that this keyboard does not have
            const xcb_void_cookie_t cookie =
                xcb_grab_key_checked(connection_, 1, root_, grab.modifiers | extra, keycode,
                                     XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
            if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
                refused = true;  // taken by another program
                std::free(error);
            }
        }
    }
    if (refused) {
        Ungrab(grab);
        xcb_flush(connection_);
        return false;
    }
    grabs_[id] = std::move(grab);
    return true;
}

void X11GlobalHotkeys::Ungrab(const Grab& grab) {
    const std::uint16_t locks[] = {XCB_MOD_MASK_LOCK, numLock_, scrollLock_};
    for (std::uint8_t keycode : grab.keycodes) {
        for (int combination = 0; combination < 8; ++combination) {
            std::uint16_t extra = 0;
            for (int bit = 0; bit < 3; ++bit) {
                if (combination & (1 << bit))
                    extra |= locks[bit];
            }
            xcb_ungrab_key(connection_, keycode, root_, grab.modifiers | extra);
        }
    }
}

void X11GlobalHotkeys::Unregister(int id) {
    const auto found = grabs_.find(id);
    if (found == grabs_.end())
        return;
    Ungrab(found->second);
    xcb_flush(connection_);
    grabs_.erase(found);
}

bool X11GlobalHotkeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || grabs_.empty())
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
        return false;
    const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
    const std::uint16_t ignored = XCB_MOD_MASK_LOCK | numLock_ | scrollLock_;
    const std::uint16_t state = key->state & static_cast<std::uint16_t>(~ignored) & 0xff;
    for (const auto& [id, grab] : grabs_) {
        if (grab.modifiers != state)
            continue;
        for (std::uint8_t keycode : grab.keycodes) {
            if (keycode == key->detail) {
                // The action may ask the user; run it from the event loop, not from
                // inside the filter.
                QMetaObject::invokeMethod(
                    qApp,
                    [this, pressedId = id] {
                        if (pressed_)
                            pressed_(pressedId);
                    },
                    Qt::QueuedConnection);
                return true;
            }
        }
    }
    return false;
}

}  // namespace kassavero
