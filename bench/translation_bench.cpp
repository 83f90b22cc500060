// SPDX-License-Identifier: GPL-3.0-or-later
// Looking up texts in the shipped translation file. Every window looks up each of its
// captions once when it is created, so creating the settings window costs a few hundred
// lookups.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "i18n/translation.h"

namespace kassavero {
namespace {

namespace fs = std::filesystem;

// The shipped file leaves the language to the desktop; measure it as an English one.
const LanguageChoice kEnglish{{}, U"English"};

// A settled file: the cached copy is used and only the file's status is checked.
void BM_TranslateKeySettledFile(benchmark::State& state) {
    Translation translation(KASSAVERO_LANGUAGE_FILE, kEnglish);
    for (auto _ : state) {
        benchmark::DoNotOptimize(translation.TranslateKey("RechnerButton"));
    }
}
BENCHMARK(BM_TranslateKeySettledFile);

fs::path FreshCopy() {
    fs::path copy = fs::temp_directory_path() / "kassavero-bench-i18n.dat";
    fs::copy_file(KASSAVERO_LANGUAGE_FILE, copy, fs::copy_options::overwrite_existing);
    return copy;
}

// A file written moments ago: its time stamp cannot yet prove that it is unchanged, so each
// lookup compares the file's bytes with the cached copy.
void BM_TranslateKeyRecentFile(benchmark::State& state) {
    const fs::path copy = FreshCopy();
    Translation translation(copy, kEnglish);
    for (auto _ : state) {
        benchmark::DoNotOptimize(translation.TranslateKey("RechnerButton"));
    }
    fs::remove(copy);
}
BENCHMARK(BM_TranslateKeyRecentFile)->MinTime(0.3);

// A file changed before every lookup is read and parsed afresh each time.
void BM_TranslateKeyChangedFile(benchmark::State& state) {
    const fs::path copy = FreshCopy();
    Translation translation(copy, kEnglish);
    for (auto _ : state) {
        state.PauseTiming();
        ::utimensat(AT_FDCWD, copy.c_str(), nullptr, 0);  // now
        state.ResumeTiming();
        benchmark::DoNotOptimize(translation.TranslateKey("RechnerButton"));
    }
    fs::remove(copy);
}
BENCHMARK(BM_TranslateKeyChangedFile);

}  // namespace
}  // namespace kassavero
