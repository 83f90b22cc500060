// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "platform/program_windows.h"

namespace kassavero::testing {

// Records every request to show the settings window, with its page.
class FakeSettingsWindow final : public SettingsWindow {
  public:
    std::vector<SettingsPage> shown;

    void ShowSettings(SettingsPage page) override { shown.push_back(page); }
};

}  // namespace kassavero::testing
