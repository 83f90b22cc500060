// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/message_loop.h"

namespace kassavero {

// The Qt event loop. A nested wait runs an event loop of its own that sleeps until
// something happens and checks its condition whenever it wakes or is about to sleep:
// no polling, no timers.
class QtMessageLoop final : public MessageLoop {
  public:
    void ProcessPendingMessages() override;
    // Also returns, with the condition unmet, once Quit or QCoreApplication::quit was
    // called: a question that is open when the program has to end must not keep it alive.
    void RunUntil(const std::function<bool()>& done) override;

    // Ends every nested wait, now and later; the program is shutting down.
    void Quit();

  private:
    bool quitting_ = false;
};

}  // namespace kassavero
