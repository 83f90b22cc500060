// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <set>

#include "platform/global_hotkeys.h"

namespace kassavero::testing {

// Records the registrations; `taken` lists virtual keys that another program holds.
class FakeGlobalHotkeys final : public GlobalHotkeys {
  public:
    struct Registration {
        unsigned modifiers;
        unsigned virtualKey;
        bool operator==(const Registration&) const = default;
    };

    std::map<int, Registration> registered;
    std::set<unsigned> taken;
    std::function<void(int)> pressed;

    bool Register(int id, unsigned modifiers, unsigned virtualKey) override {
        if (taken.count(virtualKey) != 0)
            return false;
        registered[id] = {modifiers, virtualKey};
        return true;
    }
    void Unregister(int id) override { registered.erase(id); }
    void SetPressedHandler(std::function<void(int)> handler) override {
        pressed = std::move(handler);
    }
};

}  // namespace kassavero::testing
