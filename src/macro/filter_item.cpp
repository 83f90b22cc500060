// The item "Filter": the document conversion that word-processor and spreadsheet macros
// run. Open a session, hand over a piece of text, ask for the next change, have it
// confirmed, close the session; or convert one spreadsheet formula.

#include <algorithm>
#include <optional>
#include <utility>

#include "confirm/formula_question.h"
#include "core/number_text.h"
#include "core/win1252.h"
#include "macro/dde_command.h"
#include "macro/filter_reply.h"
#include "macro/macro_interpreter.h"

namespace kassavero {
namespace {

constexpr std::string_view kTransferText = "transfertext";

// A currency argument of "convertexcelformula": not a number counts as 0 (EUR), a number
// outside the fourteen currencies as no currency.
CurrencyIndex FormulaCurrency(const std::string& argument) {
    const std::int32_t value = ParseInt32(argument).value_or(0);
    return value >= 0 && value < kCurrencyCount ? static_cast<CurrencyIndex>(value) : kNoCurrency;
}

// "Show the dialog" arguments: not a number counts as 1.
bool ShowDialogArgument(const std::string& argument) {
    return ParseInt32(argument).value_or(1) != 0;
}

}  // namespace

std::string MacroInterpreter::ExecuteFilterItem(std::string_view command) {
    if (LowerCaseLatin1(command.substr(0, kTransferText.size())) == kTransferText)
        return TransferTextCommand(command);
    std::string reply;
    ParseDdeCommand(
        command, reply,
        WithHandlerFrame(
            [this](const std::string& function, const std::vector<std::string>& arguments,
                   std::string& out) { ExecuteFilterFunction(function, arguments, out); }));
    return reply;
}

// "transfertext", optional digits (not used), ":" and the text, taken exactly as it
// stands. The text waits for the next "findnextchange" or "convertexcelformula"; a new
// one replaces it.
std::string MacroInterpreter::TransferTextCommand(std::string_view command) {
    std::size_t position = kTransferText.size();
    while (position < command.size() && command[position] >= '0' && command[position] <= '9')
        ++position;
    if (position >= command.size() || command[position] != ':')
        return "ERROR. Invalid syntax for TransferText!";
    // A caller's hand-over waits for that caller's next command, so clients that
    // interleave their calls never take each other's text. Executes, pokes and the
    // status file share one text, as they always did.
    std::string text(command.substr(position + 1));
    const unsigned long long number = ++handOvers_;
    if (caller_.empty()) {
        pendingText_ = std::move(text);
        textPending_ = true;
        sharedNumber_ = number;
    } else {
        // Callers that never come back must not pile up.
        constexpr std::size_t kMostCallers = 64;
        if (callerTexts_.size() >= kMostCallers &&
            callerTexts_.find(caller_) == callerTexts_.end()) {
            callerTexts_.erase(std::min_element(
                callerTexts_.begin(), callerTexts_.end(),
                [](const auto& a, const auto& b) { return a.second.number < b.second.number; }));
        }
        callerTexts_.insert_or_assign(caller_, CallerText{std::move(text), number});
    }
    return std::string(command);
}

std::optional<std::string> MacroInterpreter::TakePendingText(bool keepShared) {
    if (const auto own = callerTexts_.find(caller_); own != callerTexts_.end()) {
        std::string text = std::move(own->second.text);
        callerTexts_.erase(own);
        return text;
    }
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
        std::string text = std::move(newest->second.text);
        callerTexts_.erase(newest);
        return text;
    }
    if (!textPending_)
        return std::nullopt;
    textPending_ = false;
    if (keepShared)
        return pendingText_;
    return std::exchange(pendingText_, std::string());
}

void MacroInterpreter::ExecuteFilterFunction(const std::string& function,
                                             const std::vector<std::string>& arguments,
                                             std::string& reply) {
    const std::size_t count = arguments.size();
    Engine& engine = services_.engine;
    if (function == "opensession") {
        if (!CheckArgumentCount(count, 2, function, reply))
            return;
        reply = std::to_string(
            engine.OpenSession(engineHandle_, arguments[0], ShowDialogArgument(arguments[1])));
    } else if (function == "closesession") {
        if (!CheckArgumentCount(count, 1, function, reply))
            return;
        // An argument that is no number closes nothing: read as 0 it would close the
        // session of whichever client holds slot 0.
        const auto session = ParseInt32(arguments[0]);
        if (!session) {
            reply = "ERROR. Invalid session: " + arguments[0];
            return;
        }
        engine.CloseSession(engineHandle_, *session);
        // A closing client leaves no text of its own behind.
        if (!caller_.empty())
            callerTexts_.erase(caller_);
        reply = "OK";
    } else if (function == "findnextchange") {
        if (CheckArgumentCount(count, 1, function, reply))
            FindNextChangeFunction(arguments[0], reply);
    } else if (function == "convertexcelformula") {
        if (CheckArgumentCount(count, 3, function, reply))
            ConvertExcelFormulaFunction(arguments, reply);
    } else if (function == "confirmchange") {
        if (CheckArgumentCount(count, 2, function, reply))
            ConfirmChangeFunction(arguments, reply);
    } else if (function == "testconnection") {
        if (CheckArgumentCount(count, 0, function, reply))
            reply = "OK";
    } else {
        reply = "ERROR. Unknown function for DDE-item \"Filter\": " + function;
    }
}

bool MacroInterpreter::CheckSessionArgument(const std::string& argument, std::string& reply) const {
    reply = "OK";
    const auto session = ParseInt32(argument);
    if (!session) {
        reply = "ERROR. Invalid session: " + argument;
        return false;
    }
    return services_.engine.SessionExists(engineHandle_, *session);
}

void MacroInterpreter::FindNextChangeFunction(const std::string& argument, std::string& reply) {
    Engine& engine = services_.engine;
    const auto session = ParseInt32(argument);
    // The waiting text goes to the session asked, even one that is not open (the engine
    // refuses it and says so). An argument that is no number gets it nowhere: read as 0
    // it would replace the text of another client's session; the text keeps waiting.
    // Taken before the hand-over, which lets pending events run: a text handed over by
    // one of them waits for the next command instead of being lost.
    if (const auto text = session ? TakePendingText(true) : std::nullopt) {
        engine.TransferText(engineHandle_, *session, static_cast<long long>(text->size()), *text,
                            0);
    }
    if (!CheckSessionArgument(argument, reply))
        return;
    FoundChange change;
    const bool found = engine.FindNextChange(engineHandle_, *session, change);
    reply = FormatChangeReply(found, change.Start, change.End, change.Currency, change.Amount,
                              services_.systemDecimalSeparator);
}

void MacroInterpreter::ConfirmChangeFunction(const std::vector<std::string>& arguments,
                                             std::string& reply) {
    if (!CheckSessionArgument(arguments[0], reply))
        return;
    const int session = ParseInt32(arguments[0]).value_or(0);
    ReplacementParts parts;
    const int result = services_.engine.ConfirmChange(engineHandle_, session,
                                                      ShowDialogArgument(arguments[1]), parts);
    reply = FormatConfirmReply(result, parts);
}

void MacroInterpreter::ConvertExcelFormulaFunction(const std::vector<std::string>& arguments,
                                                   std::string& reply) {
    // Taken before asking: while the user decides, other commands run, and a formula
    // handed over meanwhile must wait for its own command rather than be dropped.
    const std::optional<std::string> formula = TakePendingText(false);
    if (!formula) {
        reply = "ERROR. Transfer forumla with transfertext first, then call function.";
        return;
    }
    const CurrencyIndex source = FormulaCurrency(arguments[1]);
    const CurrencyIndex target = FormulaCurrency(arguments[2]);
    // The first argument was never used by macros; "constantcell" there says the formula
    // stands for a cell holding a constant, rounded with that cell precision, and
    // "quietcell" the same converted without a question (for a run whose changes are
    // not confirmed one by one).
    const std::string kind = LowerCaseLatin1(arguments[0]);
    const FormulaConstants constants = kind == "constantcell" || kind == "quietcell"
                                           ? FormulaConstants::ConstantCell
                                           : FormulaConstants::InFormula;
    if (kind == "quietcell") {
        reply = services_.formulas.ConvertFormula(*formula, source, target, constants);
        return;
    }
    bool cancelled = false;
    std::string result;
    services_.formulas.AskFormula(*formula, source, target, constants, cancelled, result);
    reply = result;
}

}  // namespace kassavero
