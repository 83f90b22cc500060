// SPDX-License-Identifier: GPL-3.0-or-later
#include "macro/dde_command.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <string>
#include <vector>

namespace kassavero {
namespace {

struct Call {
    std::u32string name;
    std::vector<std::u32string> arguments;
    bool operator==(const Call&) const = default;
};

void PrintTo(const Call& call, std::ostream* out) {
    *out << TextToUtf8(call.name) << "(";
    for (std::size_t i = 0; i < call.arguments.size(); ++i)
        *out << (i > 0 ? "," : "") << '"' << TextToUtf8(call.arguments[i]) << '"';
    *out << ")";
}

struct ParseCase {
    std::u32string command;
    std::vector<Call> calls;
    std::u32string reply;  // after the handler answered "r<n>" to its n-th call
};

void PrintTo(const ParseCase& c, std::ostream* out) {
    *out << '\'' << TextToUtf8(c.command) << '\'';
}

class ParseDdeCommandTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseDdeCommandTest, CallsTheHandlerPerFunction) {
    const ParseCase& c = GetParam();
    std::vector<Call> calls;
    std::u32string reply = U"before";
    const int count =
        ParseDdeCommand(c.command, reply,
                        [&](const std::u32string& name,
                            const std::vector<std::u32string>& arguments, std::u32string& out) {
                            calls.push_back({name, arguments});
                            out = U"r" + AsciiToText(std::to_string(calls.size()));
                        });
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(count, static_cast<int>(c.calls.size()));
    EXPECT_EQ(reply, c.reply);
}

const std::u32string kSyntax = U"ERROR. Syntax error parsing DDE command: ";
const std::u32string kNone(kNoFunctionReply);

INSTANTIATE_TEST_SUITE_P(
    Table, ParseDdeCommandTest,
    ::testing::Values(
        // Names, arguments and chains.
        ParseCase{U"showdialog", {{U"showdialog", {}}}, U"r1"},
        ParseCase{U"showdialog()", {{U"showdialog", {U""}}}, U"r1"},
        ParseCase{U"setvalue(a,b,1);setvalue(a,c,2)",
                  {{U"setvalue", {U"a", U"b", U"1"}}, {U"setvalue", {U"a", U"c", U"2"}}},
                  U"r2"},
        ParseCase{U"show;hide", {{U"showhide", {}}}, U"r1"},
        ParseCase{U"setvalue(EUR,1);hide", {{U"setvalue", {U"EUR", U"1"}}, {U"hide", {}}}, U"r2"},
        ParseCase{U"f(a)\r\ng(b)\nh(c)\rk",
                  {{U"f", {U"a"}}, {U"g", {U"b"}}, {U"h", {U"c"}}, {U"k", {}}},
                  U"r4"},
        ParseCase{U"f(a);", {{U"f", {U"a"}}}, U"r1"},
        ParseCase{U"f(,)", {{U"f", {U"", U""}}}, U"r1"},
        // Text after a call stays in the token and becomes the next name.
        ParseCase{U"f(a)x;y", {{U"f", {U"a"}}, {U"xy", {}}}, U"r2"},
        ParseCase{U"()abc", {{U"abc", {U""}}}, U"r1"},
        // Arguments verbatim; quotes and backslashes.
        ParseCase{U"getvalue( a ,b )", {{U"getvalue", {U" a ", U"b "}}}, U"r1"},
        ParseCase{U"getvalue(\"a;b,c)\",d)", {{U"getvalue", {U"a;b,c)", U"d"}}}, U"r1"},
        ParseCase{U"getvalue(a\\,b\\;c,d)", {{U"getvalue", {U"a,b;c", U"d"}}}, U"r1"},
        ParseCase{U"f(\"a\\\"b\")", {{U"f", {U"a\"b"}}}, U"r1"},
        ParseCase{U"f(\"a\\\\\")", {{U"f", {U"a\\"}}}, U"r1"},
        ParseCase{U"\"sh\"ow", {{U"show", {}}}, U"r1"},
        ParseCase{U"a\"(;)\"b", {{U"a(;)b", {}}}, U"r1"},
        ParseCase{U"f(a)\\", {{U"f", {U"a"}}}, U"r1"},
        ParseCase{U"f(\"\")", {{U"f", {U""}}}, U"r1"},
        // Nested parentheses vanish; their commas still separate.
        ParseCase{U"f(g(a,b),c)", {{U"f", {U"ga", U"b", U"c"}}}, U"r1"},
        // Syntax errors call nothing more.
        ParseCase{U"getvalue(a,b", {}, kSyntax + U"getvalue"},
        ParseCase{U"f(a\\)", {}, kSyntax + U"f"}, ParseCase{U"f(a\\", {}, kSyntax + U"f"},
        ParseCase{U"f(\"a)", {}, kSyntax + U"f"}, ParseCase{U"\"abc", {}, kSyntax},
        ParseCase{U"a)", {}, kSyntax},
        ParseCase{U"setvalue(a,b,1);(", {{U"setvalue", {U"a", U"b", U"1"}}}, kSyntax},
        // Nothing named at all.
        ParseCase{U"", {}, kNone}, ParseCase{U";", {}, kNone}, ParseCase{U";\r\n;", {}, kNone},
        ParseCase{U"\"\"", {}, kNone}, ParseCase{U"()", {}, kNone}, ParseCase{U"(x)", {}, kNone},
        ParseCase{U"\\", {}, kNone}));

TEST(HandlerFrameTest, LowerCasesTheNameClearsTheReplyAndFillsAnEmptyOne) {
    std::vector<std::u32string> seen;
    const DdeFunctionHandler handler =
        WithHandlerFrame([&](const std::u32string& function,
                             const std::vector<std::u32string>& arguments, std::u32string& reply) {
            seen.push_back(function + U":" + reply);
            if (!arguments.empty())
                reply = arguments.front();
        });
    std::u32string reply = U"old";
    handler(U"ShowDIALOG\xC4\xD7", {}, reply);
    EXPECT_EQ(reply, U"<NIL>");
    handler(U"X", {U"answer"}, reply);
    EXPECT_EQ(reply, U"answer");
    // The name is lower-cased the Latin-1 way; the multiplication sign stays.
    EXPECT_EQ(seen, (std::vector<std::u32string>{U"showdialog\xE4\xD7:", U"x:"}));
}

TEST(CheckArgumentCountTest, NamesTheFunctionOnlyWhenTheCountIsWrong) {
    std::u32string reply = U"untouched";
    EXPECT_TRUE(CheckArgumentCount(2, 2, U"getvalue", reply));
    EXPECT_EQ(reply, U"untouched");
    EXPECT_FALSE(CheckArgumentCount(1, 0, U"showdialog", reply));
    EXPECT_EQ(reply, U"ERROR. Invalid numer of arguments in call to function showdialog");
}

}  // namespace
}  // namespace kassavero
