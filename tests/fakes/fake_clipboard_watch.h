// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calculator/clipboard_watch.h"

namespace kassavero::testing {

class FakeClipboardWatch final : public ClipboardWatch {
  public:
    int skipRequests = 0;

    void SkipNextClipboardChange() override { ++skipRequests; }
};

}  // namespace kassavero::testing
