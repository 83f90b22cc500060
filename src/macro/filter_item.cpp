// SPDX-License-Identifier: GPL-3.0-or-later
// The item "Filter": the document conversion that word-processor and spreadsheet macros
// run. Open a session, hand over a piece of text, ask for the next change, have it
// confirmed, close the session; or convert one spreadsheet formula.

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "confirm/formula_question.h"
#include "core/number_text.h"
#include "core/unicode_text.h"
#include "macro/dde_command.h"
#include "macro/filter_reply.h"
#include "macro/macro_interpreter.h"
#include "settings/active_profile.h"

namespace kassavero {
namespace {

constexpr std::u32string_view kTransferText = U"transfertext";
// Texts that callers handed over for themselves and have not used yet: far more clients
// than a desktop runs at once.
constexpr std::size_t kMostWaitingTexts = 64;
constexpr std::u32string_view kTooManyTexts =
    U"ERROR. Too many clients have a text waiting. Try again when one of them has finished.";

std::u32string SessionNotOpen(const std::u32string& argument) {
    return U"ERROR. Session not open: " + argument;
}

// A currency argument of "convertexcelformula": not a number counts as 0 (EUR), a number
// outside the fourteen currencies as no currency.
CurrencyIndex FormulaCurrency(const std::u32string& argument) {
    const std::int32_t value = ParseInt32(argument).value_or(0);
    return value >= 0 && value < kCurrencyCount ? static_cast<CurrencyIndex>(value) : kNoCurrency;
}

// "Show the dialog" arguments: not a number counts as 1.
bool ShowDialogArgument(const std::u32string& argument) {
    return ParseInt32(argument).value_or(1) != 0;
}

}  // namespace

std::u32string MacroInterpreter::ExecuteFilterItem(std::u32string_view command) {
    if (LowerCase(command.substr(0, kTransferText.size())) == kTransferText)
        return TransferTextCommand(command);
    std::u32string reply;
    ParseDdeCommand(
        command, reply,
        WithHandlerFrame(
            [this](const std::u32string& function, const std::vector<std::u32string>& arguments,
                   std::u32string& out) { ExecuteFilterFunction(function, arguments, out); }));
    return reply;
}

// "transfertext", optional digits (not used), ":" and the text, taken exactly as it
// stands. The text waits for the next "findnextchange" or "convertexcelformula"; a new
// one replaces it.
std::u32string MacroInterpreter::TransferTextCommand(std::u32string_view command) {
    std::size_t position = kTransferText.size();
    while (position < command.size() && command[position] >= U'0' && command[position] <= U'9')
        ++position;
    if (position >= command.size() || command[position] != U':')
        return U"ERROR. Invalid syntax for TransferText!";
    // A caller's hand-over waits for that caller's next command, so clients that
    // interleave their calls never take each other's text. Executes, pokes and the
    // status file share one text, as they always did.
    std::u32string text(command.substr(position + 1));
    const unsigned long long number = ++handOvers_;
    // Even a refused hand-over makes the caller one that hands over its own texts: its
    // next search must not take another client's text instead.
    if (!caller_.empty())
        handingCallers_.insert(caller_);
    if (caller_.empty()) {
        pendingText_ = std::move(text);
        textPending_ = true;
        sharedNumber_ = number;
    } else {
        if (callerTexts_.size() >= kMostWaitingTexts &&
            callerTexts_.find(caller_) == callerTexts_.end()) {
            DropUnreachableTexts();
            // Never drop a text somebody may still come for.
            if (callerTexts_.size() >= kMostWaitingTexts)
                return std::u32string(kTooManyTexts);
        }
        callerTexts_.insert_or_assign(caller_, CallerText{std::move(text), number});
    }
    return std::u32string(command);
}

void MacroInterpreter::DropUnreachableTexts() {
    // Of the texts whose callers left, only the newest can still be taken (and only when
    // it is newer than the shared one).
    auto newest = callerTexts_.end();
    std::vector<std::map<std::string, CallerText, std::less<>>::iterator> gone;
    for (auto entry = callerTexts_.begin(); entry != callerTexts_.end(); ++entry) {
        if (server_.CallerConnected(entry->first))
            continue;
        gone.push_back(entry);
        if (newest == callerTexts_.end() || entry->second.number > newest->second.number)
            newest = entry;
    }
    for (const auto& entry : gone) {
        if (entry != newest || (textPending_ && entry->second.number < sharedNumber_))
            callerTexts_.erase(entry);
    }
}

std::optional<std::u32string> MacroInterpreter::TakePendingText(bool keepShared) {
    if (const auto own = callerTexts_.find(caller_); own != callerTexts_.end()) {
        std::u32string text = std::move(own->second.text);
        callerTexts_.erase(own);
        return text;
    }
    // A caller that hands over its own texts has used them up: what waits is another's.
    if (handingCallers_.find(caller_) != handingCallers_.end())
        return std::nullopt;
    // Else the newest text nobody can come back for: the shared one, or one whose caller
    // has left the bus (a client that hands over in one process and searches in the
    // next). A connected caller's text is never another's.
    auto newest = callerTexts_.end();
    for (auto entry = callerTexts_.begin(); entry != callerTexts_.end();) {
        const bool older =
            (textPending_ && entry->second.number < sharedNumber_) ||
            (newest != callerTexts_.end() && entry->second.number < newest->second.number);
        if (older || server_.CallerConnected(entry->first)) {
            ++entry;
            continue;
        }
        // A newer text replaces an older one that nobody took, as the shared one does.
        if (newest != callerTexts_.end())
            callerTexts_.erase(newest);
        newest = entry++;
    }
    if (newest != callerTexts_.end()) {
        std::u32string text = std::move(newest->second.text);
        callerTexts_.erase(newest);
        return text;
    }
    if (!textPending_)
        return std::nullopt;
    textPending_ = false;
    if (keepShared)
        return pendingText_;
    return std::exchange(pendingText_, std::u32string());
}

void MacroInterpreter::ExecuteFilterFunction(const std::u32string& function,
                                             const std::vector<std::u32string>& arguments,
                                             std::u32string& reply) {
    const std::size_t count = arguments.size();
    Engine& engine = services_.engine;
    if (function == U"opensession") {
        if (!CheckArgumentCount(count, 2, function, reply))
            return;
        const int session =
            engine.OpenSession(engineHandle_, arguments[0], ShowDialogArgument(arguments[1]));
        if (session >= 0) {
            sessionTexts_.erase(session);
            if (caller_.empty())
                owners_.erase(session);
            else
                owners_[session] = SessionOwner{caller_, false};
        }
        reply = AsciiToText(std::to_string(session));
    } else if (function == U"closesession") {
        if (!CheckArgumentCount(count, 1, function, reply))
            return;
        // An argument that is no number closes nothing: read as 0 it would close the
        // session of whichever client holds slot 0.
        const auto session = ParseInt32(arguments[0]);
        if (!session) {
            reply = U"ERROR. Invalid session: " + arguments[0];
            return;
        }
        if (ForeignSession(*session)) {
            reply = SessionNotOpen(arguments[0]);
            return;
        }
        if (engine.SessionExists(engineHandle_, *session)) {
            owners_.erase(*session);
            sessionTexts_.erase(*session);
        }
        engine.CloseSession(engineHandle_, *session);
        // A closing client leaves no text of its own behind.
        if (!caller_.empty())
            callerTexts_.erase(caller_);
        reply = U"OK";
    } else if (function == U"findnextchange") {
        if (CheckArgumentCount(count, 1, function, reply))
            FindNextChangeFunction(arguments[0], reply);
    } else if (function == U"convertexcelformula") {
        if (CheckArgumentCount(count, 3, function, reply))
            ConvertExcelFormulaFunction(arguments, reply);
    } else if (function == U"confirmchange") {
        if (CheckArgumentCount(count, 2, function, reply))
            ConfirmChangeFunction(arguments, reply);
    } else if (function == U"amountonscreen") {
        if (CheckArgumentCount(count, 4, function, reply))
            AmountOnScreenFunction(arguments, reply);
    } else if (function == U"testconnection") {
        if (CheckArgumentCount(count, 0, function, reply))
            reply = U"OK";
    } else {
        reply = U"ERROR. Unknown function for DDE-item \"Filter\": " + function;
    }
}

bool MacroInterpreter::CheckSessionArgument(const std::u32string& argument, std::u32string& reply) {
    reply = U"OK";
    const auto session = ParseInt32(argument);
    if (!session) {
        reply = U"ERROR. Invalid session: " + argument;
        return false;
    }
    // Not open is no answer to search or confirm in: "OK" would read as "nothing more".
    if (!services_.engine.SessionExists(engineHandle_, *session) || ForeignSession(*session)) {
        reply = SessionNotOpen(argument);
        return false;
    }
    if (const auto owner = owners_.find(*session);
        owner != owners_.end() && !caller_.empty() && owner->second.caller == caller_) {
        owner->second.used = true;
    }
    return true;
}

bool MacroInterpreter::ForeignSession(int session) const {
    const auto owner = owners_.find(session);
    return owner != owners_.end() && owner->second.caller != caller_;
}

void MacroInterpreter::FindNextChangeFunction(const std::u32string& argument,
                                              std::u32string& reply) {
    const auto session = ParseInt32(argument);
    // The waiting text goes to the session asked, even one that is not open (the engine
    // refuses it and says so). An argument that is no number, or another caller's
    // session, gets it nowhere: the text keeps waiting.
    // Taken before the hand-over, which lets pending events run: a text handed over by
    // one of them waits for the next command instead of being lost.
    if (const auto text =
            session && !ForeignSession(*session) ? TakePendingText(true) : std::nullopt) {
        BeginSessionText(*session, *text);
    }
    if (!CheckSessionArgument(argument, reply))
        return;
    FoundChange change;
    const bool found = FindInSessionText(*session, change);
    // The events run meanwhile may have closed it: then its text was not searched to the end.
    if (!found && !services_.engine.SessionExists(engineHandle_, *session)) {
        reply = SessionNotOpen(argument);
        return;
    }
    reply = FormatChangeReply(found, change.Start, change.End, change.Currency, change.Amount,
                              services_.systemDecimalSeparator);
}

void MacroInterpreter::BeginSessionText(int session, std::u32string text) {
    Engine& engine = services_.engine;
    if (!engine.SessionExists(engineHandle_, session)) {
        engine.TransferText(engineHandle_, session, static_cast<long long>(text.size()), text, 0);
        return;
    }
    SessionText entry;
    entry.pieces = services_.profile.Settings().InputEverydayForms
                       ? std::vector<WordPiece>{{0, text.size(), text.size()}}
                       : SplitIntoWordPieces(text);
    entry.text = std::move(text);
    sessionTexts_.insert_or_assign(session, std::move(entry));
    TransferPiece(session, 0);
}

void MacroInterpreter::TransferPiece(int session, std::size_t from) {
    std::u32string piece;
    if (auto entry = sessionTexts_.find(session); entry != sessionTexts_.end()) {
        SessionText& e = entry->second;
        const std::size_t searchEnd =
            e.piece < e.pieces.size() ? e.pieces[e.piece].searchEnd : e.text.size();
        e.from = std::min(from, searchEnd);
        piece = e.text.substr(e.from, searchEnd - e.from);
    }
    services_.engine.TransferText(engineHandle_, session, static_cast<long long>(piece.size()),
                                  piece, 0);
}

bool MacroInterpreter::FindInSessionText(int session, FoundChange& change) {
    Engine& engine = services_.engine;
    while (true) {
        const bool found = engine.FindNextChange(engineHandle_, session, change);
        // Looked up anew: the events of the search may have closed the session.
        const auto entry = sessionTexts_.find(session);
        if (entry == sessionTexts_.end() || !engine.SessionExists(engineHandle_, session))
            return found;
        SessionText& e = entry->second;
        if (e.piece >= e.pieces.size())
            return false;
        const std::size_t pieceEnd = e.pieces[e.piece].end;
        if (found && e.from + change.Start < pieceEnd) {
            change.Start += e.from;
            change.End += e.from;
            e.reported = change.End;
            return true;
        }
        // The word-by-word rules came into force after the text was cut for the everyday
        // reading: what is left is cut anew, the words searched already included.
        if (!found && !engine.SearchesWholeText(engineHandle_, session)) {
            std::vector<WordPiece> rest = SplitIntoWordPieces(e.text.substr(e.from));
            for (WordPiece& piece : rest) {
                piece.start += e.from;
                piece.end += e.from;
                piece.searchEnd += e.from;
            }
            e.pieces.resize(e.piece);
            e.pieces.insert(e.pieces.end(), rest.begin(), rest.end());
        }
        // From the cut on, the next piece searches with the text after it in view.
        if (++e.piece >= e.pieces.size())
            return false;
        TransferPiece(session, std::max(e.pieces[e.piece].start, e.reported));
    }
}

void MacroInterpreter::ConfirmChangeFunction(const std::vector<std::u32string>& arguments,
                                             std::u32string& reply) {
    if (!CheckSessionArgument(arguments[0], reply))
        return;
    const int session = ParseInt32(arguments[0]).value_or(0);
    ReplacementParts parts;
    // Should the caller leave while the question waits, the question ends with it.
    const auto asking = askingCallers_.emplace(caller_, session);
    const int result = services_.engine.ConfirmChange(engineHandle_, session,
                                                      ShowDialogArgument(arguments[1]), parts);
    askingCallers_.erase(asking);
    reply = FormatConfirmReply(result, parts);
}

void MacroInterpreter::AmountOnScreenFunction(const std::vector<std::u32string>& arguments,
                                              std::u32string& reply) {
    std::array<int, 4> numbers{};
    for (std::size_t n = 0; n < numbers.size(); ++n) {
        const auto number = ParseInt32(arguments[n]);
        if (!number) {
            reply = U"ERROR. Invalid screen area: " + arguments[n];
            return;
        }
        numbers[n] = *number;
    }
    // A client that waits for the answer to the question cannot draw what the window
    // uncovered by moving; "MOVED" lets it draw first.
    reply = services_.formulas.AmountOnScreen(
                ScreenArea{numbers[0], numbers[1], numbers[2], numbers[3]})
                ? U"MOVED"
                : U"OK";
}

void MacroInterpreter::ConvertExcelFormulaFunction(const std::vector<std::u32string>& arguments,
                                                   std::u32string& reply) {
    // Taken before asking: while the user decides, other commands run, and a formula
    // handed over meanwhile must wait for its own command rather than be dropped.
    const std::optional<std::u32string> formula = TakePendingText(false);
    if (!formula) {
        reply = U"ERROR. Transfer forumla with transfertext first, then call function.";
        return;
    }
    const CurrencyIndex source = FormulaCurrency(arguments[1]);
    const CurrencyIndex target = FormulaCurrency(arguments[2]);
    // The first argument was never used by macros; "constantcell" there says the formula
    // stands for a cell holding a constant, rounded with that cell precision, and
    // "quietcell" the same converted without a question (for a run whose changes are
    // not confirmed one by one).
    const std::u32string kind = LowerCase(arguments[0]);
    const FormulaConstants constants = kind == U"constantcell" || kind == U"quietcell"
                                           ? FormulaConstants::ConstantCell
                                           : FormulaConstants::InFormula;
    if (kind == U"quietcell") {
        reply = services_.formulas.ConvertFormula(*formula, source, target, constants);
        return;
    }
    bool cancelled = false;
    std::u32string result;
    bool withdrawn = false;
    const auto waiting = formulaWaits_.emplace(caller_, &withdrawn);
    services_.formulas.AskFormula(*formula, source, target, constants, cancelled, result,
                                  withdrawn);
    formulaWaits_.erase(waiting);
    reply = result;
}

void MacroInterpreter::OnCallerLeft(std::string_view caller) {
    if (caller.empty())
        return;
    const std::string name(caller);
    // Its questions first: they end unanswered and the next client's comes up.
    for (auto [it, end] = askingCallers_.equal_range(name); it != end; ++it)
        services_.engine.WithdrawQuestions(it->second);
    for (auto [it, end] = formulaWaits_.equal_range(name); it != end; ++it)
        *it->second = true;
    services_.formulas.EndWithdrawn();
    bool heldSessions = false;
    for (auto owner = owners_.begin(); owner != owners_.end();) {
        if (owner->second.caller != name) {
            ++owner;
            continue;
        }
        const int session = owner->first;
        const bool used = owner->second.used;
        owner = owners_.erase(owner);
        if (used) {
            heldSessions = true;
            sessionTexts_.erase(session);
            services_.engine.CloseSession(engineHandle_, session);
        }
    }
    handingCallers_.erase(name);
    if (heldSessions)
        callerTexts_.erase(name);
}

}  // namespace kassavero
