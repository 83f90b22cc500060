// SPDX-License-Identifier: GPL-3.0-or-later
#include "macro/status_file.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <string>

#include "core/unicode_text.h"
#include "fakes/fake_confirmation.h"
#include "fakes/fake_private_profile.h"
#include "macro_test_rig.h"
#include "platform/private_profile_file.h"

namespace kassavero {
namespace {

class StatusFileTest : public testing::MacroRig<testing::FakeConfirmation> {
  protected:
    std::u32string Value(const std::u32string& key) {
        for (const auto& entry : file.flushed) {
            if (LowerCase(entry.section) == U"general" && LowerCase(entry.key) == LowerCase(key))
                return entry.value;
        }
        return U"<absent>";
    }

    testing::FakePrivateProfile file;
    StatusFile status{file, interpreter};
};

TEST_F(StatusFileTest, MessageWithAcknowledgementRunsTheCommandAndAnswersInTheFile) {
    file.WriteString(U"general", U"ddeconv", U"settings:showdialog");
    EXPECT_TRUE(status.HandleMessage(1035));
    EXPECT_EQ(settingsWindow.shown.size(), 1u);
    EXPECT_EQ(Value(U"ddeconv"), U"[OK]");
    EXPECT_EQ(Value(U"DDEAck"), U"1");
    EXPECT_EQ(file.flushCount, 2);
    // The reply also went to the item, as for any macro line.
    EXPECT_EQ(Request(kSettingsItem), U"[OK]");
}

TEST_F(StatusFileTest, MessageWithoutAcknowledgementLeavesDdeAckAlone) {
    file.WriteString(U"General", U"DDEConv", U"filter:testconnection");
    EXPECT_TRUE(status.HandleMessage(1034));
    EXPECT_EQ(Value(U"DDEConv"), U"[OK]");
    EXPECT_EQ(Value(U"DDEAck"), U"<absent>");
    EXPECT_EQ(file.flushCount, 1);
}

TEST_F(StatusFileTest, EveryLineGetsItsOwnReplyEvenAFaultyOne) {
    const struct {
        const char32_t* command;  // nullptr: no value at all
        const char32_t* reply;
    } cases[] = {
        {nullptr, U"[ERROR. DDE Macro has to have the form <Item>:<Command>]"},
        {U"", U"[ERROR. DDE Macro has to have the form <Item>:<Command>]"},
        {U"word:x", U"[ERROR. Unknown item word]"},
        {U"filter:transfertext7:a;b", U"[transfertext7:a;b]"},
        {U"calculator:setvalue(dem,1)",
         U"[ERROR. Invalid argument in call to function setvalue: dem]"},
    };
    for (const auto& c : cases) {
        file.entries.clear();
        if (c.command != nullptr)
            file.WriteString(U"General", U"DDEConv", c.command);
        status.HandleMessage(1034);
        EXPECT_EQ(Value(U"DDEConv"), c.reply) << TextToUtf8((c.command ? c.command : U"absent"));
    }
}

TEST_F(StatusFileTest, CommandsAreCutTo255Characters) {
    const std::u32string text(280, U'x');
    file.WriteString(U"General", U"DDEConv", U"filter:transfertext:" + text);
    status.HandleMessage(1034);
    EXPECT_EQ(interpreter.FPendingText(), std::u32string(255 - 20, U'x'));
    EXPECT_EQ(Value(U"DDEConv"), U"[transfertext:" + std::u32string(235, U'x') + U"]");
}

TEST_F(StatusFileTest, OtherMessagesDoNothing) {
    file.WriteString(U"General", U"DDEConv", U"settings:showdialog");
    for (const std::uint32_t message : {0u, 1024u, 1033u, 1036u})
        EXPECT_FALSE(status.HandleMessage(message)) << message;
    EXPECT_TRUE(settingsWindow.shown.empty());
    EXPECT_EQ(file.flushCount, 0);
}

TEST_F(StatusFileTest, RunsAndStatusBracketTheProgramsLife) {
    status.WriteRuns(true);
    EXPECT_EQ(Value(U"Runs"), U"1");
    status.WriteDdeStatus(true);
    EXPECT_EQ(Value(U"DDEStatus"), U"OK");
    status.WriteDdeStatus(false);
    EXPECT_EQ(Value(U"DDEStatus"), U"");
    status.WriteRuns(false);
    EXPECT_EQ(Value(U"Runs"), U"");
    EXPECT_EQ(file.flushCount, 4);
}

TEST_F(StatusFileTest, WorksOnTheFileOnDisk) {
    const std::filesystem::path path = StatusFilePath(storeDirectory.Path());
    EXPECT_EQ(path.filename(), "KASSAVR.INI");
    PrivateProfileFile disk(path);
    StatusFile onDisk(disk, interpreter);
    onDisk.WriteRuns(true);
    // A client writes its command into the file and sends the message.
    testing::WriteFileText(path, testing::ReadFileText(path) + U"DDEConv=settings:showabout\n");
    EXPECT_TRUE(onDisk.HandleMessage(1035));
    EXPECT_EQ(aboutWindow.shown, 1);
    EXPECT_EQ(testing::ReadFileText(path), U"[General]\nRuns=1\nDDEConv=[OK]\nDDEAck=1\n");
}

}  // namespace
}  // namespace kassavero
