// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's one event loop, as far as the logic needs it: letting waiting events
// run in the middle of a command, and waiting for the user without blocking the rest
// of the program.

#include <functional>

namespace kassavero {

class MessageLoop {
  public:
    virtual ~MessageLoop() = default;
    // Runs the events that are waiting now, then returns.
    virtual void ProcessPendingMessages() = 0;
    // Runs a nested loop until done() holds, sleeping while no events arrive. Every
    // other window and the command interface keep working meanwhile.
    virtual void RunUntil(const std::function<bool()>& done) = 0;
};

}  // namespace kassavero
