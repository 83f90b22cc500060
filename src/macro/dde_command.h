// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The command texts that macros send: one or more function calls such as
// setvalue(a,b,1);setvalue(a,c,2) or showdialog, taken apart character by character,
// each call handed to the item's function handler. The reply is a text that the
// handler leaves in `reply`; failures are replies beginning "ERROR.".

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kassavero {

// A function handler: the name as written, the arguments, and the reply (in/out).
using DdeFunctionHandler =
    std::function<void(const std::u32string& name, const std::vector<std::u32string>& arguments,
                       std::u32string& reply)>;

// The reply to a command that names no function at all: an empty command, or one made
// only of separators, quotes and parentheses ("", ";", "\"\"", "()"). It is an error, so
// a client never takes a command that did nothing for one that worked.
inline constexpr std::u32string_view kNoFunctionReply = U"ERROR. No function named in DDE command";

// Reads the command and calls the handler once for each function call in it:
// - a double quote opens or closes a quoted stretch and is dropped; a backslash takes the
//   next character literally (a backslash at the very end is dropped); both work inside
//   and outside quotes, and inside quotes every other character is plain text;
// - "(" after a name starts its arguments, "," separates them and ")" ends them; nested
//   parentheses are dropped and their commas still separate; a name followed by "()"
//   has one empty argument;
// - ";", CR or LF after a call (a name with arguments) runs it, so calls can be chained;
//   elsewhere they are dropped, which makes a;b the one name ab;
// - at the end, unbalanced parentheses or an open quote are a syntax error and nothing
//   more is called; otherwise a name still waiting (or the plain text, for a function
//   without arguments) is called.
// Arguments are kept as written, blanks included. A command that called no function
// and had no syntax error leaves kNoFunctionReply. Returns the number of calls.
int ParseDdeCommand(std::u32string_view command, std::u32string& reply,
                    const DdeFunctionHandler& handler);

// The common frame of the item handlers: the name lower-cased (LowerCase), the
// reply cleared before the body runs, and "<NIL>" for a reply the body left empty.
using DdeFunctionBody =
    std::function<void(const std::u32string& function, const std::vector<std::u32string>& arguments,
                       std::u32string& reply)>;
DdeFunctionHandler WithHandlerFrame(DdeFunctionBody body);

// True when count equals expected; otherwise the reply names the function (already
// lower-cased) and the caller does nothing else.
bool CheckArgumentCount(std::size_t count, std::size_t expected, std::u32string_view function,
                        std::u32string& reply);

}  // namespace kassavero
