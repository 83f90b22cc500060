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
        std::u32string caption;
        std::u32string instruction;
        std::u32string proposed;
    };

    std::vector<Asked> asked;
    std::optional<std::u32string> answer;

    std::optional<std::u32string> AskName(const std::u32string& caption,
                                          const std::u32string& instruction,
                                          const std::u32string& proposed) override {
        asked.push_back({caption, instruction, proposed});
        return answer;
    }
};

}  // namespace kassavero::testing
