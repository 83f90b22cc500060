// SPDX-License-Identifier: GPL-3.0-or-later
// One step of a document conversion as a macro client runs it, entirely in process: hand
// over a short text, find its change, confirm it without the dialog, and read each reply
// back from the item. The bus adds its own cost on top of this.

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>

#include "fakes/fake_about_window.h"
#include "fakes/fake_calculator_access.h"
#include "fakes/fake_formula_question.h"
#include "fakes/fake_settings_window.h"
#include "macro/dde_command.h"
#include "macro/macro_interpreter.h"
#include "platform/in_process_dde_server.h"
#include "platform/registry.h"

#include "engine_rig.h"

namespace kassavero {
namespace {

void FindAndConfirmRoundTrip(benchmark::State& state) {
    EngineRig rig;
    Engine& engine = rig.engine;
    InProcessDdeServer server("kassavero");
    testing::FakeFormulaQuestion formulas;
    testing::FakeCalculatorAccess calculator;
    testing::FakeSettingsWindow settingsWindow;
    testing::FakeAboutWindow aboutWindow;
    MacroInterpreter interpreter(
        server,
        MacroServices{engine, rig.profile, formulas, calculator, settingsWindow, aboutWindow,
                      rig.help, [] { return std::unique_ptr<Registry>(); }, ','},
        engine.EngineInit());
    server.Execute("System", "filter:opensession(bench,0)");

    std::string found;
    std::string confirmed;
    for (auto _ : state) {
        rig.ForgetQuestions();
        server.Execute("System", "filter:transfertext:Preis: 100 DM zzgl. Versand");
        server.Execute("System", "filter:findnextchange(0)");
        server.Request("System", "Filter", found);
        server.Execute("System", "filter:confirmchange(0,0)");
        server.Request("System", "Filter", confirmed);
        benchmark::DoNotOptimize(found.data());
        benchmark::DoNotOptimize(confirmed.data());
    }
    if (found != "[7;13;DEM;100]\r\n" || confirmed != "[YES;;new;]\r\n")
        state.SkipWithError("unexpected replies");
}
BENCHMARK(FindAndConfirmRoundTrip);

// The parser alone, on a chained settings command.
void ParseChainedCommand(benchmark::State& state) {
    const std::string command =
        "setvalue(\"Standard\",OutputLeftBracket,\"(\");setvalue(,OutputRightBracket,\\))";
    int calls = 0;
    const DdeFunctionHandler handler = [&](const std::string&, const std::vector<std::string>&,
                                           std::string&) { ++calls; };
    std::string reply;
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseDdeCommand(command, reply, handler));
    benchmark::DoNotOptimize(calls);
}
BENCHMARK(ParseChainedCommand);

}  // namespace
}  // namespace kassavero
