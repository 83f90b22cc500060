// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// At most one message box open at a time. A box waits in a nested event loop that keeps
// serving the command interface; without this limit every client call that fails could
// open the next box inside the last one until the stack runs out.

#include <functional>
#include <string>

#include "platform/message_box.h"

namespace kassavero {

class SingleMessageBox final : public MessageBoxes {
  public:
    // Where a message goes that cannot be shown; stderr by default.
    using Sink = std::function<void(const std::u32string& caption, const std::u32string& text)>;

    explicit SingleMessageBox(MessageBoxes& boxes, Sink sink = {});

    // While a box is open, a further message goes to the sink and is answered at once:
    // OK for a box that has only OK, else the answer that closing the box gives, which
    // changes nothing.
    int ShowMessageBox(const std::u32string& text, const std::u32string& caption,
                       unsigned flags) override;

    bool Showing() const { return showing_; }

  private:
    MessageBoxes& boxes_;
    Sink sink_;
    bool showing_ = false;
};

}  // namespace kassavero
