// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1252 <-> UTF-8: every byte text survives the way out and back (the place of
// another letter comes back as "?"), text the program keeps reads back as itself, and
// whatever comes out as UTF-8 is valid UTF-8.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/win1252.h"
#include "fuzz_check.h"

using namespace kassavero;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = Win1252ToUtf8(bytes);
    FUZZ_CHECK(IsValidUtf8(utf8));
    std::string expected(bytes);
    std::replace(expected.begin(), expected.end(), kAnotherLetter, '?');
    FUZZ_CHECK(Utf8ToWin1252(utf8) == expected);

    // The same bytes read as UTF-8, whatever they hold.
    const std::string narrow = Utf8ToWin1252(bytes);
    FUZZ_CHECK(narrow.size() <= bytes.size());
    FUZZ_CHECK(IsValidUtf8(Win1252ToUtf8(narrow)));
    if (IsValidUtf8(bytes)) {
        std::size_t position = 0;
        while (position < bytes.size()) {
            const Utf8Character c = DecodeUtf8(bytes, position);
            FUZZ_CHECK(c.length > 0);
            position += c.length;
        }
        FUZZ_CHECK(position == bytes.size());
    }
    // Kept text: one program character for each character read, places included.
    const std::string kept = AdoptUtf8(bytes);
    FUZZ_CHECK(kept.size() == narrow.size());
    FUZZ_CHECK(Utf8ToWin1252(Win1252ToUtf8(kept)) == kept);
    FUZZ_CHECK(EqualsIgnoringCase(kept, LowerCaseLatin1(kept)));
    FUZZ_CHECK(EqualsIgnoringCase(bytes, LowerCaseLatin1(bytes)));
    return 0;
}
