// SPDX-License-Identifier: GPL-3.0-or-later
#include "macro/document_client.h"

#include <algorithm>
#include <charconv>
#include <exception>

#include "core/unicode_text.h"
#include "engine/text_pieces.h"

namespace kassavero {
namespace {

std::size_t ParseSize(std::string_view text, bool& ok) {
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    ok = ok && error == std::errc() && end == text.data() + text.size() && !text.empty();
    return value;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string Quoted(std::string_view argument) {
    // Arguments go in double quotes with backslashes before the characters the command
    // parser treats specially, so any client name arrives unchanged.
    std::string out = "\"";
    for (char c : argument) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

std::string SignificantDigits(std::u32string_view text) {
    std::string digits;
    for (const char32_t c : text) {
        if (c >= U'0' && c <= U'9')
            digits += static_cast<char>(c);
    }
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return {};
    return digits.substr(first, digits.find_last_not_of('0') + 1 - first);
}

// Whether the amount reported is the one written in the stretch found: the same digits
// whatever the separators and trailing zeros. Amounts in words and amounts the program
// writes with an exponent cannot be compared and pass.
bool AmountMatches(std::u32string_view found, std::string_view amount) {
    if (amount.find_first_of("eE") != std::string_view::npos ||
        std::none_of(found.begin(), found.end(), [](char32_t c) { return c >= U'0' && c <= U'9'; }))
        return true;
    return SignificantDigits(found) == SignificantDigits(Utf8ToText(amount));
}

}  // namespace

std::vector<std::string> SplitEscapedFields(std::string_view text) {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == ';') {
            fields.back() += ';';
            ++i;
        } else if (text[i] == ';') {
            fields.emplace_back();
        } else {
            fields.back() += text[i];
        }
    }
    return fields;
}

DocumentConversionResult ConvertDocument(CommandChannel& channel, std::string_view utf8Text,
                                         const DocumentConversionOptions& options,
                                         const std::string& clientName) {
    const bool confirm = options.confirm;
    using Outcome = DocumentConversionResult::Outcome;
    DocumentConversionResult result;
    const std::u32string text = DecodeKeepingBytes(utf8Text);
    const std::string flag = confirm ? "1" : "0";

    const std::string session =
        channel.Call("filter", "opensession(" + Quoted(clientName) + "," + flag + ")");
    bool numeric = true;
    ParseSize(session, numeric);
    if (!numeric) {
        result.outcome = Outcome::NoSession;
        result.error = session;
        result.text = std::string(utf8Text);
        return result;
    }

    std::u32string output;
    output.reserve(text.size());
    std::size_t copied = 0;  // text before this position is in output already
    // After a cancel the rest is still searched, so the count says how many were left;
    // a failure then only ends the count.
    bool cancelled = false;
    auto fail = [&](Outcome outcome, std::string error) {
        if (cancelled) {
            result.outcome = Outcome::Cancelled;
            result.allCounted = false;
            return;
        }
        result.outcome = outcome;
        result.error = std::move(error);
    };
    auto call = [&](std::string_view item, const std::string& command) {
        if (!cancelled)
            return channel.Call(item, command);
        try {
            return channel.Call(item, command);
        } catch (const std::exception& e) {
            fail(Outcome::Cancelled, e.what());
            return std::string("ERROR.");
        }
    };

    std::vector<WordPiece> pieces;
    if (options.takesWholeLines) {
        // The program cuts a long text itself, by the rule it searches with.
        pieces.push_back({0, text.size(), text.size()});
    } else {
        for (const TextPiece& line : SplitIntoPieces(text))
            pieces.push_back({line.start, line.end, line.end});
    }
    for (const WordPiece& piece : pieces) {
        if (result.outcome != Outcome::Done)
            break;
        // A change that ran past the cut moves this piece's start behind it.
        const std::size_t from = std::max(piece.start, copied);
        // Every amount has a digit; a piece without one is not worth a round trip.
        if (from >= piece.end || !HasDigit(text, from, piece.searchEnd))
            continue;
        const std::string handOver =
            "transfertext:" +
            TextToUtf8(AsProgramText(text, from, piece.searchEnd, options.takesWholeLines));
        // A refused hand-over leaves this client without a text: the next search would
        // find another client's, or nothing.
        if (options.takesWholeLines) {
            const std::string reply = call("filter", handOver);
            if (StartsWith(reply, "ERROR.")) {
                fail(Outcome::ProtocolError, reply);
                break;
            }
        } else {
            channel.Send("filter", handOver);
        }
        while (result.outcome == Outcome::Done) {
            const std::string found = call("filter", "findnextchange(" + session + ")");
            if (result.outcome != Outcome::Done)
                break;
            if (found == "OK")
                break;
            const std::vector<std::string> fields = SplitEscapedFields(found);
            bool ok = fields.size() == 4;
            const std::size_t start = ok ? ParseSize(fields[0], ok) : 0;
            const std::size_t end = ok ? ParseSize(fields[1], ok) : 0;
            if (!ok || start >= end || from + end > piece.searchEnd ||
                !AmountMatches(std::u32string_view(text).substr(from + start, end - start),
                               fields[3])) {
                fail(Outcome::ProtocolError, found);
                break;
            }
            // From the cut on, the next piece searches with the text after it in view.
            if (from + start >= piece.end)
                break;
            ++result.found;
            if (cancelled)
                continue;
            const std::string answer =
                channel.Call("filter", "confirmchange(" + session + "," + flag + ")");
            if (answer == "NO")
                continue;
            if (answer == "CANCEL") {
                cancelled = true;
                continue;
            }
            const std::vector<std::string> parts = StartsWith(answer, "YES;")
                                                       ? SplitEscapedFields(answer.substr(4))
                                                       : std::vector<std::string>{};
            if (parts.size() != 3) {
                fail(Outcome::ProtocolError, answer);
                break;
            }
            // Changes arrive in text order; one that reaches back into text already
            // written would corrupt it, so it is left out.
            if (from + start < copied)
                continue;
            output.append(text, copied, from + start - copied);
            const std::u32string sent =
                AsProgramText(text, from + start, from + end, options.takesWholeLines);
            output += ReplacementInDocument(
                text, from + start, from + end, sent, DecodeKeepingBytes(parts[0]),
                DecodeKeepingBytes(parts[1]), DecodeKeepingBytes(parts[2]));
            copied = from + end;
            ++result.changed;
        }
    }
    if (cancelled && result.outcome == Outcome::Done)
        result.outcome = Outcome::Cancelled;
    try {
        channel.Call("filter", "closesession(" + session + ")");
    } catch (const std::exception&) {
        // A program that ended while it asked cancels the conversion and has no session
        // left to close; what the user accepted until then is still worth keeping.
        if (!cancelled)
            throw;
    }

    if (result.outcome == Outcome::ProtocolError) {
        result.text = std::string(utf8Text);
        return result;
    }
    output.append(text, copied, std::u32string::npos);
    result.text = EncodeKeepingBytes(output);
    return result;
}

}  // namespace kassavero
