#pragma once

// Looking up a user-visible text by its translation key.

#include <string>
#include <string_view>

namespace kassavero {

class Translator {
public:
    virtual ~Translator() = default;
    // The text of the key in the chosen language (Windows-1252), or the empty text
    // when the key is missing; a missing key is remembered for the start-up report.
    virtual std::string TranslateKey(std::string_view key) = 0;
};

}  // namespace kassavero
