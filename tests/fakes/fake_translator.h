// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <vector>

#include "core/unicode_text.h"
#include "i18n/translator.h"

namespace kassavero::testing {

// Answers from a map; a key it does not hold translates to "[key]" so that tests
// can see which key was used. Every lookup is recorded.
class FakeTranslator final : public Translator {
  public:
    std::map<std::string, std::u32string, std::less<>> texts;
    std::vector<std::string> lookups;

    std::u32string TranslateKey(std::string_view key) override {
        lookups.emplace_back(key);
        if (const auto it = texts.find(key); it != texts.end())
            return it->second;
        return U"[" + Utf8ToText(key) + U"]";
    }
};

}  // namespace kassavero::testing
