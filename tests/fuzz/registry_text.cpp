// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file's text on any content: read, saved with one more value and read
// again, every value it held reads the same, and a second save writes the same bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "platform/registry_text.h"

using namespace kassavero;

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// Every string value of the program's sections, by section and name as they are found.
std::vector<Entries> Values(RegistryText& text) {
    std::vector<Entries> out;
    for (const auto& section : text.sections) {
        Entries entries;
        if (!section.foreign) {
            for (const auto& entry : section.entries) {
                if (entry.kind == RegistryText::EntryKind::String) {
                    const auto* found = text.FindString(section.name, entry.name);
                    entries.emplace_back(entry.name, found ? found->value : "<missing>");
                }
            }
        }
        out.push_back(std::move(entries));
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    RegistryText text = RegistryText::Parse(content);
    const std::vector<Entries> before = Values(text);

    // Saving rewrites the whole text from what was read.
    auto& added = text.ForWriting("Fuzz");
    added.index[RegistryText::Key("Saved")] = added.entries.size();
    added.entries.push_back({RegistryText::EntryKind::String, "Saved", "1", {}});
    const std::string saved = text.Serialize();

    RegistryText again = RegistryText::Parse(saved);
    const auto* mark = again.FindString("Fuzz", "Saved");
    FUZZ_CHECK(mark != nullptr && mark->value == "1");
    std::vector<Entries> after = Values(again);
    FUZZ_CHECK(after.size() >= before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (!RegistryText::Key(text.sections[i].name).starts_with("fuzz"))
            FUZZ_CHECK(after[i] == before[i]);
    }
    FUZZ_CHECK(again.Serialize() == saved);
    return 0;
}
