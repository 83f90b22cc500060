// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Looking up a user-visible text by its translation key.

#include <string>
#include <string_view>

namespace kassavero {

// Marks a string literal as a translation key where it is not passed straight to
// TranslateKey (tables, widget properties). A test reads the sources for
// TranslateKey("...") and TrKey("...") and checks every language section of the
// translation file for each key found, so every key literal goes through one of them.
constexpr std::string_view TrKey(std::string_view key) {
    return key;
}

class Translator {
  public:
    virtual ~Translator() = default;
    // The text of the key in the chosen language, or the empty text when the key is
    // missing; a missing key is remembered for the start-up report. Keys are written in
    // the sources as UTF-8 literals.
    virtual std::u32string TranslateKey(std::string_view key) = 0;
};

}  // namespace kassavero
