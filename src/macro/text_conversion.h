#pragma once

// A whole text converted in one go, for batch clients: every amount the settings accept
// is converted into the default target currency, as a document client would with
// opensession, transfertext, findnextchange and confirmchange without the dialog.

#include <cstddef>
#include <string>

namespace kassavero {

// Texts beyond this many bytes of UTF-8 are refused rather than half converted.
inline constexpr std::size_t kMaxConvertTextBytes = 64u << 20;

struct TextConversion {
    enum class Outcome {
        Done,
        NoSession,  // every session slot is taken
        TooLarge,   // the text is longer than the program holds
    };
    Outcome outcome = Outcome::Done;
    std::string text;  // the converted text (UTF-8); empty unless Done
    std::size_t changes = 0;
};

}  // namespace kassavero
