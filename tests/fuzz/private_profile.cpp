// SPDX-License-Identifier: GPL-3.0-or-later
// The initialisation-file reader on any file: every section and key it lists can be read,
// and a value written reads back as written while the rest of the file keeps its values.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "core/win1252.h"
#include "fuzz_check.h"
#include "platform/private_profile_file.h"
#include "scratch_dir.h"

using namespace kassavero;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string value = input.ConsumeRandomLengthString(40);
    const std::string content = input.ConsumeRemainingBytesAsString();
    const std::filesystem::path path = ScratchDirectory() / "fuzz.ini";
    std::filesystem::remove(path);
    std::ofstream(path, std::ios::binary) << content;

    struct Entry {
        std::string section;
        std::string key;
        std::string value;
    };
    std::vector<Entry> entries;
    {
        PrivateProfileFile file(path);
        // Each read looks at the file again; a few dozen entries tell as much as all.
        for (const std::string& section : file.SectionNames()) {
            for (const std::string& key : file.KeyNames(section)) {
                if (entries.size() < 32)
                    entries.push_back({section, key, file.ReadString(section, key, "\n", 4096)});
            }
        }
        for (const Entry& entry : entries)
            FUZZ_CHECK(entry.value != "\n");
        if (file.WriteString("Fuzz Section", "Key", value))
            FUZZ_CHECK(file.Flush());
    }
    PrivateProfileFile again(path);
    for (const Entry& entry : entries) {
        if (EqualsIgnoringCase(entry.section, "Fuzz Section"))
            continue;
        FUZZ_CHECK(again.ReadString(entry.section, entry.key, "\n", 4096) == entry.value);
    }
    return 0;
}
