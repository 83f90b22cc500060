// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/dde_client.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include "fakes/fake_dde_bus.h"

namespace kassavero {
namespace {

using ::testing::ElementsAre;
using testing::FakeDdeBus;

BusReply Reply(std::vector<BusValue> values) {
    return {std::move(values), {}, {}};
}
BusReply Error(const std::string& name) {
    return {{}, name, "why"};
}

// A program of today answers Call with the item's text; an older one has only the
// DDE-style methods, announces each reply and keeps it in the item.
struct Program {
    FakeDdeBus bus;
    bool handsOverText = true;  // false: a program from before texts came as files
    DdeClient client{bus, "org.kassavero.dde.test"};
    explicit Program(bool older, const std::string& reply = "[OK]", bool announces = true) {
        bus.program = [this, older, reply, announces](const FakeDdeBus::MethodCall& call) {
            if (call.method == "Request")
                return Reply({reply + "\r\n"});
            if (older && call.method == "Execute" && announces)
                bus.Announce("Filter", "[announced]\r\n");
            if (older && (call.method == "Call" || call.method.starts_with("ConvertText")))
                return Error(kUnknownMethodError);
            if (call.method == "ConvertTextFd")
                return handsOverText ? Reply({HandedBytes{"EUR 5"}, std::uint32_t{1}})
                                     : Error(kUnknownMethodError);
            return call.method == "ConvertText" ? Reply({"EUR 5", std::uint32_t{1}})
                                                : Reply({reply});
        };
    }
};

TEST(DdeClient, EnsureRunningStartsTheProgramOnlyWhenItIsMissing) {
    struct Row {
        bool connected, owned;
        std::string startError, expectedStartError;
        bool fails;
        int starts;
    };
    for (const Row& row : std::vector<Row>{
             {true, true, "", "", false, 0},
             {true, false, "", "", false, 1},
             {true, false, kServiceUnknownError, "", true, 1},  // not installed: no message
             {true, false, "org.freedesktop.DBus.Error.Spawn.ChildExited", "why", true, 1},
             {false, false, "", "", true, 0},
         }) {
        Program program(false);
        program.bus.connected = row.connected;
        program.bus.owned = row.owned;
        program.bus.startReply = row.startError.empty() ? Reply({}) : Error(row.startError);
        std::string startError = "none";
        try {
            program.client.EnsureRunning();
        } catch (const NotRunning& e) {
            startError = e.StartError();
        }
        EXPECT_EQ(startError, row.fails ? row.expectedStartError : "none") << row.startError;
        EXPECT_EQ(program.bus.starts, row.starts) << row.startError;
    }
}

TEST(DdeClient, OnlyTheProgramsOwnErrorsAreRefusals) {
    Program program(false);
    program.bus.program = [](const auto&) { return Error("org.kassavero.dde.Error.UnknownItem"); };
    EXPECT_THROW(program.client.Request("System", "filter"), Refused);
    program.bus.program = [](const auto&) { return Error(kServiceUnknownError); };
    EXPECT_THROW(program.client.Execute("System", "filter:testconnection"), NotRunning);
}

TEST(DdeClient, CallAsksOnceForCallAndSendsValidUtf8) {
    Program program(false, "[7;15;DEM;12.5]");
    EXPECT_EQ(program.client.Call("filter", "findnextchange(0)"), "7;15;DEM;12.5");
    program.client.Send("filter", "transfertext:\xFF 5 DM");
    EXPECT_TRUE(program.client.BeginStepByStep());
    EXPECT_THAT(program.bus.Methods(), ElementsAre("Call", "Call", "Call"));
    EXPECT_EQ(std::get<std::string>(program.bus.calls[2].arguments[1]),
              "filter:transfertext:\xEF\xBF\xBD 5 DM");
}

TEST(DdeClient, AnOlderProgramIsServedWithExecuteAndItsAnnouncements) {
    struct Row {
        bool listening, announces;
        std::string expected;
        std::vector<std::string> methods;  // after the probe for Call
    };
    for (const Row& row : std::vector<Row>{
             {true, true, "announced", {"Execute"}},
             {true, false, "5;9;DEM;7", {"Execute", "Request"}},
             {false, true, "5;9;DEM;7", {"Execute", "Request"}},
         }) {
        Program program(true, "[5;9;DEM;7]", row.announces);
        EXPECT_FALSE(row.listening ? program.client.BeginStepByStep() : program.client.HasCall());
        program.bus.calls.clear();
        EXPECT_EQ(program.client.Call("filter", "findnextchange(0)"), row.expected);
        EXPECT_EQ(program.bus.Methods(), row.methods) << row.expected;
    }
}

TEST(DdeClient, AnOlderProgramIsNeitherAskedAboutUnknownItemsNorForUnneededReplies) {
    Program program(true);
    EXPECT_THROW(program.client.Call("foo", "bar"), Refused);
    program.client.Send("filter", "transfertext:5 DM");
    EXPECT_THAT(program.bus.Methods(), ElementsAre("Call", "Execute"));
}

TEST(DdeClient, AWholeTextGoesInOneCallWhereTheProgramAndTheTextAllowIt) {
    struct Row {
        bool older;
        bool handsOverText;
        bool busPassesFiles;
        std::string text;
        bool converted;
        std::vector<std::string> methods;  // of two conversions in a row
    };
    const std::string fd = "ConvertTextFd";
    const std::string plain = "ConvertText";
    for (const Row& row :
         std::vector<Row>{{false, true, true, "10 DM", true, {fd, fd}},
                          {false, true, false, "10 DM", true, {plain, plain}},
                          // Asked once whether the program takes the text as a file.
                          {false, false, true, "10 DM", true, {fd, plain, plain}},
                          {true, false, true, "10 DM", false, {fd, plain, plain}},
                          {false, true, true, "10 DM \xFF", false, {}}}) {
        Program program(row.older);
        program.handsOverText = row.handsOverText;
        program.bus.handsOverFiles = row.busPassesFiles;
        for (int round = 0; round < 2; ++round) {
            const auto whole = program.client.ConvertWholeText("test", row.text);
            ASSERT_EQ(whole.has_value(), row.converted) << row.text;
            if (whole) {
                EXPECT_EQ(whole->text + std::to_string(whole->changes), "EUR 51");
            }
        }
        EXPECT_EQ(program.bus.Methods(), row.methods) << row.text;
    }
}

}  // namespace
}  // namespace kassavero
