// SPDX-License-Identifier: GPL-3.0-or-later
#include "macro/dde_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kassavero {
namespace {

struct Call {
    std::string name;
    std::vector<std::string> arguments;
    bool operator==(const Call&) const = default;
};

void PrintTo(const Call& call, std::ostream* out) {
    *out << call.name << "(";
    for (std::size_t i = 0; i < call.arguments.size(); ++i)
        *out << (i > 0 ? "," : "") << '"' << call.arguments[i] << '"';
    *out << ")";
}

struct ParseCase {
    std::string command;
    std::vector<Call> calls;
    std::string reply;  // after the handler answered "r<n>" to its n-th call
};

void PrintTo(const ParseCase& c, std::ostream* out) {
    *out << '\'' << c.command << '\'';
}

class ParseDdeCommandTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseDdeCommandTest, CallsTheHandlerPerFunction) {
    const ParseCase& c = GetParam();
    std::vector<Call> calls;
    std::string reply = "before";
    const int count = ParseDdeCommand(
        c.command, reply,
        [&](const std::string& name, const std::vector<std::string>& arguments, std::string& out) {
            calls.push_back({name, arguments});
            out = "r" + std::to_string(calls.size());
        });
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(count, static_cast<int>(c.calls.size()));
    EXPECT_EQ(reply, c.reply);
}

const std::string kSyntax = "ERROR. Syntax error parsing DDE command: ";
const std::string kNone(kNoFunctionReply);

INSTANTIATE_TEST_SUITE_P(
    Table, ParseDdeCommandTest,
    ::testing::Values(
        // Names, arguments and chains.
        ParseCase{"showdialog", {{"showdialog", {}}}, "r1"},
        ParseCase{"showdialog()", {{"showdialog", {""}}}, "r1"},
        ParseCase{"setvalue(a,b,1);setvalue(a,c,2)",
                  {{"setvalue", {"a", "b", "1"}}, {"setvalue", {"a", "c", "2"}}},
                  "r2"},
        ParseCase{"show;hide", {{"showhide", {}}}, "r1"},
        ParseCase{"setvalue(EUR,1);hide", {{"setvalue", {"EUR", "1"}}, {"hide", {}}}, "r2"},
        ParseCase{
            "f(a)\r\ng(b)\nh(c)\rk", {{"f", {"a"}}, {"g", {"b"}}, {"h", {"c"}}, {"k", {}}}, "r4"},
        ParseCase{"f(a);", {{"f", {"a"}}}, "r1"}, ParseCase{"f(,)", {{"f", {"", ""}}}, "r1"},
        // Text after a call stays in the token and becomes the next name.
        ParseCase{"f(a)x;y", {{"f", {"a"}}, {"xy", {}}}, "r2"},
        ParseCase{"()abc", {{"abc", {""}}}, "r1"},
        // Arguments verbatim; quotes and backslashes.
        ParseCase{"getvalue( a ,b )", {{"getvalue", {" a ", "b "}}}, "r1"},
        ParseCase{"getvalue(\"a;b,c)\",d)", {{"getvalue", {"a;b,c)", "d"}}}, "r1"},
        ParseCase{"getvalue(a\\,b\\;c,d)", {{"getvalue", {"a,b;c", "d"}}}, "r1"},
        ParseCase{"f(\"a\\\"b\")", {{"f", {"a\"b"}}}, "r1"},
        ParseCase{"f(\"a\\\\\")", {{"f", {"a\\"}}}, "r1"},
        ParseCase{"\"sh\"ow", {{"show", {}}}, "r1"}, ParseCase{"a\"(;)\"b", {{"a(;)b", {}}}, "r1"},
        ParseCase{"f(a)\\", {{"f", {"a"}}}, "r1"}, ParseCase{"f(\"\")", {{"f", {""}}}, "r1"},
        // Nested parentheses vanish; their commas still separate.
        ParseCase{"f(g(a,b),c)", {{"f", {"ga", "b", "c"}}}, "r1"},
        // Syntax errors call nothing more.
        ParseCase{"getvalue(a,b", {}, kSyntax + "getvalue"}, ParseCase{"f(a\\)", {}, kSyntax + "f"},
        ParseCase{"f(a\\", {}, kSyntax + "f"}, ParseCase{"f(\"a)", {}, kSyntax + "f"},
        ParseCase{"\"abc", {}, kSyntax}, ParseCase{"a)", {}, kSyntax},
        ParseCase{"setvalue(a,b,1);(", {{"setvalue", {"a", "b", "1"}}}, kSyntax},
        // Nothing named at all.
        ParseCase{"", {}, kNone}, ParseCase{";", {}, kNone}, ParseCase{";\r\n;", {}, kNone},
        ParseCase{"\"\"", {}, kNone}, ParseCase{"()", {}, kNone}, ParseCase{"(x)", {}, kNone},
        ParseCase{"\\", {}, kNone}));

TEST(HandlerFrameTest, LowerCasesTheNameClearsTheReplyAndFillsAnEmptyOne) {
    std::vector<std::string> seen;
    const DdeFunctionHandler handler =
        WithHandlerFrame([&](const std::string& function, const std::vector<std::string>& arguments,
                             std::string& reply) {
            seen.push_back(function + ":" + reply);
            if (!arguments.empty())
                reply = arguments.front();
        });
    std::string reply = "old";
    handler("ShowDIALOG\xC4\xD7", {}, reply);
    EXPECT_EQ(reply, "<NIL>");
    handler("X", {"answer"}, reply);
    EXPECT_EQ(reply, "answer");
    // The name is lower-cased the Latin-1 way; the multiplication sign stays.
    EXPECT_EQ(seen, (std::vector<std::string>{"showdialog\xE4\xD7:", "x:"}));
}

TEST(CheckArgumentCountTest, NamesTheFunctionOnlyWhenTheCountIsWrong) {
    std::string reply = "untouched";
    EXPECT_TRUE(CheckArgumentCount(2, 2, "getvalue", reply));
    EXPECT_EQ(reply, "untouched");
    EXPECT_FALSE(CheckArgumentCount(1, 0, "showdialog", reply));
    EXPECT_EQ(reply, "ERROR. Invalid numer of arguments in call to function showdialog");
}

}  // namespace
}  // namespace kassavero
