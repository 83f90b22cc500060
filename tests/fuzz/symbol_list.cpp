// SPDX-License-Identifier: GPL-3.0-or-later
// The text form of a symbol list: any text gives a list, and a list's text gives the
// same list again.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/unicode_text.h"
#include "fuzz_check.h"
#include "settings/symbol_list.h"

using namespace kassavero;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u32string text =
        Utf8ToText(std::string_view(reinterpret_cast<const char*>(data), size));
    SymbolList list;
    TextToSymbolList(text, list);
    const std::u32string written = SymbolListToText(list);
    SymbolList again;
    TextToSymbolList(written, again);
    FUZZ_CHECK(again == list);
    FUZZ_CHECK(SymbolListToText(again) == written);
    for (const TCurrencySymbol& entry : list) {
        FUZZ_CHECK(TCurrencySymbol::FromOptionNumber(entry.Symbol, entry.OptionNumber()) == entry);
    }
    return 0;
}
