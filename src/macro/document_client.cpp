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
    auto fail = [&](Outcome outcome, std::string error) {
        result.outcome = outcome;
        result.error = std::move(error);
    };

    std::vector<WordPiece> pieces;
    if (options.takesWholeLines &&
        channel.Call("settings", "getvalue(,InputEverydayForms)") == "1") {
        // The everyday reading has no word limit: the whole text in one piece, so no cut
        // can fall between the words of an amount.
        pieces.push_back({0, text.size(), text.size()});
    } else if (options.takesWholeLines) {
        pieces = SplitIntoWordPieces(text);
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
        channel.Send("filter",
                     "transfertext:" + TextToUtf8(AsProgramText(text, from, piece.searchEnd,
                                                                options.takesWholeLines)));
        while (result.outcome == Outcome::Done) {
            const std::string found = channel.Call("filter", "findnextchange(" + session + ")");
            if (found == "OK")
                break;
            const std::vector<std::string> fields = SplitEscapedFields(found);
            bool ok = fields.size() == 4;
            const std::size_t start = ok ? ParseSize(fields[0], ok) : 0;
            const std::size_t end = ok ? ParseSize(fields[1], ok) : 0;
            if (!ok || start >= end || from + end > piece.searchEnd) {
                fail(Outcome::ProtocolError, found);
                break;
            }
            // From the cut on, the next piece searches with the text after it in view.
            if (from + start >= piece.end)
                break;
            ++result.found;
            const std::string answer =
                channel.Call("filter", "confirmchange(" + session + "," + flag + ")");
            if (answer == "NO")
                continue;
            if (answer == "CANCEL") {
                fail(Outcome::Cancelled, answer);
                break;
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
    try {
        channel.Call("filter", "closesession(" + session + ")");
    } catch (const std::exception&) {
        // A program that ended while it asked cancels the conversion and has no session
        // left to close; what the user accepted until then is still worth keeping.
        if (result.outcome != Outcome::Cancelled)
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
