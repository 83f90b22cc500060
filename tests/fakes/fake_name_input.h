// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/name_input.h"

namespace kassavero::testing {

// Records each question and answers with `answer` (nothing stands for Cancel).
class FakeNameInput final : public NameInput {
  public:
    struct Asked {
        std::string caption;
        std::string instruction;
        std::string proposed;
    };

    std::vector<Asked> asked;
    std::optional<std::string> answer;

    std::optional<std::string> AskName(const std::string& caption, const std::string& instruction,
                                       const std::string& proposed) override {
        asked.push_back({caption, instruction, proposed});
        return answer;
    }
};

}  // namespace kassavero::testing
