// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The interpreter as the hidden main window holds it, on the in-process server, with the
// engine, a German profile, a store in a fresh directory and fakes for every window.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "confirm/engine_desktop_adapter.h"
#include "engine/engine.h"
#include "engine/german_profile.h"
#include "fakes/fake_about_window.h"
#include "fakes/fake_calculator_access.h"
#include "fakes/fake_formula_question.h"
#include "fakes/fake_help.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_message_loop.h"
#include "fakes/fake_settings_window.h"
#include "fakes/fake_translator.h"
#include "fakes/temp_dir.h"
#include "macro/macro_interpreter.h"
#include "platform/in_process_dde_server.h"
#include "platform/registry_file.h"
#include "settings/active_profile.h"

namespace kassavero::testing {

template <typename ConfirmationType>
class MacroRig : public ::testing::Test {
  protected:
    MacroRig() {
        MakeGermanProfile(profile.MutableSettings());
        profile.SetProfiles({U"Standard", U"Reise"}, 0);
        server.SetAdviseSink([this](std::u32string_view item, std::u32string_view data) {
            advised.emplace_back(item, data);
        });
    }

    // Executes a macro line on the topic "System" and answers what a client then
    // requests from the item.
    std::u32string Execute(std::u32string_view line, std::u32string_view item = kFilterItem) {
        EXPECT_EQ(server.Execute(kSystemTopic, line), DdeError::None);
        return Request(item);
    }

    // The item's text as a request delivers it, without the closing CR LF.
    std::u32string Request(std::u32string_view item) {
        std::u32string data;
        EXPECT_EQ(server.Request(kSystemTopic, item, data), DdeError::None);
        if (data.size() >= 2 && data.compare(data.size() - 2, 2, U"\r\n") == 0)
            data.resize(data.size() - 2);
        return data;
    }

    std::unique_ptr<Registry> OpenStore() {
        ++storesOpened;
        return std::make_unique<RegistryFile>(storeDirectory.Path());
    }
    int storesOpened = 0;

    ActiveProfile profile;
    FakeTranslator translator;
    FakeMessageBoxes boxes;
    FakeMessageLoop loop;
    FakeHelp help;
    ConfirmationType confirmation;
    EngineDesktopAdapter desktop{boxes, loop, help};
    Engine engine{profile, translator, desktop, confirmation, DesktopRegion{}};
    InProcessDdeServer server{"kassavero"};
    FakeFormulaQuestion formulas;
    FakeCalculatorAccess calculator;
    FakeSettingsWindow settingsWindow;
    FakeAboutWindow aboutWindow;
    TempDir storeDirectory;
    std::vector<std::pair<std::u32string, std::u32string>> advised;
    MacroInterpreter interpreter{
        server,
        MacroServices{engine, profile, formulas, calculator, settingsWindow, aboutWindow, help,
                      [this] { return OpenStore(); }, U','},
        engine.EngineInit()};
};

}  // namespace kassavero::testing
