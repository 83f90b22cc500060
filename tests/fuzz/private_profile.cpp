// SPDX-License-Identifier: GPL-3.0-or-later
// The initialisation-file reader on any file: every section and key it lists can be read,
// and a value written reads back as written while the rest of the file keeps its values.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "core/unicode_text.h"
#include "fuzz_check.h"
#include "platform/private_profile_file.h"
#include "scratch_dir.h"

using namespace kassavero;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::u32string value = Utf8ToText(input.ConsumeRandomLengthString(40));
    const std::string content = input.ConsumeRemainingBytesAsString();
    const std::filesystem::path path = ScratchDirectory() / "fuzz.ini";
    std::filesystem::remove(path);
    std::ofstream(path, std::ios::binary) << content;

    struct Entry {
        std::u32string section;
        std::u32string key;
        std::u32string value;
    };
    std::vector<Entry> entries;
    {
        PrivateProfileFile file(path);
        // Each read looks at the file again; a few dozen entries tell as much as all.
        for (const std::u32string& section : file.SectionNames()) {
            for (const std::u32string& key : file.KeyNames(section)) {
                if (entries.size() < 32)
                    entries.push_back({section, key, file.ReadString(section, key, U"\n", 4096)});
            }
        }
        for (const Entry& entry : entries)
            FUZZ_CHECK(entry.value != U"\n");
        if (file.WriteString(U"Fuzz Section", U"Key", value))
            FUZZ_CHECK(file.Flush());
    }
    PrivateProfileFile again(path);
    for (const Entry& entry : entries) {
        if (EqualsIgnoringCase(entry.section, U"Fuzz Section"))
            continue;
        FUZZ_CHECK(again.ReadString(entry.section, entry.key, U"\n", 4096) == entry.value);
    }
    return 0;
}
