#pragma once

#include "platform/message_loop.h"

namespace kassavero {

// The Qt event loop. A nested wait sleeps in the event dispatcher until something
// happens, then checks its condition again: no polling, no timers.
class QtMessageLoop final : public MessageLoop {
  public:
    void ProcessPendingMessages() override;
    void RunUntil(const std::function<bool()>& done) override;
};

}  // namespace kassavero
