// SPDX-License-Identifier: GPL-3.0-or-later
// The whole command interpreter behind ExecuteMacroLine, as the hidden main window holds
// it, with the engine, a German profile, a store in a scratch directory and the fakes
// for every window. Each line of the input is one macro line; every reply it leaves
// is an answer in brackets.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "confirm/engine_desktop_adapter.h"
#include "core/unicode_text.h"
#include "engine/engine.h"
#include "engine/german_profile.h"
#include "fakes/fake_about_window.h"
#include "fakes/fake_calculator_access.h"
#include "fakes/fake_confirmation.h"
#include "fakes/fake_formula_question.h"
#include "fakes/fake_help.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_settings_window.h"
#include "fakes/fake_translator.h"
#include "fuzz_check.h"
#include "macro/macro_interpreter.h"
#include "platform/in_process_dde_server.h"
#include "platform/message_loop.h"
#include "platform/registry_file.h"
#include "scratch_dir.h"
#include "settings/active_profile.h"

using namespace kassavero;

namespace {

// No events wait, and a wait for the user ends at once: the fakes answer without one.
class IdleLoop final : public MessageLoop {
  public:
    void ProcessPendingMessages() override {}
    void RunUntil(const std::function<bool()>&) override {}
};

struct Rig {
    Rig() {
        MakeGermanProfile(profile.MutableSettings());
        profile.SetProfiles({U"Standard", U"Reise"}, 0);
    }
    ActiveProfile profile;
    testing::FakeTranslator translator;
    testing::FakeMessageBoxes boxes;
    IdleLoop loop;
    testing::FakeHelp help;
    testing::FakeConfirmation confirmation;
    EngineDesktopAdapter desktop{boxes, loop, help};
    Engine engine{profile, translator, desktop, confirmation, DesktopRegion{}};
    InProcessDdeServer server{"kassavero"};
    testing::FakeFormulaQuestion formulas;
    testing::FakeCalculatorAccess calculator;
    testing::FakeSettingsWindow settingsWindow;
    testing::FakeAboutWindow aboutWindow;
    MacroInterpreter interpreter{
        server,
        MacroServices{engine, profile, formulas, calculator, settingsWindow, aboutWindow, help,
                      [] { return std::make_unique<RegistryFile>(ScratchDirectory() / "store"); },
                      U','},
        engine.EngineInit()};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u32string text =
        Utf8ToText(std::string_view(reinterpret_cast<const char*>(data), size));
    std::u32string_view input = text;
    std::filesystem::remove_all(ScratchDirectory() / "store");
    Rig rig;
    for (int count = 0; !input.empty() && count < 64; ++count) {
        const std::size_t end = input.find(U'\n');
        const std::u32string_view line = input.substr(0, end);
        input.remove_prefix(end == std::u32string_view::npos ? input.size() : end + 1);
        rig.interpreter.ExecuteMacroLine(line);
        // A reply is never cut short by a byte inside it.
        std::u32string lines;
        if (rig.server.Request(kSystemTopic, kFilterItem, lines) == DdeError::None)
            FUZZ_CHECK(lines.size() >= 2 && lines.compare(lines.size() - 2, 2, U"\r\n") == 0);
    }
    return 0;
}
