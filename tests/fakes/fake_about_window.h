// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/program_windows.h"

namespace kassavero::testing {

// Counts the requests to show the About window.
class FakeAboutWindow final : public AboutWindow {
  public:
    int shown = 0;

    void ShowAbout() override { ++shown; }
};

}  // namespace kassavero::testing
