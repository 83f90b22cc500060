// SPDX-License-Identifier: GPL-3.0-or-later
// The sessions with the real confirmation dialog behind them.

#include <gtest/gtest.h>

#include "confirm/dialog_fixture.h"
#include "confirm/engine_desktop_adapter.h"
#include "core/unicode_text.h"
#include "engine/engine.h"
#include "fakes/fake_message_boxes.h"

namespace kassavero {
namespace {

class EngineWithDialog : public testing::DialogTest {
  protected:
    EngineWithDialog() { handle = engine.EngineInit(); }

    // Opens a session on the text and finds its first change.
    int OpenOn(const std::u32string& text, bool show) {
        const int id = engine.OpenSession(handle, U"Writer", show);
        engine.TransferText(handle, id, static_cast<long long>(text.size()), text, 0);
        return id;
    }
    bool Next(int id) {
        FoundChange change;
        return engine.FindNextChange(handle, id, change);
    }

    testing::FakeMessageBoxes boxes;
    EngineDesktopAdapter desktop{boxes, loop, help};
    Engine engine{profile, translator, desktop, dialog, DesktopRegion{}};
    EngineHandle handle = 0;
    ReplacementParts parts;
};

TEST_F(EngineWithDialog, PriceInMarksBecomesEuroInReplaceMode) {
    Settings().OutputReplace = true;
    Settings().Output[kEUR].SymbolBeforeAmount = false;
    const int id = OpenOn(U"Preis: 100 DM", false);
    ASSERT_TRUE(Next(id));
    EXPECT_EQ(engine.ConfirmChange(handle, id, false, parts), 1);
    EXPECT_EQ(parts, (ReplacementParts{U"", U"51,13 \u20AC", U""}));
    EXPECT_EQ(loop.waits, 0);

    // Asked, the same parts come with the yes.
    Script({[&] { dialog.YesClicked(); }});
    const int shown = OpenOn(U"Preis: 100 DM", true);
    ASSERT_TRUE(Next(shown));
    EXPECT_EQ(engine.ConfirmChange(handle, shown, true, parts), 1);
    EXPECT_EQ(parts.Text(), U"51,13 \u20AC");
    engine.CloseSession(handle, shown);
    EXPECT_FALSE(dialog.Visible());
}

TEST_F(EngineWithDialog, EscapeStopsTheSessionUntilTheNextOneOpens) {
    const int id = OpenOn(U"DM 1, DM 2 und DM 3", true);
    ASSERT_TRUE(Next(id));
    Script({[&] { Key(DialogKey::Escape, ConfirmControl::YesButton); }});
    EXPECT_EQ(engine.ConfirmChange(handle, id, true, parts), 3);
    ASSERT_TRUE(Next(id));
    EXPECT_EQ(engine.ConfirmChange(handle, id, true, parts), 3);
    ASSERT_TRUE(Next(id));
    EXPECT_EQ(engine.ConfirmChange(handle, id, false, parts), 3);
    EXPECT_EQ(loop.waits, 1) << "nothing is asked once the user cancelled";

    const int next = OpenOn(U"DM 4", true);
    ASSERT_TRUE(Next(next));
    Script({[&] { Key(U'j'); }});
    EXPECT_EQ(engine.ConfirmChange(handle, next, true, parts), 1);
}

TEST_F(EngineWithDialog, ClosingTheSessionDuringItsQuestionLeavesNoWaitBehind) {
    const int id = OpenOn(U"DM 1", true);
    ASSERT_TRUE(Next(id));
    Script({[&] { engine.CloseSession(handle, id); }});
    EXPECT_EQ(engine.ConfirmChange(handle, id, true, parts), 3);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_FALSE(dialog.QuestionOpen());
    EXPECT_FALSE(engine.SessionExists(handle, id));
}

// The program ending while a client waits for the user: that client and every later
// one hear "cancelled", never "declined", so none goes on converting.
class EndingTheProgram : public EngineWithDialog, public ::testing::WithParamInterface<bool> {};

TEST_P(EndingTheProgram, DuringAQuestionCancelsTheConversion) {
    const bool fromTheTray = GetParam();
    const int id = OpenOn(U"DM 1 und DM 2", true);
    ASSERT_TRUE(Next(id));
    Script({[&] {
        if (fromTheTray) {
            EXPECT_TRUE(engine.ConfirmQuit());  // answered Yes
        } else {
            // A signal: the event loop gives the wait up unanswered.
            engine.BeginShutdown();
            dialog.Hide();
        }
    }});
    EXPECT_EQ(engine.ConfirmChange(handle, id, true, parts), 3);
    const int waits = loop.waits;
    ASSERT_TRUE(Next(id));
    EXPECT_EQ(engine.ConfirmChange(handle, id, false, parts), 3);
    EXPECT_EQ(loop.waits, waits) << "nothing is asked while the program ends";
}

INSTANTIATE_TEST_SUITE_P(Ways, EndingTheProgram, ::testing::Values(true, false),
                         [](const auto& param) { return param.param ? "Tray" : "Signal"; });

}  // namespace
}  // namespace kassavero
