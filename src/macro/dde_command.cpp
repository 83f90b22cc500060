// SPDX-License-Identifier: GPL-3.0-or-later
#include "macro/dde_command.h"

#include "core/unicode_text.h"

namespace kassavero {

int ParseDdeCommand(std::u32string_view command, std::u32string& reply,
                    const DdeFunctionHandler& handler) {
    std::u32string token;
    std::u32string name;
    std::vector<std::u32string> arguments;
    int depth = 0;
    bool quoted = false;
    int calls = 0;

    const auto call = [&] {
        ++calls;
        handler(name, arguments, reply);
    };

    for (std::size_t i = 0; i < command.size(); ++i) {
        const char32_t c = command[i];
        if (c == U'"') {
            quoted = !quoted;
        } else if (c == U'\\') {
            if (i + 1 < command.size())
                token += command[++i];
        } else if (quoted) {
            token += c;
        } else if (c == U'(') {
            if (depth == 0) {
                name = std::move(token);
                token.clear();
            }
            ++depth;
        } else if (c == U')') {
            --depth;
            if (depth == 0) {
                arguments.push_back(std::move(token));
                token.clear();
            }
        } else if (c == U',') {
            if (depth > 0) {
                arguments.push_back(std::move(token));
                token.clear();
            }
        } else if (c == U';' || c == U'\r' || c == U'\n') {
            if (depth == 0 && !name.empty()) {
                call();
                name.clear();
                arguments.clear();
            }
        } else {
            token += c;
        }
    }

    if (depth != 0 || quoted) {
        reply = U"ERROR. Syntax error parsing DDE command: " + name;
        return calls;
    }
    if (name.empty())
        name = token;
    if (!name.empty())
        call();
    if (calls == 0)
        reply = kNoFunctionReply;
    return calls;
}

DdeFunctionHandler WithHandlerFrame(DdeFunctionBody body) {
    return [body = std::move(body)](const std::u32string& name,
                                    const std::vector<std::u32string>& arguments,
                                    std::u32string& reply) {
        const std::u32string function = LowerCase(name);
        reply.clear();
        body(function, arguments, reply);
        if (reply.empty())
            reply = U"<NIL>";
    };
}

bool CheckArgumentCount(std::size_t count, std::size_t expected, std::u32string_view function,
                        std::u32string& reply) {
    if (count == expected)
        return true;
    reply = U"ERROR. Invalid numer of arguments in call to function " + std::u32string(function);
    return false;
}

}  // namespace kassavero
