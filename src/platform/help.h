// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's help: pages numbered by context, plus a contents page.

namespace kassavero {

class Help {
  public:
    virtual ~Help() = default;
    virtual void ShowTopic(int contextNumber) = 0;
    virtual void ShowContents() = 0;
    // Closes the help the program opened, where the platform allows that.
    virtual void Close() = 0;
};

}  // namespace kassavero
