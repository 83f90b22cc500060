// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dde_server.h"

namespace kassavero {

std::string DdeServiceName(std::string_view programPath) {
    const std::size_t slash = programPath.find_last_of('/');
    std::string_view name =
        slash == std::string_view::npos ? programPath : programPath.substr(slash + 1);
    return std::string(name.substr(0, name.find('.')));
}

std::vector<std::u32string> SplitDdeLines(std::u32string_view text) {
    std::vector<std::u32string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of(U"\r\n", start);
        if (end == std::u32string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == U'\r' && start < text.size() && text[start] == U'\n')
            ++start;
    }
    return lines;
}

std::u32string JoinDdeLines(const std::vector<std::u32string>& lines) {
    std::u32string joined;
    for (const std::u32string& line : lines) {
        joined += line;
        joined += U"\r\n";
    }
    return joined;
}

}  // namespace kassavero
