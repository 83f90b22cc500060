// SPDX-License-Identifier: GPL-3.0-or-later
// One step of a document conversion as a macro client runs it, entirely in process: hand
// over a short text, find its change, confirm it without the dialog, and read each reply
// back from the item. The bus adds its own cost on top of this.

#include <benchmark/benchmark.h>

#include <cstdio>
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
#include "platform/vector_state.h"

#include "engine_rig.h"

namespace kassavero {
namespace {

// The interpreter over an engine, with fakes for the windows it may open.
struct InterpreterRig {
    EngineRig rig;
    InProcessDdeServer server{"kassavero"};
    testing::FakeFormulaQuestion formulas;
    testing::FakeCalculatorAccess calculator;
    testing::FakeSettingsWindow settingsWindow;
    testing::FakeAboutWindow aboutWindow;
    MacroInterpreter interpreter{
        server,
        MacroServices{rig.engine, rig.profile, formulas, calculator, settingsWindow, aboutWindow,
                      rig.help, [] { return std::unique_ptr<Registry>(); }, U','},
        rig.engine.EngineInit()};
};

void FindAndConfirmRoundTrip(benchmark::State& state) {
    InterpreterRig both;
    EngineRig& rig = both.rig;
    InProcessDdeServer& server = both.server;
    server.Execute(U"System", U"filter:opensession(bench,0)");

    std::u32string found;
    std::u32string confirmed;
    for (auto _ : state) {
        rig.ForgetQuestions();
        server.Execute(U"System", U"filter:transfertext:Preis: 100 DM zzgl. Versand");
        server.Execute(U"System", U"filter:findnextchange(0)");
        server.Request(U"System", U"Filter", found);
        server.Execute(U"System", U"filter:confirmchange(0,0)");
        server.Request(U"System", U"Filter", confirmed);
        benchmark::DoNotOptimize(found.data());
        benchmark::DoNotOptimize(confirmed.data());
    }
    if (found != U"[7;13;DEM;100]\r\n" || confirmed != U"[YES;;new;]\r\n")
        state.SkipWithError("unexpected replies");
}
BENCHMARK(FindAndConfirmRoundTrip);

// The 1 MB text bench/program_figures.sh converts through the bus: 10,000 lines of 99
// characters, one amount in each.
std::string FiguresText() {
    std::string text;
    char line[128];
    for (int i = 0; i < 10000; ++i) {
        std::snprintf(line, sizeof line,
                      "Die Lieferung vom Mai kostet %d,%02d DM, zahlbar bis Monatsende",
                      i % 997 + 1, i % 100);
        std::string padded = line;
        while (padded.size() < 99)
            padded += " x";
        text += padded.substr(0, 99) + "\n";
    }
    return text;
}

// The whole text converted as ConvertText does, without the bus: what the program's own
// work on that call costs.
void ConvertTextInProcess(benchmark::State& state) {
    InterpreterRig both;
    MacroInterpreter& interpreter = both.interpreter;
    const std::string text = FiguresText();
    for (auto _ : state) {
        const TextConversion converted = interpreter.ConvertText("bench", text);
        if (converted.outcome != TextConversion::Outcome::Done || converted.changes != 10000) {
            state.SkipWithError("not every amount of the text was converted");
            break;
        }
        benchmark::DoNotOptimize(converted.text.data());
    }
}
BENCHMARK(ConvertTextInProcess)->Unit(benchmark::kMillisecond);

#if defined(__x86_64__)
// Leaves the upper half of an AVX register in use, as a library may (the toolkit's start
// does). Built for plain x86-64, so the compiler adds no vzeroupper after it.
void LeaveUpperVectorStateInUse() {
    asm volatile("vpcmpeqd %%ymm1, %%ymm1, %%ymm1" ::: "xmm1");
}

// The same conversion with the upper vector state left in use before each run, without
// and with ClearUpperVectorState (/1), as the program calls it before its work.
void ConvertTextAfterAvxCode(benchmark::State& state) {
    if (!__builtin_cpu_supports("avx2")) {
        state.SkipWithError("no AVX2 on this processor");
        return;
    }
    InterpreterRig both;
    const std::string text = FiguresText();
    for (auto _ : state) {
        LeaveUpperVectorStateInUse();
        if (state.range(0) != 0)
            ClearUpperVectorState();
        const TextConversion converted = both.interpreter.ConvertText("bench", text);
        if (converted.outcome != TextConversion::Outcome::Done || converted.changes != 10000) {
            state.SkipWithError("not every amount of the text was converted");
            break;
        }
        benchmark::DoNotOptimize(converted.text.data());
    }
}
BENCHMARK(ConvertTextAfterAvxCode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
#endif

// The parser alone, on a chained settings command.
void ParseChainedCommand(benchmark::State& state) {
    const std::u32string command =
        U"setvalue(\"Standard\",OutputLeftBracket,\"(\");setvalue(,OutputRightBracket,\\))";
    int calls = 0;
    const DdeFunctionHandler handler = [&](const std::u32string&,
                                           const std::vector<std::u32string>&,
                                           std::u32string&) { ++calls; };
    std::u32string reply;
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseDdeCommand(command, reply, handler));
    benchmark::DoNotOptimize(calls);
}
BENCHMARK(ParseChainedCommand);

}  // namespace
}  // namespace kassavero
