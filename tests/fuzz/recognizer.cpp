// SPDX-License-Identifier: GPL-3.0-or-later
// The amount recognizer, word by word and with the everyday forms, on random text with a
// random profile: separators, options and symbol lists drawn from the input. Whatever it
// finds lies inside the text, and the everyday reading always moves on.

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/text_words.h"
#include "core/unicode_text.h"
#include "engine/amount_recognizer.h"
#include "engine/everyday_scanner.h"
#include "fuzz_check.h"
#include "settings/active_profile.h"
#include "settings/profile_settings.h"
#include "settings/symbol_list.h"

using namespace kassavero;

namespace {

TCurrencySymbol RandomSymbol(FuzzedDataProvider& input) {
    std::u32string symbol = Utf8ToText(input.ConsumeRandomLengthString(6));
    return TCurrencySymbol::FromOptionNumber(std::move(symbol),
                                             input.ConsumeIntegralInRange(0, 127));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    ActiveProfile profile;
    ProfileSettings& settings = profile.MutableSettings();
    const char32_t decimal = input.ConsumeBool() ? U',' : U'.';
    SettingsToDefaults(settings, decimal, decimal == U',' ? U'.' : U',',
                       input.ConsumeIntegralInRange<CurrencyIndex>(0, kCurrencyCount - 1));
    if (input.ConsumeBool()) {
        settings.InputDecimalSymbols = Utf8ToText(input.ConsumeRandomLengthString(6));
        settings.InputThousandSymbols = Utf8ToText(input.ConsumeRandomLengthString(6));
    }
    settings.InputThousandsAlways = input.ConsumeBool();
    settings.InputThousandsSometimes = input.ConsumeBool();
    settings.InputAcceptNegatives = input.ConsumeBool();
    settings.InputAcceptZero = input.ConsumeBool();
    settings.InputNumbersWithoutSymbols = input.ConsumeBool();
    settings.InputCheckForDecimalsActive = input.ConsumeBool();
    settings.InputCheckForDecimals = input.ConsumeIntegralInRange(-1, 20);
    settings.InputStopOnUnmarkedNumbers = input.ConsumeBool();
    settings.InputCheckForNonCurrencySymbols = input.ConsumeBool();
    settings.InputDefaultCurrency = input.ConsumeIntegralInRange(-2, kCurrencyCount + 1);
    for (CurrencyIndex c = 0; c < kCurrencyCount; ++c) {
        settings.InputAccept[c] = input.ConsumeBool();
        for (int i = input.ConsumeIntegralInRange(0, 3); i > 0; --i)
            settings.InputSymbolsFor[c].push_back(RandomSymbol(input));
    }
    for (int i = input.ConsumeIntegralInRange(0, 3); i > 0; --i)
        settings.InputNonCurrencySymbols.push_back(RandomSymbol(input));
    settings.RecomputeSymbolSets();
    const DesktopRegion region{
        input.ConsumeIntegralInRange<CurrencyIndex>(0, kCurrencyCount),
        input.ConsumeBool() ? U',' : U'.', input.ConsumeBool(),
        input.ConsumeIntegralInRange(0, 0x20),
        input.ConsumeBool() ? std::u32string_view(U"EEK") : std::u32string_view()};

    const TextWords words(Utf8ToText(input.ConsumeRemainingBytesAsString()));
    const AmountRecognizer recognizer(profile);
    for (std::size_t i = 0; i < words.Count(); ++i) {
        TGeplanteAenderung found;
        if (!recognizer.ScanAmount(words, i, found))
            continue;
        FUZZ_CHECK(found.Start <= found.End);
        FUZZ_CHECK(found.End <= words.Text().size());
        FUZZ_CHECK(found.OldText == words.Text().substr(found.Start, found.End - found.Start));
        FUZZ_CHECK(!std::isnan(found.Amount));
        FUZZ_CHECK(found.WordsBefore >= 0 && found.WordsBefore <= 3);
        FUZZ_CHECK(found.WordsAfter >= 0 && found.WordsAfter <= 3);
    }

    const EverydayText text(words.Text());
    const EverydayScanner scanner(settings, region);
    EverydayResult result;
    for (std::size_t from = 0; scanner.Next(text, from, result); from = result.resume) {
        const TGeplanteAenderung& found = result.proposal;
        FUZZ_CHECK(result.resume > from);
        FUZZ_CHECK(found.Start >= from && found.Start < found.End);
        FUZZ_CHECK(found.End <= words.Text().size());
        FUZZ_CHECK(found.OldText == words.Text().substr(found.Start, found.End - found.Start));
        FUZZ_CHECK(std::isfinite(found.Amount));
    }
    return 0;
}
