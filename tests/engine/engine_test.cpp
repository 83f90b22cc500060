// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/engine.h"

#include <gtest/gtest.h>

#include "confirm/engine_desktop_adapter.h"
#include "core/unicode_text.h"
#include "engine/german_profile.h"
#include "fakes/fake_confirmation.h"
#include "fakes/fake_help.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_message_loop.h"
#include "fakes/fake_translator.h"
#include "settings/active_profile.h"

namespace kassavero {
namespace {

using testing::FakeConfirmation;

class EngineTest : public ::testing::Test {
  protected:
    EngineTest() {
        MakeGermanProfile(profile.MutableSettings());
        // The sessions' own rules, word by word; the everyday forms have tests of their own.
        profile.MutableSettings().InputEverydayForms = false;
        handle = engine.EngineInit();
    }

    int Open(const std::u32string& name = U"Writer") {
        return engine.OpenSession(handle, name, false);
    }

    ActiveProfile profile;
    testing::FakeTranslator translator;
    testing::FakeMessageBoxes boxes;
    testing::FakeMessageLoop loop;
    testing::FakeHelp help;
    FakeConfirmation confirmation;
    EngineDesktopAdapter desktop{boxes, loop, help};
    Engine engine{profile, translator, desktop, confirmation, DesktopRegion{}};
    EngineHandle handle = 0;
};

TEST_F(EngineTest, HandleIsNonZeroStableAndGoneAfterShutdown) {
    EXPECT_NE(handle, 0u);
    EXPECT_LT(handle, 32768u * 65536u);
    EXPECT_EQ(engine.EngineInit(), handle);
    engine.Shutdown();
    EXPECT_EQ(engine.Handle(), 0u);
    EXPECT_EQ(engine.OpenSession(handle, U"x", false), -1);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, U"[KassaveroLibInitError]");
}

TEST_F(EngineTest, EleventhSessionIsRefusedAndTheLowestFreeSlotIsReused) {
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(Open(), i);
    translator.texts = {{"ZuVieleSessions1", U"Zu viele: "}, {"ZuVieleSessions2", U" offen."}};
    EXPECT_EQ(Open(), -1);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, U"Zu viele: 10 offen.");
    EXPECT_EQ(boxes.shown[0].caption, U"Kassavero");
    EXPECT_EQ(boxes.shown[0].flags, mb::kOk | mb::kIconWarning);
    engine.CloseSession(handle, 7);
    engine.CloseSession(handle, 3);
    EXPECT_EQ(Open(), 3);
    EXPECT_EQ(Open(), 7);
}

TEST_F(EngineTest, OpeningPreparesTheDialogAndShowsItWhenAsked) {
    confirmation.stopRequest = 2;
    confirmation.dialogMode = kDialogPaused;
    const int id = engine.OpenSession(handle, U"Calc", true);
    EXPECT_EQ(confirmation.stopRequest, 0);
    EXPECT_EQ(confirmation.dialogMode, kDialogRunning);
    EXPECT_EQ(confirmation.calls, (std::vector<std::u32string>{U"hints", U"mode", U"show"}));
    engine.CloseSession(handle, id);
    EXPECT_FALSE(confirmation.visible);
}

TEST_F(EngineTest, FindsPriceInMarks) {
    const int id = Open();
    engine.TransferText(handle, id, 13, U"Preis: 100 DM", 0);
    FoundChange change;
    ASSERT_TRUE(engine.FindNextChange(handle, id, change));
    EXPECT_EQ(change.Start, 7u);
    EXPECT_EQ(change.End, 13u);
    EXPECT_EQ(change.Currency, kDEM);
    EXPECT_EQ(change.Amount, 100.0);
    EXPECT_EQ(engine.Session(id)->Proposal.OldText, U"100 DM");
    EXPECT_FALSE(engine.FindNextChange(handle, id, change));
}

TEST_F(EngineTest, EverydayReadingFollowsSettingsChangedBetweenSearches) {
    profile.MutableSettings().InputEverydayForms = true;
    const int id = Open();
    FoundChange change;
    engine.TransferText(handle, id, 0, U"Preis: 100 Taler", 0);
    EXPECT_FALSE(engine.FindNextChange(handle, id, change));
    // A symbol added to the list in place, as a command or the settings window does.
    profile.MutableSettings().SymbolListOf(kDEM).push_back(TCurrencySymbol{U"Taler"});
    engine.TransferText(handle, id, 0, U"Preis: 100 Taler", 0);
    ASSERT_TRUE(engine.FindNextChange(handle, id, change));
    EXPECT_EQ(change.Currency, kDEM);
    profile.MutableSettings().SymbolListOf(kDEM).pop_back();
    engine.TransferText(handle, id, 0, U"Preis: 100 Taler", 0);
    EXPECT_FALSE(engine.FindNextChange(handle, id, change));
}

TEST_F(EngineTest, TextWithoutAmountsEndsAtOnceAndANewTransferRestarts) {
    const int id = Open();
    engine.TransferText(handle, id, 0, U"nothing to see here", 0);
    FoundChange change;
    EXPECT_FALSE(engine.FindNextChange(handle, id, change));
    EXPECT_EQ(engine.Session(id)->ReadPosition, engine.Session(id)->Words.Count());
    EXPECT_FALSE(engine.FindNextChange(handle, id, change));

    engine.TransferText(handle, id, 0, U"DM 5 and DM 6", 0);
    ASSERT_TRUE(engine.FindNextChange(handle, id, change));
    EXPECT_EQ(change.Amount, 5.0);
    engine.TransferText(handle, id, 0, U"DM 5 and DM 6", 0);
    ASSERT_TRUE(engine.FindNextChange(handle, id, change));
    EXPECT_EQ(change.Amount, 5.0);
    ASSERT_TRUE(engine.FindNextChange(handle, id, change));
    EXPECT_EQ(change.Amount, 6.0);
    EXPECT_EQ(change.Start, 9u);
}

TEST_F(EngineTest, ANewTextEvenAnEmptyOneDropsTheLastProposal) {
    const int id = Open();
    engine.TransferText(handle, id, 0, U"Preis: 100 DM", 0);
    FoundChange change;
    ASSERT_TRUE(engine.FindNextChange(handle, id, change));
    engine.TransferText(handle, id, 0, U"", 0);
    EXPECT_FALSE(engine.FindNextChange(handle, id, change));
    EXPECT_EQ(engine.Session(id)->Proposal, TGeplanteAenderung{});
}

TEST_F(EngineTest, PendingEventsRunBeforeTransferAndSearch) {
    const int id = Open();
    int ran = 0;
    loop.pending.push_back([&] { ++ran; });
    engine.TransferText(handle, id, 0, U"DM 5", 0);
    EXPECT_EQ(ran, 1);
    // The search straight after the hand-over has nothing new to run.
    loop.pending.push_back([&] { engine.CloseSession(handle, id); });
    FoundChange change;
    EXPECT_TRUE(engine.FindNextChange(handle, id, change));
    // A later one runs it first; the session it closed fails the search cleanly.
    EXPECT_FALSE(engine.FindNextChange(handle, id, change));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, U"[KassaveroSessionInitError]");
}

TEST_F(EngineTest, PassesOverCurrenciesNotAcceptedAndBareNumbersWithoutDefault) {
    ProfileSettings& s = profile.MutableSettings();
    s.InputAccept[kDEM] = false;
    s.InputDefaultCurrency = -1;
    const int id = Open();
    engine.TransferText(handle, id, 0, U"DM 5, 12,50 and 7 ATS", 0);
    FoundChange change;
    ASSERT_TRUE(engine.FindNextChange(handle, id, change));
    EXPECT_EQ(change.Currency, kATS);
    EXPECT_EQ(change.Amount, 7.0);
}

TEST_F(EngineTest, ConfirmAnswersAndStopsAfterACancel) {
    const int id = Open();
    engine.TransferText(handle, id, 0, U"DM 1 DM 2 DM 3 DM 4", 0);
    FoundChange change;
    ReplacementParts parts;
    confirmation.replies = {FakeConfirmation::Reply::Yes, FakeConfirmation::Reply::No,
                            FakeConfirmation::Reply::Cancel};
    ASSERT_TRUE(engine.FindNextChange(handle, id, change));
    EXPECT_EQ(engine.ConfirmChange(handle, id, true, parts), 1);
    EXPECT_EQ(parts.Middle, U"new");
    EXPECT_EQ(confirmation.asked.back().Amount, 1.0);
    ASSERT_TRUE(engine.FindNextChange(handle, id, change));
    EXPECT_EQ(engine.ConfirmChange(handle, id, true, parts), 0);
    // The change cancelled at answers cancelled, so a client asked its last change learns it.
    ASSERT_TRUE(engine.FindNextChange(handle, id, change));
    EXPECT_EQ(engine.ConfirmChange(handle, id, true, parts), 3);
    ASSERT_TRUE(engine.FindNextChange(handle, id, change));
    EXPECT_EQ(engine.ConfirmChange(handle, id, true, parts), 3);
    EXPECT_EQ(confirmation.asked.size(), 3u);  // the fourth was not asked

    // Every session answers stopped until the next one opens.
    const int other = Open(U"Other");
    engine.TransferText(handle, other, 0, U"DM 9", 0);
    ASSERT_TRUE(engine.FindNextChange(handle, other, change));
    EXPECT_EQ(engine.ConfirmChange(handle, other, false, parts), 1);
}

TEST_F(EngineTest, ConfirmWithoutDialogPassesTheFlagAndClientName) {
    const int id = Open(U"Text client");
    engine.TransferText(handle, id, 0, U"DM 1", 0);
    FoundChange change;
    ReplacementParts parts;
    ASSERT_TRUE(engine.FindNextChange(handle, id, change));
    EXPECT_EQ(engine.ConfirmChange(handle, id, false, parts), 1);
    EXPECT_EQ(confirmation.askFlags, std::vector<bool>{false});
    EXPECT_EQ(confirmation.calls.back(), U"ask Text client");
}

struct CheckCase {
    const char32_t* name;
    bool wrongHandle;
    int session;
    const char32_t* message;
};

class SessionChecks : public EngineTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(SessionChecks, EveryOperationWarnsAndFails) {
    const int open = Open();
    ASSERT_EQ(open, 0);
    const CheckCase& c = GetParam();
    const EngineHandle h = c.wrongHandle ? handle + 1 : handle;
    FoundChange change;
    ReplacementParts parts;
    EXPECT_FALSE(engine.SessionExists(h, c.session));
    EXPECT_TRUE(boxes.shown.empty()) << "SessionExists never shows a message";

    engine.TransferText(h, c.session, 0, U"DM 1", 0);
    EXPECT_FALSE(engine.FindNextChange(h, c.session, change));
    EXPECT_EQ(engine.ConfirmChange(h, c.session, false, parts), 0);
    engine.CloseSession(h, c.session);
    ASSERT_EQ(boxes.shown.size(), 4u);
    for (const auto& shown : boxes.shown) {
        EXPECT_EQ(shown.text, std::u32string(U"[") + c.message + U"]");
        EXPECT_EQ(shown.caption, U"Kassavero");
        EXPECT_EQ(shown.flags, mb::kOk | mb::kIconWarning);
    }
    EXPECT_TRUE(engine.SessionExists(handle, open));
}

INSTANTIATE_TEST_SUITE_P(
    Table, SessionChecks,
    ::testing::Values(CheckCase{U"WrongHandle", true, 0, U"KassaveroLibInitError"},
                      CheckCase{U"NegativeId", false, -1, U"UngueltigeSession"},
                      CheckCase{U"IdTen", false, 10, U"UngueltigeSession"},
                      CheckCase{U"EmptySlot", false, 4, U"KassaveroSessionInitError"}),
    [](const auto& param) { return TextToUtf8(param.param.name); });

TEST_F(EngineTest, QuitWithoutSessionsClosesHelpAndHidesTheDialog) {
    confirmation.visible = true;
    EXPECT_TRUE(engine.ConfirmQuit());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(help.calls, std::vector<std::string>{"close"});
    EXPECT_FALSE(confirmation.visible);
}

TEST_F(EngineTest, QuitWithOpenSessionsAsks) {
    translator.texts = {{"NochAktiveVerbindungen", U"Noch verbunden: "},
                        {"KassaveroBeendenBestaetigung", U"Trotzdem beenden?"}};
    Open(U"Writer");
    Open(U"Calc");
    engine.CloseSession(handle, 0);
    Open(U"Draw");
    for (int answer : {kIdNo, kIdCancel}) {
        boxes.answers = {answer};
        EXPECT_FALSE(engine.ConfirmQuit());
    }
    EXPECT_TRUE(help.calls.empty());
    boxes.answers = {kIdYes};
    EXPECT_TRUE(engine.ConfirmQuit());
    EXPECT_EQ(boxes.shown.back().text, U"Noch verbunden: Draw, Calc. Trotzdem beenden?");
    EXPECT_EQ(boxes.shown.back().flags, mb::kYesNoCancel | mb::kDefaultButton2);
    EXPECT_EQ(help.calls, std::vector<std::string>{"close"});
}

TEST_F(EngineTest, LongTextsKeepExactOffsets) {
    // Far beyond 65,535 characters: the offsets must still point at the amount.
    std::u32string text(70000, U' ');
    text += U"DM 12";
    const int id = Open();
    engine.TransferText(handle, id, static_cast<long long>(text.size()), text, 0);
    FoundChange change;
    ASSERT_TRUE(engine.FindNextChange(handle, id, change));
    EXPECT_EQ(change.Start, 70000u);
    EXPECT_EQ(change.End, 70005u);
    EXPECT_EQ(text.substr(change.Start, change.End - change.Start), U"DM 12");
}

}  // namespace
}  // namespace kassavero
