// SPDX-License-Identifier: GPL-3.0-or-later
#include "macro/dde_command.h"

#include "core/win1252.h"

namespace kassavero {

int ParseDdeCommand(std::string_view command, std::string& reply,
                    const DdeFunctionHandler& handler) {
    std::string token;
    std::string name;
    std::vector<std::string> arguments;
    int depth = 0;
    bool quoted = false;
    int calls = 0;

    const auto call = [&] {
        ++calls;
        handler(name, arguments, reply);
    };

    for (std::size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '\\') {
            if (i + 1 < command.size())
                token += command[++i];
        } else if (quoted) {
            token += c;
        } else if (c == '(') {
            if (depth == 0) {
                name = std::move(token);
                token.clear();
            }
            ++depth;
        } else if (c == ')') {
            --depth;
            if (depth == 0) {
                arguments.push_back(std::move(token));
                token.clear();
            }
        } else if (c == ',') {
            if (depth > 0) {
                arguments.push_back(std::move(token));
                token.clear();
            }
        } else if (c == ';' || c == '\r' || c == '\n') {
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
        reply = "ERROR. Syntax error parsing DDE command: " + name;
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
    return [body = std::move(body)](const std::string& name,
                                    const std::vector<std::string>& arguments, std::string& reply) {
        const std::string function = LowerCaseLatin1(name);
        reply.clear();
        body(function, arguments, reply);
        if (reply.empty())
            reply = "<NIL>";
    };
}

bool CheckArgumentCount(std::size_t count, std::size_t expected, std::string_view function,
                        std::string& reply) {
    if (count == expected)
        return true;
    reply = "ERROR. Invalid numer of arguments in call to function " + std::string(function);
    return false;
}

}  // namespace kassavero
