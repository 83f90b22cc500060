// SPDX-License-Identifier: GPL-3.0-or-later
// UTF-8 <-> program text: any bytes read as text and written back are valid UTF-8 that
// reads as the same text, a broken sequence costs one character, and letter case folds
// to a fixed point that compares equal to the text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/unicode_text.h"
#include "core/win1252.h"
#include "fuzz_check.h"

using namespace kassavero;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::u32string text = Utf8ToText(bytes);
    FUZZ_CHECK(text.size() <= bytes.size());
    const std::string utf8 = TextToUtf8(text);
    FUZZ_CHECK(IsValidUtf8(utf8));
    FUZZ_CHECK(Utf8ToText(utf8) == text);
    if (IsValidUtf8(bytes))
        FUZZ_CHECK(utf8 == bytes);

    const std::u32string lower = LowerCase(text);
    FUZZ_CHECK(lower.size() == text.size());
    FUZZ_CHECK(LowerCase(lower) == lower);
    FUZZ_CHECK(EqualsIgnoringCase(text, lower));

    // The same bytes as an older file's Windows-1252.
    const std::u32string western = Win1252ToText(bytes);
    FUZZ_CHECK(western.size() == bytes.size());
    for (std::size_t i = 0; i < western.size(); ++i)
        FUZZ_CHECK(CodePointToWin1252(western[i]) == static_cast<unsigned char>(bytes[i]));
    return 0;
}
