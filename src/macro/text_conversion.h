// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A whole text converted in one go, for batch clients: every amount the settings accept
// is converted into the default target currency, as a document client would with
// opensession, transfertext, findnextchange and confirmchange without the dialog.

#include <cstddef>
#include <string>
#include <vector>

namespace kassavero {

// Texts beyond this many bytes of UTF-8 (some 8,000 pages) are refused rather than half
// converted; it bounds what one call holds in memory.
inline constexpr std::size_t kMaxConvertTextBytes = 16u << 20;

// One change of a text: [Start, End) in code points, what replaces it (UTF-8, the text's
// own characters where the old amount is written back), and the amount found.
struct TextChange {
    std::size_t Start = 0;
    std::size_t End = 0;
    std::string Replacement;
    std::string CurrencyCode;
    double Amount = 0;
};

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
