// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "platform/message_loop.h"

namespace kassavero::testing {

// Plays queued events: ProcessPendingMessages runs those queued as pending, RunUntil
// runs queued events one by one until the condition holds. A wait that would never
// end fails the test instead of hanging.
class FakeMessageLoop final : public MessageLoop {
  public:
    std::deque<std::function<void()>> pending;  // run by the next ProcessPendingMessages
    std::deque<std::function<void()>> events;   // run one at a time by RunUntil
    int processCalls = 0;
    int waits = 0;

    void ProcessPendingMessages() override {
        ++processCalls;
        while (!pending.empty()) {
            auto event = std::move(pending.front());
            pending.pop_front();
            event();
        }
    }

    void RunUntil(const std::function<bool()>& done) override {
        ++waits;
        while (!done()) {
            if (events.empty()) {
                ADD_FAILURE() << "a wait for the user would never end";
                return;
            }
            auto event = std::move(events.front());
            events.pop_front();
            event();
        }
    }
};

}  // namespace kassavero::testing
