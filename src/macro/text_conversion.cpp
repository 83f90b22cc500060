// SPDX-License-Identifier: GPL-3.0-or-later
// The whole-text conversion of the interpreter. The text is split between words into
// pieces the size of one transfer; each piece is searched in a session of its own that
// never asks and runs no events, and only the changed stretches are replaced, so every
// other character comes back exactly as it came.

#include <algorithm>
#include <new>
#include <stdexcept>

#include "core/program_text.h"
#include "core/text_pieces.h"
#include "core/unicode_text.h"
#include "macro/macro_interpreter.h"
#include "settings/active_profile.h"

namespace kassavero {

namespace {

TextConversion Convert(MacroServices& services, EngineHandle handle, const std::string& clientName,
                       std::string_view utf8Text, bool listOnly) {
    using Outcome = TextConversion::Outcome;
    TextConversion result;
    if (utf8Text.size() > kMaxConvertTextBytes) {
        result.outcome = Outcome::TooLarge;
        return result;
    }
    Engine& engine = services.engine;
    const int session = engine.OpenQuietSession(handle, Utf8ToText(clientName));
    if (session < 0) {
        result.outcome = Outcome::NoSession;
        return result;
    }
    try {
        // Decoding and encoding a long text run aside while other callers are served.
        std::u32string text;
        engine.RunServing([&] { text = DecodeKeepingBytes(utf8Text); }, utf8Text.size());
        std::u32string output;
        if (!listOnly)
            output.reserve(text.size() + text.size() / 8);
        std::size_t copied = 0;  // text before this position is in output already
        // The everyday recognition reads a text of any length in one go, so no amount is
        // ever torn apart at a cut; the word-by-word rules read a limited number of words.
        const std::vector<WordPiece> pieces =
            services.profile.Settings().InputEverydayForms
                ? std::vector<WordPiece>{{0, text.size(), text.size()}}
                : SplitIntoWordPieces(text);
        for (const WordPiece& piece : pieces) {
            // A change that ran past the cut moves this piece's start behind it.
            const std::size_t from = std::max(piece.start, copied);
            if (from >= piece.end || !HasDigit(text, from, piece.searchEnd))
                continue;
            const bool whole = engine.ConvertQuietly(
                handle, session, AsProgramText(text, from, piece.searchEnd, true),
                [&](const FoundChange& change, const ReplacementParts* parts) {
                    const std::size_t start = from + change.Start;
                    // From the cut on, the next piece searches with the text after it.
                    if (start >= piece.end)
                        return false;
                    // One that reaches back into text already written is left out.
                    if (parts == nullptr || start < copied)
                        return true;
                    const std::size_t end = from + change.End;
                    const std::u32string replacement = ReplacementInDocument(
                        text, start, end, AsProgramText(text, start, end, true), parts->Prefix,
                        parts->Middle, parts->Suffix);
                    if (listOnly) {
                        result.list.push_back({start, end, EncodeKeepingBytes(replacement),
                                               TextToUtf8(CurrencyCode(change.Currency)),
                                               change.Amount});
                    } else {
                        output.append(text, copied, start - copied);
                        output += replacement;
                    }
                    copied = end;
                    ++result.changes;
                    return true;
                });
            if (!whole) {
                // The program is ending: half a conversion is no answer.
                result = TextConversion{Outcome::Ended, {}, 0, {}};
                break;
            }
        }
        if (!listOnly && result.outcome == Outcome::Done) {
            output.append(text, copied, std::u32string::npos);
            engine.RunServing([&] { result.text = EncodeKeepingBytes(output); }, output.size());
        }
    } catch (const std::bad_alloc&) {
        result = TextConversion{Outcome::TooLarge, {}, 0, {}};
    } catch (const std::length_error&) {
        result = TextConversion{Outcome::TooLarge, {}, 0, {}};
    }
    engine.CloseQuietSession(handle, session);
    return result;
}

}  // namespace

TextConversion MacroInterpreter::ConvertText(const std::string& clientName,
                                             std::string_view utf8Text) {
    return Convert(services_, engineHandle_, clientName, utf8Text, false);
}

TextConversion MacroInterpreter::ListTextChanges(const std::string& clientName,
                                                 std::string_view utf8Text) {
    return Convert(services_, engineHandle_, clientName, utf8Text, true);
}

}  // namespace kassavero
