// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The engine on the default German profile with every adapter stood in for, as the
// benchmarks of sessions and macro commands use it.

#include "confirm/engine_desktop_adapter.h"
#include "engine/engine.h"
#include "engine/german_profile.h"
#include "fakes/fake_confirmation.h"
#include "fakes/fake_help.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_translator.h"
#include "idle_message_loop.h"
#include "settings/active_profile.h"

namespace kassavero {

struct EngineRig {
    EngineRig() { MakeGermanProfile(profile.MutableSettings()); }

    // The fake confirmation records every question; a long run must not keep them.
    void ForgetQuestions() {
        confirmation.asked.clear();
        confirmation.askFlags.clear();
        confirmation.calls.clear();
    }

    ActiveProfile profile;
    testing::FakeTranslator translator;
    testing::FakeMessageBoxes boxes;
    IdleLoop loop;
    testing::FakeHelp help;
    testing::FakeConfirmation confirmation;
    EngineDesktopAdapter desktop{boxes, loop, help};
    Engine engine{profile, translator, desktop, confirmation, DesktopRegion{}};
};

}  // namespace kassavero
