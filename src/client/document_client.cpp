// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/document_client.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <utility>

#include "core/text_pieces.h"
#include "core/unicode_text.h"

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

namespace {

// The pieces searched one by one: lines, or the whole text for a program that cuts it
// itself by the rule it searches with.
std::vector<WordPiece> PiecesToSearch(const std::u32string& text, bool takesWholeLines) {
    std::vector<WordPiece> pieces;
    if (takesWholeLines) {
        pieces.push_back({0, text.size(), text.size()});
    } else {
        for (const TextPiece& line : SplitIntoPieces(text))
            pieces.push_back({line.start, line.end, line.end});
    }
    return pieces;
}

// One conversion in a session: the text written so far and how the run stands.
class Conversion {
  public:
    Conversion(CommandChannel& channel, const std::u32string& text,
               const DocumentConversionOptions& options, std::string session,
               DocumentConversionResult& result)
        : channel_(channel),
          text_(text),
          options_(options),
          session_(std::move(session)),
          flag_(options.confirm ? "1" : "0"),
          result_(result) {
        output_.reserve(text.size());
    }

    void SearchPiece(const WordPiece& piece);
    bool Cancelled() const { return cancelled_; }
    // The converted text: the changes and everything between and after them.
    std::u32string Finish() {
        output_.append(text_, copied_, std::u32string::npos);
        return std::move(output_);
    }

  private:
    using Outcome = DocumentConversionResult::Outcome;
    void Fail(Outcome outcome, std::string error);
    std::string Call(std::string_view item, const std::string& command);
    // Reads a found change's stretch, relative to from; false when it is not sound.
    bool ReadFound(const std::string& found, std::size_t from, const WordPiece& piece,
                   std::size_t& start, std::size_t& end) const;
    // Asks about the change over text [start, end) and writes it when accepted.
    void Confirm(std::size_t start, std::size_t end);

    CommandChannel& channel_;
    const std::u32string& text_;
    const DocumentConversionOptions& options_;
    const std::string session_;
    const std::string flag_;
    DocumentConversionResult& result_;
    std::u32string output_;
    std::size_t copied_ = 0;  // text before this position is in output already
    // After a cancel the rest is still searched, so the count says how many were left;
    // a failure then only ends the count.
    bool cancelled_ = false;
};

void Conversion::Fail(Outcome outcome, std::string error) {
    if (cancelled_) {
        result_.outcome = Outcome::Cancelled;
        result_.allCounted = false;
        return;
    }
    result_.outcome = outcome;
    result_.error = std::move(error);
}

std::string Conversion::Call(std::string_view item, const std::string& command) {
    if (!cancelled_)
        return channel_.Call(item, command);
    try {
        return channel_.Call(item, command);
    } catch (const std::exception& e) {
        Fail(Outcome::Cancelled, e.what());
        return std::string("ERROR.");
    }
}

bool Conversion::ReadFound(const std::string& found, std::size_t from, const WordPiece& piece,
                           std::size_t& start, std::size_t& end) const {
    const std::vector<std::string> fields = SplitEscapedFields(found);
    bool ok = fields.size() == 4;
    start = ok ? ParseSize(fields[0], ok) : 0;
    end = ok ? ParseSize(fields[1], ok) : 0;
    return ok && start < end && from + end <= piece.searchEnd &&
           AmountMatches(std::u32string_view(text_).substr(from + start, end - start), fields[3]);
}

void Conversion::SearchPiece(const WordPiece& piece) {
    // A change that ran past the cut moves this piece's start behind it.
    const std::size_t from = std::max(piece.start, copied_);
    // Every amount has a digit; a piece without one is not worth a round trip.
    if (from >= piece.end || !HasDigit(text_, from, piece.searchEnd))
        return;
    const std::string handOver =
        "transfertext:" +
        TextToUtf8(AsProgramText(text_, from, piece.searchEnd, options_.takesWholeLines));
    // A refused hand-over leaves this client without a text: the next search would
    // find another client's, or nothing.
    if (options_.takesWholeLines) {
        const std::string reply = Call("filter", handOver);
        if (StartsWith(reply, "ERROR.")) {
            Fail(Outcome::ProtocolError, reply);
            return;
        }
    } else {
        channel_.Send("filter", handOver);
    }
    while (result_.outcome == Outcome::Done) {
        const std::string found = Call("filter", "findnextchange(" + session_ + ")");
        if (result_.outcome != Outcome::Done || found == "OK")
            return;
        std::size_t start = 0;
        std::size_t end = 0;
        if (!ReadFound(found, from, piece, start, end)) {
            Fail(Outcome::ProtocolError, found);
            return;
        }
        // From the cut on, the next piece searches with the text after it in view.
        if (from + start >= piece.end)
            return;
        ++result_.found;
        if (!cancelled_)
            Confirm(from + start, from + end);
    }
}

void Conversion::Confirm(std::size_t start, std::size_t end) {
    const std::string answer =
        channel_.Call("filter", "confirmchange(" + session_ + "," + flag_ + ")");
    if (answer == "NO")
        return;
    if (answer == "CANCEL") {
        cancelled_ = true;
        return;
    }
    const std::vector<std::string> parts = StartsWith(answer, "YES;")
                                               ? SplitEscapedFields(answer.substr(4))
                                               : std::vector<std::string>{};
    if (parts.size() != 3) {
        Fail(Outcome::ProtocolError, answer);
        return;
    }
    // Changes arrive in text order; one that reaches back into text already written
    // would corrupt it, so it is left out.
    if (start < copied_)
        return;
    output_.append(text_, copied_, start - copied_);
    const std::u32string sent = AsProgramText(text_, start, end, options_.takesWholeLines);
    output_ += ReplacementInDocument(text_, start, end, sent, DecodeKeepingBytes(parts[0]),
                                     DecodeKeepingBytes(parts[1]), DecodeKeepingBytes(parts[2]));
    copied_ = end;
    ++result_.changed;
}

}  // namespace

DocumentConversionResult ConvertDocument(CommandChannel& channel, std::string_view utf8Text,
                                         const DocumentConversionOptions& options,
                                         const std::string& clientName) {
    using Outcome = DocumentConversionResult::Outcome;
    DocumentConversionResult result;
    const std::u32string text = DecodeKeepingBytes(utf8Text);
    const std::string flag = options.confirm ? "1" : "0";

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

    Conversion conversion(channel, text, options, session, result);
    for (const WordPiece& piece : PiecesToSearch(text, options.takesWholeLines)) {
        if (result.outcome != Outcome::Done)
            break;
        conversion.SearchPiece(piece);
    }
    if (conversion.Cancelled() && result.outcome == Outcome::Done)
        result.outcome = Outcome::Cancelled;
    try {
        channel.Call("filter", "closesession(" + session + ")");
    } catch (const std::exception&) {
        // A program that ended while it asked cancels the conversion and has no session
        // left to close; what the user accepted until then is still worth keeping.
        if (!conversion.Cancelled())
            throw;
    }

    if (result.outcome == Outcome::ProtocolError) {
        result.text = std::string(utf8Text);
        return result;
    }
    result.text = EncodeKeepingBytes(conversion.Finish());
    return result;
}

}  // namespace kassavero
