// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The small modal window that asks the user for a name.

#include <optional>
#include <string>

namespace kassavero {

class NameInput {
  public:
    virtual ~NameInput() = default;
    // Shows the window with the caption, the instruction above the field and the field
    // holding the proposed text, selected. The field's text when the user confirms,
    // nothing when he cancels.
    virtual std::optional<std::u32string> AskName(const std::u32string& caption,
                                                  const std::u32string& instruction,
                                                  const std::u32string& proposed) = 0;
};

}  // namespace kassavero
