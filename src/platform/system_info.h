// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the program learns from the system once, at start-up: the number separators of
// the user's regional settings and the default language.

#include <cstdint>

namespace kassavero {

class SystemInfo {
  public:
    virtual ~SystemInfo() = default;
    // Never equal to each other.
    virtual char32_t DecimalSeparator() const = 0;
    virtual char32_t ThousandSeparator() const = 0;
    // A Windows language identifier: primary language in the low ten bits,
    // sublanguage above (de_AT is 0x0C07).
    virtual std::uint16_t DefaultLanguageId() const = 0;
};

}  // namespace kassavero
