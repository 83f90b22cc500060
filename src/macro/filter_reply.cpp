// SPDX-License-Identifier: GPL-3.0-or-later
#include "macro/filter_reply.h"

#include "core/number_text.h"
#include "core/unicode_text.h"

namespace kassavero {

std::u32string FormatChangeReply(bool found, std::size_t start, std::size_t end,
                                 CurrencyIndex currency, double amount, char32_t decimalSeparator) {
    if (!found || start >= end)
        return U"OK";
    std::u32string reply = AsciiToText(std::to_string(start));
    reply += U';';
    reply += AsciiToText(std::to_string(end));
    reply += U';';
    reply += CurrencyCode(currency);
    reply += U';';
    reply += FormatGeneralNumber(amount, decimalSeparator);
    return reply;
}

std::u32string EscapeSemicolons(std::u32string_view text) {
    std::u32string escaped;
    escaped.reserve(text.size());
    for (const char32_t c : text) {
        if (c == U';')
            escaped += U'\\';
        escaped += c;
    }
    return escaped;
}

std::u32string FormatConfirmReply(int result, const ReplacementParts& parts) {
    if (result == 1) {
        return U"YES;" + EscapeSemicolons(parts.Prefix) + U";" + EscapeSemicolons(parts.Middle) +
               U";" + EscapeSemicolons(parts.Suffix);
    }
    return result == 0 ? U"NO" : U"CANCEL";
}

}  // namespace kassavero
