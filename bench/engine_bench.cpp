// SPDX-License-Identifier: GPL-3.0-or-later
// Finds and confirms (without the dialog) every change of a 65,535-character text
// holding 300 amounts, as a macro client converting a long document would: paragraph
// by paragraph, since a session looks at no more than 1024 words of one transfer.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine_rig.h"

namespace kassavero {
namespace {

// 300 paragraphs, each with one amount among ordinary words and a unit, 65,535
// characters in all.
std::vector<std::u32string> DocumentParagraphs() {
    // Each one an amount the default reading converts: a bare number or a euro amount
    // would be left alone, and the count below could not tell a missed amount from it.
    const std::u32string amounts[] = {U"DM 1.234,56", U"99,95 DM", U"DEM 12,50", U"ATS 7",
                                      U"300 ATS"};
    const std::u32string head =
        U"Die Rechnung vom Mai nennt f\xFCr die Lieferung von 12 kg Ware den Betrag ";
    const std::u32string tail =
        U" zahlbar bis Monatsende auf das bekannte Konto. Mit freundlichen Gr\xFC\xDF"
        U"en\n";
    std::vector<std::u32string> paragraphs;
    std::size_t total = 0;
    for (int i = 0; i < 300; ++i) {
        paragraphs.push_back(head + amounts[i % 5] + tail);
        total += paragraphs.back().size();
    }
    // Spread what is left over the paragraphs as a closing sentence of filler words.
    for (std::size_t i = 0; total < 65535; i = (i + 1) % paragraphs.size()) {
        const std::u32string word =
            total + 4 <= 65535 ? U"Ok. " : std::u32string(65535 - total, U' ');
        paragraphs[i] += word;
        total += word.size();
    }
    return paragraphs;
}

void FindAndConfirmEveryChange(benchmark::State& state) {
    EngineRig rig;
    Engine& engine = rig.engine;
    const EngineHandle handle = engine.EngineInit();
    const std::vector<std::u32string> paragraphs = DocumentParagraphs();

    std::int64_t changes = 0;
    for (auto _ : state) {
        rig.ForgetQuestions();
        const int id = engine.OpenSession(handle, U"bench", false);
        for (const auto& paragraph : paragraphs) {
            engine.TransferText(handle, id, static_cast<long long>(paragraph.size()), paragraph, 0);
            FoundChange change;
            ReplacementParts parts;
            while (engine.FindNextChange(handle, id, change)) {
                engine.ConfirmChange(handle, id, false, parts);
                ++changes;
            }
        }
        engine.CloseSession(handle, id);
        if (changes % 300 != 0) {
            state.SkipWithError("not every amount of the text was found");
            break;
        }
    }
    state.counters["changes/s"] =
        benchmark::Counter(static_cast<double>(changes), benchmark::Counter::kIsRate);
}
BENCHMARK(FindAndConfirmEveryChange)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kassavero
