// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/in_process_dde_server.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kassavero {
namespace {

TEST(DdeLinesTest, SplitsAtEveryKindOfLineBreak) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(SplitDdeLines(""), Lines{});
    EXPECT_EQ(SplitDdeLines("a"), Lines{"a"});
    EXPECT_EQ(SplitDdeLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitDdeLines("a\r\n"), Lines{"a"});
    EXPECT_EQ(SplitDdeLines("a\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitDdeLines("\r\n"), Lines{""});
    EXPECT_EQ(SplitDdeLines("a\n\n"), (Lines{"a", ""}));
    EXPECT_EQ(JoinDdeLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(JoinDdeLines({}), "");
}

TEST(DdeServiceNameTest, IsTheFileNameUpToItsFirstDot) {
    EXPECT_EQ(DdeServiceName("/usr/bin/kassavero"), "kassavero");
    EXPECT_EQ(DdeServiceName("kassavero.exe"), "kassavero");
    EXPECT_EQ(DdeServiceName("/opt/k.v2/Kassa.run.sh"), "Kassa");
    EXPECT_EQ(DdeServiceName(""), "");
}

class RecordingHandler final : public DdeServerHandler {
  public:
    explicit RecordingHandler(DdeServer& server) : server_(server) {}
    std::vector<std::string> calls;

    void OnExecuteMacro(std::string_view topic, const std::vector<std::string>& lines) override {
        std::string call = "execute " + std::string(topic);
        for (const std::string& line : lines)
            call += " |" + line;
        calls.push_back(call);
    }
    void OnPokeData(std::string_view topic, std::string_view item) override {
        // The poked lines are in place when the handler runs.
        calls.push_back("poke " + std::string(topic) + " " + std::string(item) + " " +
                        server_.ItemText(topic, item));
        server_.SetItemText(topic, item, "[done]");
    }
    DdeError OnCallMacro(std::string_view topic, const std::vector<std::string>& lines,
                         std::string_view caller, std::string& reply) override {
        reply = "[" + std::string(caller) + ":" + (lines.empty() ? "" : lines.front()) + "]";
        calls.push_back("call " + std::string(topic) + " " + reply);
        return lines.empty() ? DdeError::UnknownItem : DdeError::None;
    }

  private:
    DdeServer& server_;
};

class DdeServerTest : public ::testing::Test {
  protected:
    DdeServerTest() {
        server.AddTopic("System");
        server.AddTopic("MacroServer");
        server.AddItem("System", "Filter", {"TestConnection"}, true);
        server.AddItem("System", "Topics", {"Calculator", "Filter"}, false);
        server.SetHandler(&handler);
        server.SetAdviseSink([this](std::string_view item, std::string_view data) {
            advised.emplace_back(item, data);
        });
    }

    InProcessDdeServer server{"kassavero"};
    RecordingHandler handler{server};
    std::vector<std::pair<std::string, std::string>> advised;
};

TEST_F(DdeServerTest, TopicsIgnoreLetterCaseAndItemsDoNot) {
    EXPECT_EQ(server.ServiceName(), "kassavero");
    std::string data;
    EXPECT_EQ(server.Request("sYsTeM", "Filter", data), DdeError::None);
    EXPECT_EQ(data, "TestConnection\r\n");
    EXPECT_EQ(server.Request("System", "FILTER", data), DdeError::UnknownItem);
    EXPECT_EQ(server.Request("MacroServer", "Filter", data), DdeError::UnknownItem);
    EXPECT_EQ(server.Request("Other", "Filter", data), DdeError::UnknownTopic);
    EXPECT_EQ(server.Poke("Other", "Filter", "x"), DdeError::UnknownTopic);
    EXPECT_EQ(server.Poke("System", "filter", "x"), DdeError::UnknownItem);
    EXPECT_EQ(server.Execute("Other", "x"), DdeError::UnknownTopic);
    EXPECT_TRUE(handler.calls.empty());
}

TEST_F(DdeServerTest, ExecutesHandTheLinesToTheHandlerUnderTheTopicsOwnName) {
    EXPECT_EQ(server.Execute("macroserver", "filter:a\r\nfilter:b"), DdeError::None);
    EXPECT_EQ(server.Execute("SYSTEM", ""), DdeError::None);
    EXPECT_EQ(handler.calls, (std::vector<std::string>{"execute MacroServer |filter:a |filter:b",
                                                       "execute System"}));
}

TEST_F(DdeServerTest, PokesReplaceTheLinesThenRunTheHandler) {
    EXPECT_EQ(server.Poke("system", "Filter", "one\ntwo"), DdeError::None);
    EXPECT_EQ(handler.calls, (std::vector<std::string>{"poke System Filter one"}));
    std::string data;
    server.Request("System", "Filter", data);
    EXPECT_EQ(data, "[done]\r\n");
    // Read-only items keep their lines.
    EXPECT_EQ(server.Poke("System", "Topics", "x"), DdeError::PokeRefused);
    server.Request("System", "Topics", data);
    EXPECT_EQ(data, "Calculator\r\nFilter\r\n");
    EXPECT_EQ(handler.calls.size(), 1u);
}

TEST_F(DdeServerTest, SettingATextAdvisesEveryTime) {
    server.SetItemText("System", "Filter", "[OK]");
    server.SetItemText("System", "Filter", "[OK]");
    server.SetItemText("System", "Nothing", "[OK]");
    EXPECT_EQ(server.ItemText("System", "Filter"), "[OK]");
    EXPECT_EQ(server.ItemText("System", "Nothing"), "");
    EXPECT_EQ(advised, (std::vector<std::pair<std::string, std::string>>{{"Filter", "[OK]\r\n"},
                                                                         {"Filter", "[OK]\r\n"}}));
    // Without a handler or a sink nothing is called.
    server.SetHandler(nullptr);
    server.SetAdviseSink({});
    EXPECT_EQ(server.Poke("System", "Filter", "x"), DdeError::None);
    EXPECT_EQ(server.ItemText("System", "Filter"), "x");
    EXPECT_EQ(advised.size(), 2u);
}

}  // namespace
}  // namespace kassavero
