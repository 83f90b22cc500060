// SPDX-License-Identifier: GPL-3.0-or-later
// The command text of a macro, taken apart: any text either calls functions or gives a
// reply, and every name and argument is a piece of the text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/unicode_text.h"
#include "fuzz_check.h"
#include "macro/dde_command.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u32string command =
        kassavero::Utf8ToText(std::string_view(reinterpret_cast<const char*>(data), size));
    std::u32string reply;
    int seen = 0;
    std::size_t characters = 0;
    const int calls = kassavero::ParseDdeCommand(
        command, reply,
        [&](const std::u32string& name, const std::vector<std::u32string>& arguments,
            std::u32string&) {
            ++seen;
            characters += name.size();
            for (const std::u32string& argument : arguments)
                characters += argument.size();
        });
    FUZZ_CHECK(calls == seen);
    // Separators and quotes are dropped, never added.
    FUZZ_CHECK(characters <= command.size());
    FUZZ_CHECK(calls > 0 || !reply.empty());
    return 0;
}
