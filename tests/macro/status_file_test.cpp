// SPDX-License-Identifier: GPL-3.0-or-later
#include "macro/status_file.h"

#include <gtest/gtest.h>

#include <string>

#include "core/win1252.h"
#include "fakes/fake_confirmation.h"
#include "fakes/fake_private_profile.h"
#include "macro_test_rig.h"
#include "platform/private_profile_file.h"

namespace kassavero {
namespace {

class StatusFileTest : public testing::MacroRig<testing::FakeConfirmation> {
  protected:
    std::string Value(const std::string& key) {
        for (const auto& entry : file.flushed) {
            if (LowerCaseLatin1(entry.section) == "general" &&
                LowerCaseLatin1(entry.key) == LowerCaseLatin1(key))
                return entry.value;
        }
        return "<absent>";
    }

    testing::FakePrivateProfile file;
    StatusFile status{file, interpreter};
};

TEST_F(StatusFileTest, MessageWithAcknowledgementRunsTheCommandAndAnswersInTheFile) {
    file.WriteString("general", "ddeconv", "settings:showdialog");
    EXPECT_TRUE(status.HandleMessage(1035));
    EXPECT_EQ(settingsWindow.shown.size(), 1u);
    EXPECT_EQ(Value("ddeconv"), "[OK]");
    EXPECT_EQ(Value("DDEAck"), "1");
    EXPECT_EQ(file.flushCount, 2);
    // The reply also went to the item, as for any macro line.
    EXPECT_EQ(Request(kSettingsItem), "[OK]");
}

TEST_F(StatusFileTest, MessageWithoutAcknowledgementLeavesDdeAckAlone) {
    file.WriteString("General", "DDEConv", "filter:testconnection");
    EXPECT_TRUE(status.HandleMessage(1034));
    EXPECT_EQ(Value("DDEConv"), "[OK]");
    EXPECT_EQ(Value("DDEAck"), "<absent>");
    EXPECT_EQ(file.flushCount, 1);
}

TEST_F(StatusFileTest, EveryLineGetsItsOwnReplyEvenAFaultyOne) {
    const struct {
        const char* command;  // nullptr: no value at all
        const char* reply;
    } cases[] = {
        {nullptr, "[ERROR. DDE Macro has to have the form <Item>:<Command>]"},
        {"", "[ERROR. DDE Macro has to have the form <Item>:<Command>]"},
        {"word:x", "[ERROR. Unknown item word]"},
        {"filter:transfertext7:a;b", "[transfertext7:a;b]"},
        {"calculator:setvalue(dem,1)",
         "[ERROR. Invalid argument in call to function setvalue: dem]"},
    };
    for (const auto& c : cases) {
        file.entries.clear();
        if (c.command != nullptr)
            file.WriteString("General", "DDEConv", c.command);
        status.HandleMessage(1034);
        EXPECT_EQ(Value("DDEConv"), c.reply) << (c.command ? c.command : "absent");
    }
}

TEST_F(StatusFileTest, CommandsAreCutTo255Characters) {
    const std::string text(280, 'x');
    file.WriteString("General", "DDEConv", "filter:transfertext:" + text);
    status.HandleMessage(1034);
    EXPECT_EQ(interpreter.FPendingText(), std::string(255 - 20, 'x'));
    EXPECT_EQ(Value("DDEConv"), "[transfertext:" + std::string(235, 'x') + "]");
}

TEST_F(StatusFileTest, OtherMessagesDoNothing) {
    file.WriteString("General", "DDEConv", "settings:showdialog");
    for (const std::uint32_t message : {0u, 1024u, 1033u, 1036u})
        EXPECT_FALSE(status.HandleMessage(message)) << message;
    EXPECT_TRUE(settingsWindow.shown.empty());
    EXPECT_EQ(file.flushCount, 0);
}

TEST_F(StatusFileTest, RunsAndStatusBracketTheProgramsLife) {
    status.WriteRuns(true);
    EXPECT_EQ(Value("Runs"), "1");
    status.WriteDdeStatus(true);
    EXPECT_EQ(Value("DDEStatus"), "OK");
    status.WriteDdeStatus(false);
    EXPECT_EQ(Value("DDEStatus"), "");
    status.WriteRuns(false);
    EXPECT_EQ(Value("Runs"), "");
    EXPECT_EQ(file.flushCount, 4);
}

TEST_F(StatusFileTest, WorksOnTheFileOnDisk) {
    const std::filesystem::path path = StatusFilePath(storeDirectory.Path());
    EXPECT_EQ(path.filename(), "KASSAVR.INI");
    PrivateProfileFile disk(path);
    StatusFile onDisk(disk, interpreter);
    onDisk.WriteRuns(true);
    // A client writes its command into the file and sends the message.
    testing::WriteFileBytes(path, testing::ReadFileBytes(path) + "DDEConv=settings:showabout\n");
    EXPECT_TRUE(onDisk.HandleMessage(1035));
    EXPECT_EQ(aboutWindow.shown, 1);
    EXPECT_EQ(testing::ReadFileBytes(path), "[General]\nRuns=1\nDDEConv=[OK]\nDDEAck=1\n");
}

}  // namespace
}  // namespace kassavero
