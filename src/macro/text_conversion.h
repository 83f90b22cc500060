// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A whole text converted in one go, for batch clients: every amount the settings accept
// is converted into the default target currency, as a document client would with
// opensession, transfertext, findnextchange and confirmchange without the dialog.

#include <cstddef>
#include <string>
#include <vector>

#include "core/text_change.h"

namespace kassavero {

// Texts beyond this many bytes of UTF-8 (some 8,000 pages) are refused rather than half
// converted; it bounds what one call holds in memory.
inline constexpr std::size_t kMaxConvertTextBytes = 16u << 20;

struct TextConversion {
    enum class Outcome {
        Done,
        NoSession,  // every session slot is taken
        TooLarge,   // the text is longer than the program holds
        Ended,      // the program began to end before the text was done
    };
    Outcome outcome = Outcome::Done;
    std::string text;  // the converted text (UTF-8); empty unless Done
    std::size_t changes = 0;
    std::vector<TextChange> list;  // every change, in text order (when asked for)
};

}  // namespace kassavero
