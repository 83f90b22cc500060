// The settings file on any content: it is read, saved with one more value and read again,
// and every value it held reads the same as before.

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/win1252.h"
#include "fuzz_check.h"
#include "platform/registry_file.h"
#include "scratch_dir.h"

using namespace kassavero;

namespace {

// The names that stand in quotes at the start of a line: the value names worth asking for.
std::vector<std::string> CandidateNames(std::string_view content) {
    std::vector<std::string> names{""};
    std::size_t start = 0;
    while (start < content.size() && names.size() < 8) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos)
            end = content.size();
        const std::string_view line = content.substr(start, end - start);
        if (line.size() > 1 && line.front() == '"') {
            const std::size_t close = line.find('"', 1);
            if (close != std::string_view::npos)
                names.emplace_back(line.substr(1, close - 1));
        }
        start = end + 1;
    }
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const std::filesystem::path directory = ScratchDirectory() / "Kassavero";
    std::filesystem::create_directories(directory);
    std::ofstream(directory / "registry.reg", std::ios::binary | std::ios::trunc) << content;

    const std::vector<std::string> names = CandidateNames(content);
    std::vector<std::string> sections;
    std::vector<std::optional<std::string>> values;
    {
        RegistryFile store(directory);
        sections = store.ReadSections();
        if (sections.size() > 8)
            sections.resize(8);
        for (const std::string& section : sections) {
            for (const std::string& name : names)
                values.push_back(store.ReadString(section, name));
        }
        // Saving rewrites the whole file from what was read.
        store.WriteString("Fuzz", "Saved", "1");
        FUZZ_CHECK(store.LastError().empty());
    }
    RegistryFile again(directory);
    FUZZ_CHECK(again.ReadString("Fuzz", "Saved") == std::optional<std::string>("1"));
    std::size_t i = 0;
    for (const std::string& section : sections) {
        for (const std::string& name : names) {
            if (!EqualsIgnoringCase(section, "Fuzz"))
                FUZZ_CHECK(again.ReadString(section, name) == values[i]);
            ++i;
        }
    }
    return 0;
}
