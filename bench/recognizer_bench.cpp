// SPDX-License-Identifier: GPL-3.0-or-later
// How fast the recognizer tests a full text word by word, against the floor of only
// splitting the same text into words.

#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "core/text_words.h"
#include "engine/amount_recognizer.h"
#include "engine/everyday_scanner.h"
#include "engine/german_profile.h"
#include "settings/active_profile.h"

namespace kassavero {
namespace {

constexpr std::size_t kTextLength = 65535;
constexpr std::size_t kWordCount = TextWords::kMaxWords;

// Prose with amounts in marks, bare numbers, units, dates and paragraph signs.
constexpr std::array<const char32_t*, 10> kSentences = {
    U"Die Miete betr\xE4gt DM 1.250,00 im Monat, zahlbar bis zum dritten Werktag.",
    U"F\xFCr 12,5 kg Kartoffeln zahlten wir 18,40 DM auf dem Wochenmarkt.",
    U"Im Jahr 1998 kamen 3.400 Besucher; der Eintritt kostete 8,- DM.",
    U"Laut Rechnung Nr. 4711 vom 12.03.1999 sind 245,90 zu \xFC"
    U"berweisen.",
    U"Die Strecke ist 42 km lang und steigt auf den letzten 800 m um 7 % an.",
    U"Der Zuschuss von 500 Deutsche Mark wurde (wie vereinbart) am Montag ausgezahlt.",
    U"Porto: DM3,00 je Sendung, bei Eilzustellung 5DM zus\xE4tzlich.",
    U"Bitte beachten Sie \xA7 14 der Vertragsbedingungen und die Frist von 30 Tagen.",
    U"Der Kurs lag bei 1,95583 und die Geb\xFChr bei 0,50 DM pro Buchung.",
    U"\u201E"
    U"Das ist zu teuer\u201C, sagte sie, \u201E"
    U"f\xFCr 99,95 DM bekomme ich zwei davon.\u201C",
};

// Exactly kWordCount words in exactly kTextLength characters: the sentences repeated,
// cut after the last word, and the blanks between words widened as in a text laid out
// in columns.
std::u32string MakeText() {
    std::u32string text;
    for (std::size_t i = 0;; ++i) {
        const TextWords words(text);
        // Full, and the last word ends before the text does.
        if (words.Count() == kWordCount && words.End(kWordCount - 1) < text.size())
            break;
        text += kSentences[i % kSentences.size()];
        text += U' ';
    }
    const TextWords words(text);
    text.resize(words.End(kWordCount - 1));

    std::size_t gaps = 0;
    for (char32_t c : text)
        gaps += c == U' ' ? 1 : 0;
    const std::size_t extra = kTextLength - text.size();
    std::u32string padded;
    padded.reserve(kTextLength);
    std::size_t gap = 0;
    for (char32_t c : text) {
        if (c != U' ') {
            padded += c;
            continue;
        }
        const std::size_t width = 1 + extra / gaps + (gap < extra % gaps ? 1 : 0);
        padded.append(width, U' ');
        ++gap;
    }
    return padded;
}

const std::u32string& Text() {
    static const std::u32string text = MakeText();
    return text;
}

bool TextIsRight(benchmark::State& state) {
    if (Text().size() != kTextLength || TextWords(Text()).Count() != kWordCount) {
        state.SkipWithError("the benchmark text does not have its intended shape");
        return false;
    }
    return true;
}

void BM_RecognizeEveryWord(benchmark::State& state) {
    if (!TextIsRight(state))
        return;
    ActiveProfile profile;
    MakeGermanProfile(profile.MutableSettings());
    const AmountRecognizer recognizer(profile);
    std::size_t found = 0;
    for (auto _ : state) {
        const TextWords words(Text());
        TGeplanteAenderung proposal;
        found = 0;
        for (std::size_t i = 0; i < words.Count(); ++i) {
            if (recognizer.ScanAmount(words, i, proposal))
                ++found;
            benchmark::DoNotOptimize(proposal);
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kWordCount));
    state.counters["amounts"] = static_cast<double>(found);
}
BENCHMARK(BM_RecognizeEveryWord);

// The everyday recognition over the same text, as a session reads it: amount after
// amount to the end, each one's replacement position found.
void BM_RecognizeEverydayForms(benchmark::State& state) {
    if (!TextIsRight(state))
        return;
    ActiveProfile profile;
    MakeGermanProfile(profile.MutableSettings());
    const EverydayScanner scanner(profile.Settings(), DesktopRegion{kDEM, U',', false, 0x07, {}});
    std::size_t found = 0;
    for (auto _ : state) {
        const EverydayText text(Text());
        EverydayResult result;
        found = 0;
        for (std::size_t from = 0; scanner.Next(text, from, result); from = result.resume)
            found += result.convert ? 1 : 0;
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kWordCount));
    state.counters["amounts"] = static_cast<double>(found);
}
BENCHMARK(BM_RecognizeEverydayForms);

// The floor: the same text split into words and each word read, nothing recognised.
void BM_SplitOnly(benchmark::State& state) {
    if (!TextIsRight(state))
        return;
    for (auto _ : state) {
        const TextWords words(Text());
        for (std::size_t i = 0; i < words.Count(); ++i) {
            benchmark::DoNotOptimize(words.Word(i));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kWordCount));
}
BENCHMARK(BM_SplitOnly);

}  // namespace
}  // namespace kassavero
