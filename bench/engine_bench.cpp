// Finds and confirms (without the dialog) every change of a 65,535-character text
// holding 300 amounts, as a macro client converting a long document would.

#include <benchmark/benchmark.h>

#include <string>

#include "engine/engine.h"
#include "fakes/fake_confirmation.h"
#include "fakes/fake_help.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_translator.h"
#include "platform/message_loop.h"
#include "settings/active_profile.h"

namespace kassavero {
namespace {

class IdleLoop final : public MessageLoop {
public:
    void ProcessPendingMessages() override {}
    void RunUntil(const std::function<bool()>&) override {}
};

std::string DocumentText() {
    const std::string amounts[] = {"DM 1.234,56", "99,95 DM", "12,50", "EUR 7", "300 ATS"};
    std::string text;
    int amount = 0;
    while (text.size() < 65535) {
        text += "Die Rechnung vom 3. Mai nennt ";
        if (amount < 300) text += amounts[amount++ % 5];
        text += " und 12 kg Ware. ";
    }
    text.resize(65535);
    return text;
}

void FindAndConfirmEveryChange(benchmark::State& state) {
    ActiveProfile profile;
    ProfileSettings& s = profile.MutableSettings();
    SettingsToDefaults(s, ',', '.', kDEM);
    LanguageSet german;
    german.set(0);
    for (CurrencyIndex c = 0; c < kCurrencyCount; ++c) {
        DefaultCurrencySymbols(s.InputSymbolsFor[c], c, german, kDEM, s);
    }
    DefaultNonCurrencySymbols(s.InputNonCurrencySymbols, german);
    s.RecomputeSymbolSets();
    testing::FakeTranslator translator;
    testing::FakeMessageBoxes boxes;
    IdleLoop loop;
    testing::FakeHelp help;
    testing::FakeConfirmation confirmation;
    Engine engine(profile, translator, boxes, loop, help, confirmation);
    const EngineHandle handle = engine.EngineInit();
    const std::string text = DocumentText();

    std::int64_t changes = 0;
    for (auto _ : state) {
        confirmation.asked.clear();
        confirmation.askFlags.clear();
        confirmation.calls.clear();
        const int id = engine.OpenSession(handle, "bench", false);
        engine.TransferText(handle, id, static_cast<long long>(text.size()), text, 0);
        FoundChange change;
        ChangeParts parts;
        while (engine.FindNextChange(handle, id, change)) {
            engine.ConfirmChange(handle, id, false, parts);
            ++changes;
        }
        engine.CloseSession(handle, id);
    }
    state.counters["changes/s"] =
        benchmark::Counter(static_cast<double>(changes), benchmark::Counter::kIsRate);
}
BENCHMARK(FindAndConfirmEveryChange)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kassavero
