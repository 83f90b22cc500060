// SPDX-License-Identifier: GPL-3.0-or-later
#include "macro/macro_interpreter.h"

#include <utility>

#include "calculator/calculator_access.h"
#include "core/number_text.h"
#include "core/unicode_text.h"
#include "macro/dde_command.h"
#include "platform/help.h"
#include "platform/program_windows.h"
#include "platform/registry.h"
#include "settings/active_profile.h"
#include "settings/profile_settings.h"
#include "settings/transfer_ini_file.h"

namespace kassavero {
namespace {

constexpr std::u32string_view kNoColon = U"ERROR. DDE Macro has to have the form <Item>:<Command>";
constexpr std::u32string_view kStoreMissing = U"ERROR. The settings store could not be opened.";
constexpr std::u32string_view kStoreFailed = U"ERROR. The settings store could not be written.";
constexpr std::u32string_view kParseAndSetPrefix = U"parseandsetvalue:";

std::u32string InvalidArgument(const std::u32string& function, const std::u32string& argument) {
    return U"ERROR. Invalid argument in call to function " + function + U": " + argument;
}

}  // namespace

MacroInterpreter::MacroInterpreter(DdeServer& server, MacroServices services,
                                   EngineHandle engineHandle)
    : server_(server), services_(std::move(services)), engineHandle_(engineHandle) {
    server_.AddTopic(kSystemTopic);
    server_.AddTopic(kMacroServerTopic);
    server_.AddItem(kSystemTopic, kFilterItem, {U"TestConnection"}, true);
    server_.AddItem(kSystemTopic, kSettingsItem, {U"TestConnection"}, true);
    server_.AddItem(kSystemTopic, kCalculatorItem, {U"Show"}, true);
    server_.AddItem(kSystemTopic, kTopicsItem, {U"Calculator", U"Filter", U"Settings"}, false);
    server_.SetHandler(this);
}

MacroInterpreter::~MacroInterpreter() {
    server_.SetHandler(nullptr);
}

void MacroInterpreter::OnExecuteMacro(std::u32string_view /*topic*/,
                                      const std::vector<std::u32string>& lines) {
    // "System" and MacroServer take the same macro lines; only the first line counts.
    ExecuteMacroLine(lines.empty() ? std::u32string_view() : std::u32string_view(lines.front()));
}

void MacroInterpreter::OnPokeData(std::u32string_view topic, std::u32string_view item) {
    if (LowerCase(topic) != LowerCase(kSystemTopic))
        return;
    std::string outer = std::exchange(caller_, std::string());
    if (item == kFilterItem) {
        FilterPokeData();
    } else if (item == kSettingsItem) {
        SettingsPokeData();
    } else if (item == kCalculatorItem) {
        CalculatorPokeData();
    }
    caller_ = std::move(outer);
}

void MacroInterpreter::SetItemReply(std::u32string_view item, const std::u32string& reply) {
    server_.SetItemText(kSystemTopic, item, U"[" + reply + U"]");
}

DdeError MacroInterpreter::OnCallMacro(std::u32string_view /*topic*/,
                                       const std::vector<std::u32string>& lines,
                                       std::string_view caller, std::u32string& reply) {
    // A command that waits for the user lets other calls run; each puts back the caller
    // it found when it ends.
    std::string outer = std::exchange(caller_, std::string(caller));
    const bool named = RunMacroLine(
        lines.empty() ? std::u32string_view() : std::u32string_view(lines.front()), reply);
    caller_ = std::move(outer);
    return named ? DdeError::None : DdeError::UnknownItem;
}

void MacroInterpreter::ExecuteMacroLine(std::u32string_view macroLine) {
    // An execute may arrive while a caller's command waits; it speaks for nobody.
    std::string outer = std::exchange(caller_, std::string());
    std::u32string itemText;
    RunMacroLine(macroLine, itemText);
    caller_ = std::move(outer);
}

bool MacroInterpreter::RunMacroLine(std::u32string_view macroLine, std::u32string& itemText) {
    // A copy: a command that waits for the user lets other commands run meanwhile.
    const std::u32string line(macroLine);
    const std::size_t colon = line.find(U':');
    if (colon == std::u32string::npos) {
        lastResult_ = kNoColon;
        itemText = lastResult_;
        return false;
    }
    const std::u32string item = LowerCase(std::u32string_view(line).substr(0, colon));
    const std::u32string_view command = std::u32string_view(line).substr(colon + 1);
    std::u32string reply;
    std::u32string_view replyItem;
    if (item == U"filter") {
        reply = ExecuteFilterItem(command);
        replyItem = kFilterItem;
    } else if (item == U"calculator") {
        reply = ExecuteCalculatorItem(command);
        replyItem = kCalculatorItem;
    } else if (item == U"settings") {
        reply = ExecuteSettingsItem(command);
        replyItem = kSettingsItem;
    } else {
        lastResult_ = U"ERROR. Unknown item " + item;
        itemText = lastResult_;
        return false;
    }
    itemText = U"[" + reply + U"]";
    server_.SetItemText(kSystemTopic, replyItem, itemText);
    lastResult_ = reply;
    return true;
}

void MacroInterpreter::FilterPokeData() {
    SetItemReply(kFilterItem, ExecuteFilterItem(server_.ItemText(kSystemTopic, kFilterItem)));
}

void MacroInterpreter::SettingsPokeData() {
    SetItemReply(kSettingsItem, ExecuteSettingsItem(server_.ItemText(kSystemTopic, kSettingsItem)));
}

void MacroInterpreter::CalculatorPokeData() {
    SetItemReply(kCalculatorItem,
                 ExecuteCalculatorItem(server_.ItemText(kSystemTopic, kCalculatorItem)));
}

// ---- Settings ----

std::u32string MacroInterpreter::ExecuteSettingsItem(std::u32string_view command) {
    // The values of one command line are read from and written to one store, written
    // once at the end: a long chain of values costs one write, not one each.
    CallStore call;
    CallStore* const outer = std::exchange(callStore_, &call);
    std::u32string reply;
    ParseDdeCommand(
        command, reply,
        WithHandlerFrame(
            [this](const std::u32string& function, const std::vector<std::u32string>& arguments,
                   std::u32string& out) { ExecuteSettingsFunction(function, arguments, out); }));
    callStore_ = outer;
    // What could not be written would be lost, so the client must not be told "OK".
    if (!EndCallStore(call))
        reply = kStoreFailed;
    return reply;
}

bool MacroInterpreter::EndCallStore(CallStore& call) {
    bool stored = !call.failed;
    if (call.update)
        stored = call.update->Commit() && stored;
    call.update.reset();
    call.store.reset();
    call.failed = !stored;
    return stored;
}

void MacroInterpreter::ExecuteSettingsFunction(const std::u32string& function,
                                               const std::vector<std::u32string>& arguments,
                                               std::u32string& reply) {
    const std::size_t count = arguments.size();
    // Windows run events, and the program may save its settings meanwhile: what this
    // line changed is written before.
    if (function != U"getvalue" && function != U"setvalue" && callStore_ != nullptr)
        EndCallStore(*callStore_);
    if (function == U"getvalue") {
        if (CheckArgumentCount(count, 2, function, reply))
            GetValue(arguments[0], arguments[1], reply);
    } else if (function == U"setvalue") {
        if (CheckArgumentCount(count, 3, function, reply))
            SetValue(arguments[0], arguments[1], arguments[2], reply);
    } else if (function == U"showdialog") {
        if (!CheckArgumentCount(count, 0, function, reply))
            return;
        services_.settingsWindow.ShowSettings(SettingsPage::Current);
        reply = U"OK";
    } else if (function == U"showhelp") {
        if (!CheckArgumentCount(count, 1, function, reply))
            return;
        const int context = ParseInt32(arguments[0]).value_or(0);
        if (context != 0) {
            services_.help.ShowTopic(context);
        } else {
            services_.help.ShowContents();
        }
        reply = U"OK";
    } else if (function == U"showabout") {
        if (!CheckArgumentCount(count, 0, function, reply))
            return;
        services_.aboutWindow.ShowAbout();
        reply = U"OK";
    } else if (function == U"decimalseparator") {
        // The separator the program reads and writes spreadsheet formula numbers with,
        // so a client whose own locale differs can hand them over right.
        if (CheckArgumentCount(count, 0, function, reply))
            reply = std::u32string(1, services_.systemDecimalSeparator);
    } else {
        reply = U"ERROR. Unknown function for DDE-item \"Settings\": " + function;
    }
}

Registry* MacroInterpreter::Store(std::u32string& reply) {
    if (callStore_ == nullptr)
        return nullptr;
    CallStore& call = *callStore_;
    if (!call.store) {
        call.store = services_.openStore ? services_.openStore() : nullptr;
        if (!call.store) {
            reply = kStoreMissing;
            return nullptr;
        }
        call.update.emplace(*call.store);
    }
    return call.store.get();
}

// An empty profile argument means the active profile. The live settings are left
// alone: they keep their values until the profile is read again, and the next save
// writes them over what was stored here.
void MacroInterpreter::GetValue(const std::u32string& profileName, const std::u32string& key,
                                std::u32string& reply) {
    Registry* const store = Store(reply);
    if (store == nullptr)
        return;
    TTransferIniFile file(*store);
    std::u32string value;
    file.TransferString(
        false, ProfileSection(profileName.empty() ? services_.profile.Name() : profileName), value,
        key);
    reply = value;
}

void MacroInterpreter::SetValue(const std::u32string& profileName, const std::u32string& key,
                                const std::u32string& value, std::u32string& reply) {
    Registry* const store = Store(reply);
    if (store == nullptr)
        return;
    TTransferIniFile file(*store);
    std::u32string stored = value;
    file.TransferString(
        true, ProfileSection(profileName.empty() ? services_.profile.Name() : profileName), stored,
        key);
    reply = U"OK";
}

// ---- Calculator ----

std::u32string MacroInterpreter::ExecuteCalculatorItem(std::u32string_view command) {
    if (LowerCase(command.substr(0, kParseAndSetPrefix.size())) == kParseAndSetPrefix)
        return ParseAndSetValue(command.substr(kParseAndSetPrefix.size()));
    std::u32string reply;
    ParseDdeCommand(
        command, reply,
        WithHandlerFrame(
            [this](const std::u32string& function, const std::vector<std::u32string>& arguments,
                   std::u32string& out) { ExecuteCalculatorFunction(function, arguments, out); }));
    return reply;
}

std::u32string MacroInterpreter::ParseAndSetValue(std::u32string_view text) {
    Engine& engine = services_.engine;
    const std::u32string copy(text);
    FoundChange change;
    bool found = false;
    const int session = engine.OpenSession(engineHandle_, U"internaltransfer", false);
    // Without a free slot the engine has told the user already; nothing more to try.
    if (session >= 0) {
        engine.TransferText(engineHandle_, session, static_cast<long long>(copy.size()), copy, 0);
        found = engine.FindNextChange(engineHandle_, session, change);
        engine.CloseSession(engineHandle_, session);
    }
    if (!found)
        return U"ERROR. No currency value found.";
    ShowInCalculator(change.Currency, change.Amount);
    return U"OK";
}

void MacroInterpreter::ShowInCalculator(CurrencyIndex currency, double amount) {
    CalculatorAccess& calculator = services_.calculator;
    calculator.ShowAmount(currency, true, amount);
    // Also when it is open already: it comes to the front.
    calculator.Show();
}

void MacroInterpreter::ExecuteCalculatorFunction(const std::u32string& function,
                                                 const std::vector<std::u32string>& arguments,
                                                 std::u32string& reply) {
    const std::size_t count = arguments.size();
    CalculatorAccess& calculator = services_.calculator;
    if (function == U"setvalue") {
        if (!CheckArgumentCount(count, 2, function, reply))
            return;
        // The code as the active profile spells it, letter case included. An empty code
        // would otherwise name the first custom currency left without one.
        const std::u32string& code = arguments[0];
        const CurrencyIndex currency =
            code.empty() ? kNoCurrency : CurrencyByCode(services_.profile.Settings(), code);
        if (!IsCurrency(currency)) {
            reply = InvalidArgument(function, arguments[0]);
            return;
        }
        const auto amount = ParseDecimalStrict(arguments[1], services_.systemDecimalSeparator);
        if (!amount) {
            reply = InvalidArgument(function, arguments[1]);
            return;
        }
        ShowInCalculator(currency, *amount);
        reply = U"OK";
    } else if (function == U"show") {
        if (!CheckArgumentCount(count, 0, function, reply))
            return;
        calculator.Show();
        reply = U"OK";
    } else if (function == U"hide") {
        if (!CheckArgumentCount(count, 0, function, reply))
            return;
        if (calculator.Visible())
            calculator.Hide();
        reply = U"OK";
    } else {
        reply = U"ERROR. Unknown function for DDE-item \"Calculator\": " + function;
    }
}

}  // namespace kassavero
