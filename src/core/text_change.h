// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

namespace kassavero {

// One change of a text converted as a whole: [Start, End) in code points, what replaces
// it (UTF-8, the text's own characters where the old amount is written back), the code
// of its currency and the amount found.
struct TextChange {
    std::size_t Start = 0;
    std::size_t End = 0;
    std::string Replacement;
    std::string CurrencyCode;
    double Amount = 0;
};

}  // namespace kassavero
