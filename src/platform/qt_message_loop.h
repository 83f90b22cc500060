#pragma once

#include "platform/message_loop.h"

namespace kassavero {

// The Qt event loop. A nested wait sleeps in the event dispatcher until something
// happens, then checks its condition again: no polling, no timers.
class QtMessageLoop final : public MessageLoop {
  public:
    void ProcessPendingMessages() override;
    // Also returns, with the condition unmet, once Quit was called: a question that is
    // open when the program has to end must not keep it alive.
    void RunUntil(const std::function<bool()>& done) override;

    // Ends every nested wait, now and later; the program is shutting down.
    void Quit();

  private:
    bool quitting_ = false;
};

}  // namespace kassavero
