// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and loading a whole profile (282 values) through the registry file in a
// temporary directory.

#include <benchmark/benchmark.h>

#include "fakes/temp_dir.h"
#include "platform/registry_file.h"
#include "settings/transfer_ini_file.h"

namespace kassavero {
namespace {

// A profile as it looks after a start on a German system: defaults and full lists.
ProfileSettings TypicalProfile() {
    ProfileSettings settings;
    SettingsToDefaults(settings, ',', '.', kDEM);
    LanguageSet languages;
    languages.set(0);
    for (CurrencyIndex c = 0; c < kCurrencyCount; ++c) {
        DefaultCurrencySymbols(settings.InputSymbolsFor[c], c, languages, kDEM,
                               settings.CustomCurrencyName);
    }
    DefaultNonCurrencySymbols(settings.InputNonCurrencySymbols, languages);
    return settings;
}

void SaveProfile(benchmark::State& state) {
    testing::TempDir temp;
    RegistryFile store(temp.Path() / "Kassavero");
    TTransferIniFile file(store);
    ProfileSettings settings = TypicalProfile();
    int saves = 0;
    for (auto _ : state) {
        // One changed value per save, so every save has something to write.
        settings.CalculatorPrecision = saves++ % 4;
        file.TransferProfile(true, U"Bench", settings, U',');
    }
    if (store.WriteCount() != saves)
        state.SkipWithError("a save did not write the file once");
    state.counters["disk_writes_per_save"] =
        static_cast<double>(store.WriteCount()) / static_cast<double>(saves);
    state.counters["file_bytes"] =
        static_cast<double>(std::filesystem::file_size(store.FilePath()));
}
BENCHMARK(SaveProfile)->Unit(benchmark::kMicrosecond);

// What a start does: read and parse the file, then read the profile from it.
void LoadProfileFromDisk(benchmark::State& state) {
    testing::TempDir temp;
    {
        RegistryFile store(temp.Path() / "Kassavero");
        ProfileSettings settings = TypicalProfile();
        TTransferIniFile(store).TransferProfile(true, U"Bench", settings, U',');
    }
    for (auto _ : state) {
        RegistryFile store(temp.Path() / "Kassavero");
        ProfileSettings settings;
        TTransferIniFile(store).TransferProfile(false, U"Bench", settings, U',');
        benchmark::DoNotOptimize(settings.InputSymbolsFor[kDEM].size());
    }
}
BENCHMARK(LoadProfileFromDisk)->Unit(benchmark::kMicrosecond);

// What activating a profile or Cancel does: the file is already read.
void ReadProfileFromStore(benchmark::State& state) {
    testing::TempDir temp;
    RegistryFile store(temp.Path() / "Kassavero");
    ProfileSettings saved = TypicalProfile();
    TTransferIniFile file(store);
    file.TransferProfile(true, U"Bench", saved, U',');
    ProfileSettings settings;
    for (auto _ : state) {
        file.TransferProfile(false, U"Bench", settings, U',');
        benchmark::DoNotOptimize(settings.InputSymbolsFor[kDEM].size());
    }
    if (store.WriteCount() != 1)
        state.SkipWithError("reading wrote the file");
}
BENCHMARK(ReadProfileFromStore)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kassavero
