// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/in_process_dde_server.h"

#include <gtest/gtest.h>

#include <string>

#include <utility>
#include <vector>
#include "core/unicode_text.h"

namespace kassavero {
namespace {

TEST(DdeLinesTest, SplitsAtEveryKindOfLineBreak) {
    using Lines = std::vector<std::u32string>;
    EXPECT_EQ(SplitDdeLines(U""), Lines{});
    EXPECT_EQ(SplitDdeLines(U"a"), Lines{U"a"});
    EXPECT_EQ(SplitDdeLines(U"a\r\nb\nc\rd"), (Lines{U"a", U"b", U"c", U"d"}));
    EXPECT_EQ(SplitDdeLines(U"a\r\n"), Lines{U"a"});
    EXPECT_EQ(SplitDdeLines(U"a\n\r\nb"), (Lines{U"a", U"", U"b"}));
    EXPECT_EQ(SplitDdeLines(U"\r\n"), Lines{U""});
    EXPECT_EQ(SplitDdeLines(U"a\n\n"), (Lines{U"a", U""}));
    EXPECT_EQ(JoinDdeLines({U"a", U"", U"b"}), U"a\r\n\r\nb\r\n");
    EXPECT_EQ(JoinDdeLines({}), U"");
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
    std::vector<std::u32string> calls;

    void OnExecuteMacro(std::u32string_view topic,
                        const std::vector<std::u32string>& lines) override {
        std::u32string call = U"execute " + std::u32string(topic);
        for (const std::u32string& line : lines)
            call += U" |" + line;
        calls.push_back(call);
    }
    void OnPokeData(std::u32string_view topic, std::u32string_view item) override {
        // The poked lines are in place when the handler runs.
        calls.push_back(U"poke " + std::u32string(topic) + U" " + std::u32string(item) + U" " +
                        server_.ItemText(topic, item));
        server_.SetItemText(topic, item, U"[done]");
    }
    DdeError OnCallMacro(std::u32string_view topic, const std::vector<std::u32string>& lines,
                         std::string_view caller, std::u32string& reply) override {
        reply = U"[" + Utf8ToText(caller) + U":" + (lines.empty() ? U"" : lines.front()) + U"]";
        calls.push_back(U"call " + std::u32string(topic) + U" " + reply);
        return lines.empty() ? DdeError::UnknownItem : DdeError::None;
    }

  private:
    DdeServer& server_;
};

class DdeServerTest : public ::testing::Test {
  protected:
    DdeServerTest() {
        server.AddTopic(U"System");
        server.AddTopic(U"MacroServer");
        server.AddItem(U"System", U"Filter", {U"TestConnection"}, true);
        server.AddItem(U"System", U"Topics", {U"Calculator", U"Filter"}, false);
        server.SetHandler(&handler);
        server.SetAdviseSink([this](std::u32string_view item, std::u32string_view data) {
            advised.emplace_back(item, data);
        });
    }

    InProcessDdeServer server{"kassavero"};
    RecordingHandler handler{server};
    std::vector<std::pair<std::u32string, std::u32string>> advised;
};

TEST_F(DdeServerTest, TopicsIgnoreLetterCaseAndItemsDoNot) {
    EXPECT_EQ(server.ServiceName(), "kassavero");
    std::u32string data;
    EXPECT_EQ(server.Request(U"sYsTeM", U"Filter", data), DdeError::None);
    EXPECT_EQ(data, U"TestConnection\r\n");
    EXPECT_EQ(server.Request(U"System", U"FILTER", data), DdeError::UnknownItem);
    EXPECT_EQ(server.Request(U"MacroServer", U"Filter", data), DdeError::UnknownItem);
    EXPECT_EQ(server.Request(U"Other", U"Filter", data), DdeError::UnknownTopic);
    EXPECT_EQ(server.Poke(U"Other", U"Filter", U"x"), DdeError::UnknownTopic);
    EXPECT_EQ(server.Poke(U"System", U"filter", U"x"), DdeError::UnknownItem);
    EXPECT_EQ(server.Execute(U"Other", U"x"), DdeError::UnknownTopic);
    EXPECT_TRUE(handler.calls.empty());
}

TEST_F(DdeServerTest, ExecutesHandTheLinesToTheHandlerUnderTheTopicsOwnName) {
    EXPECT_EQ(server.Execute(U"macroserver", U"filter:a\r\nfilter:b"), DdeError::None);
    EXPECT_EQ(server.Execute(U"SYSTEM", U""), DdeError::None);
    EXPECT_EQ(handler.calls, (std::vector<std::u32string>{
                                 U"execute MacroServer |filter:a |filter:b", U"execute System"}));
}

TEST_F(DdeServerTest, PokesReplaceTheLinesThenRunTheHandler) {
    EXPECT_EQ(server.Poke(U"system", U"Filter", U"one\ntwo"), DdeError::None);
    EXPECT_EQ(handler.calls, (std::vector<std::u32string>{U"poke System Filter one"}));
    std::u32string data;
    server.Request(U"System", U"Filter", data);
    EXPECT_EQ(data, U"[done]\r\n");
    // Read-only items keep their lines.
    EXPECT_EQ(server.Poke(U"System", U"Topics", U"x"), DdeError::PokeRefused);
    server.Request(U"System", U"Topics", data);
    EXPECT_EQ(data, U"Calculator\r\nFilter\r\n");
    EXPECT_EQ(handler.calls.size(), 1u);
}

TEST_F(DdeServerTest, SettingATextAdvisesEveryTime) {
    server.SetItemText(U"System", U"Filter", U"[OK]");
    server.SetItemText(U"System", U"Filter", U"[OK]");
    server.SetItemText(U"System", U"Nothing", U"[OK]");
    EXPECT_EQ(server.ItemText(U"System", U"Filter"), U"[OK]");
    EXPECT_EQ(server.ItemText(U"System", U"Nothing"), U"");
    EXPECT_EQ(advised, (std::vector<std::pair<std::u32string, std::u32string>>{
                           {U"Filter", U"[OK]\r\n"}, {U"Filter", U"[OK]\r\n"}}));
    // Without a handler or a sink nothing is called.
    server.SetHandler(nullptr);
    server.SetAdviseSink({});
    EXPECT_EQ(server.Poke(U"System", U"Filter", U"x"), DdeError::None);
    EXPECT_EQ(server.ItemText(U"System", U"Filter"), U"x");
    EXPECT_EQ(advised.size(), 2u);
}

}  // namespace
}  // namespace kassavero
