// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/help.h"

namespace kassavero::testing {

class FakeHelp final : public Help {
  public:
    std::vector<std::string> calls;  // "topic 1090", "contents", "close"

    void ShowTopic(int contextNumber) override {
        calls.push_back("topic " + std::to_string(contextNumber));
    }
    void ShowContents() override { calls.emplace_back("contents"); }
    void Close() override { calls.emplace_back("close"); }
};

}  // namespace kassavero::testing
