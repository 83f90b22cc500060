// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "platform/message_loop.h"

namespace kassavero {

// A message loop with nothing waiting: benchmarks never ask the user.
class IdleLoop final : public MessageLoop {
  public:
    void ProcessPendingMessages() override {}
    void RunUntil(const std::function<bool()>&) override {}
};

}  // namespace kassavero
