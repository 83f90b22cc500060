// SPDX-License-Identifier: GPL-3.0-or-later
#include "macro/filter_reply.h"

#include "core/number_text.h"

namespace kassavero {

std::string FormatChangeReply(bool found, std::size_t start, std::size_t end,
                              CurrencyIndex currency, double amount, char decimalSeparator) {
    if (!found || start >= end)
        return "OK";
    std::string reply = std::to_string(start);
    reply += ';';
    reply += std::to_string(end);
    reply += ';';
    reply += CurrencyCode(currency);
    reply += ';';
    reply += FormatGeneralNumber(amount, decimalSeparator);
    return reply;
}

std::string EscapeSemicolons(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (c == ';')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

std::string FormatConfirmReply(int result, const ReplacementParts& parts) {
    if (result == 1) {
        return "YES;" + EscapeSemicolons(parts.Prefix) + ";" + EscapeSemicolons(parts.Middle) +
               ";" + EscapeSemicolons(parts.Suffix);
    }
    return result == 0 ? "NO" : "CANCEL";
}

}  // namespace kassavero
