// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Global hotkeys on X11: a passive key grab on the root window for each combination,
// seen through Qt's native event filter.

#include <QAbstractNativeEventFilter>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/global_hotkeys.h"

namespace kassavero {

class X11GlobalHotkeys final : public GlobalHotkeys, public QAbstractNativeEventFilter {
  public:
    // The backend for the running desktop: this one on X11, one that registers nothing
    // elsewhere (Wayland, no display).
    static std::unique_ptr<GlobalHotkeys> ForDesktop();

    X11GlobalHotkeys(xcb_connection_t* connection, std::uint32_t rootWindow);
    ~X11GlobalHotkeys() override;

    bool Register(int id, unsigned modifiers, unsigned virtualKey) override;
    void Unregister(int id) override;
    void SetPressedHandler(std::function<void(int id)> handler) override {
        pressed_ = std::move(handler);
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    struct Grab {
        std::vector<std::uint8_t> keycodes;
        std::uint16_t modifiers = 0;
    };

    void Ungrab(const Grab& grab);
    std::uint16_t LockMask(std::uint32_t lockKeysym) const;

    xcb_connection_t* connection_;
    std::uint32_t root_;
    xcb_key_symbols_t* symbols_;
    std::uint16_t numLock_;
    std::uint16_t scrollLock_;
    std::map<int, Grab> grabs_;
    std::function<void(int)> pressed_;
};

}  // namespace kassavero
