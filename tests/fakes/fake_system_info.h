// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system_info.h"

namespace kassavero::testing {

// A German system unless told otherwise.
class FakeSystemInfo final : public SystemInfo {
  public:
    char decimal = ',';
    char thousand = '.';
    std::uint16_t languageId = 0x0407;

    char DecimalSeparator() const override { return decimal; }
    char ThousandSeparator() const override { return thousand; }
    std::uint16_t DefaultLanguageId() const override { return languageId; }
};

}  // namespace kassavero::testing
