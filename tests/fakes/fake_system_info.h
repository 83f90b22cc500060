// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system_info.h"

namespace kassavero::testing {

// A German system unless told otherwise.
class FakeSystemInfo final : public SystemInfo {
  public:
    char32_t decimal = U',';
    char32_t thousand = U'.';
    std::uint16_t languageId = 0x0407;

    char32_t DecimalSeparator() const override { return decimal; }
    char32_t ThousandSeparator() const override { return thousand; }
    std::uint16_t DefaultLanguageId() const override { return languageId; }
};

}  // namespace kassavero::testing
