// SPDX-License-Identifier: GPL-3.0-or-later
#include "macro/macro_interpreter.h"

#include <utility>

#include "calculator/calculator_access.h"
#include "core/number_text.h"
#include "core/win1252.h"
#include "macro/dde_command.h"
#include "platform/help.h"
#include "platform/program_windows.h"
#include "platform/registry.h"
#include "settings/active_profile.h"
#include "settings/profile_settings.h"
#include "settings/transfer_ini_file.h"

namespace kassavero {
namespace {

constexpr std::string_view kNoColon = "ERROR. DDE Macro has to have the form <Item>:<Command>";
constexpr std::string_view kStoreMissing = "ERROR. The settings store could not be opened.";
constexpr std::string_view kStoreFailed = "ERROR. The settings store could not be written.";
constexpr std::string_view kParseAndSetPrefix = "parseandsetvalue:";

std::string InvalidArgument(const std::string& function, const std::string& argument) {
    return "ERROR. Invalid argument in call to function " + function + ": " + argument;
}

}  // namespace

MacroInterpreter::MacroInterpreter(DdeServer& server, MacroServices services,
                                   EngineHandle engineHandle)
    : server_(server), services_(std::move(services)), engineHandle_(engineHandle) {
    server_.AddTopic(kSystemTopic);
    server_.AddTopic(kMacroServerTopic);
    server_.AddItem(kSystemTopic, kFilterItem, {"TestConnection"}, true);
    server_.AddItem(kSystemTopic, kSettingsItem, {"TestConnection"}, true);
    server_.AddItem(kSystemTopic, kCalculatorItem, {"Show"}, true);
    server_.AddItem(kSystemTopic, kTopicsItem, {"Calculator", "Filter", "Settings"}, false);
    server_.SetHandler(this);
}

MacroInterpreter::~MacroInterpreter() {
    server_.SetHandler(nullptr);
}

void MacroInterpreter::OnExecuteMacro(std::string_view /*topic*/,
                                      const std::vector<std::string>& lines) {
    // "System" and MacroServer take the same macro lines; only the first line counts.
    ExecuteMacroLine(lines.empty() ? std::string_view() : std::string_view(lines.front()));
}

void MacroInterpreter::OnPokeData(std::string_view topic, std::string_view item) {
    if (LowerCaseLatin1(topic) != LowerCaseLatin1(kSystemTopic))
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

void MacroInterpreter::SetItemReply(std::string_view item, const std::string& reply) {
    server_.SetItemText(kSystemTopic, item, "[" + reply + "]");
}

DdeError MacroInterpreter::OnCallMacro(std::string_view /*topic*/,
                                       const std::vector<std::string>& lines,
                                       std::string_view caller, std::string& reply) {
    // A command that waits for the user lets other calls run; each puts back the caller
    // it found when it ends.
    std::string outer = std::exchange(caller_, std::string(caller));
    const bool named =
        RunMacroLine(lines.empty() ? std::string_view() : std::string_view(lines.front()), reply);
    caller_ = std::move(outer);
    return named ? DdeError::None : DdeError::UnknownItem;
}

void MacroInterpreter::ExecuteMacroLine(std::string_view macroLine) {
    // An execute may arrive while a caller's command waits; it speaks for nobody.
    std::string outer = std::exchange(caller_, std::string());
    std::string itemText;
    RunMacroLine(macroLine, itemText);
    caller_ = std::move(outer);
}

bool MacroInterpreter::RunMacroLine(std::string_view macroLine, std::string& itemText) {
    // A copy: a command that waits for the user lets other commands run meanwhile.
    const std::string line(macroLine);
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) {
        lastResult_ = kNoColon;
        itemText = lastResult_;
        return false;
    }
    const std::string item = LowerCaseLatin1(std::string_view(line).substr(0, colon));
    const std::string_view command = std::string_view(line).substr(colon + 1);
    std::string reply;
    std::string_view replyItem;
    if (item == "filter") {
        reply = ExecuteFilterItem(command);
        replyItem = kFilterItem;
    } else if (item == "calculator") {
        reply = ExecuteCalculatorItem(command);
        replyItem = kCalculatorItem;
    } else if (item == "settings") {
        reply = ExecuteSettingsItem(command);
        replyItem = kSettingsItem;
    } else {
        lastResult_ = "ERROR. Unknown item " + item;
        itemText = lastResult_;
        return false;
    }
    itemText = "[" + reply + "]";
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

std::string MacroInterpreter::ExecuteSettingsItem(std::string_view command) {
    // The values of one command line are read from and written to one store, written
    // once at the end: a long chain of values costs one write, not one each.
    CallStore call;
    CallStore* const outer = std::exchange(callStore_, &call);
    std::string reply;
    ParseDdeCommand(
        command, reply,
        WithHandlerFrame(
            [this](const std::string& function, const std::vector<std::string>& arguments,
                   std::string& out) { ExecuteSettingsFunction(function, arguments, out); }));
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

void MacroInterpreter::ExecuteSettingsFunction(const std::string& function,
                                               const std::vector<std::string>& arguments,
                                               std::string& reply) {
    const std::size_t count = arguments.size();
    // Windows run events, and the program may save its settings meanwhile: what this
    // line changed is written before.
    if (function != "getvalue" && function != "setvalue" && callStore_ != nullptr)
        EndCallStore(*callStore_);
    if (function == "getvalue") {
        if (CheckArgumentCount(count, 2, function, reply))
            GetValue(arguments[0], arguments[1], reply);
    } else if (function == "setvalue") {
        if (CheckArgumentCount(count, 3, function, reply))
            SetValue(arguments[0], arguments[1], arguments[2], reply);
    } else if (function == "showdialog") {
        if (!CheckArgumentCount(count, 0, function, reply))
            return;
        services_.settingsWindow.ShowSettings(SettingsPage::Current);
        reply = "OK";
    } else if (function == "showhelp") {
        if (!CheckArgumentCount(count, 1, function, reply))
            return;
        const int context = ParseInt32(arguments[0]).value_or(0);
        if (context != 0) {
            services_.help.ShowTopic(context);
        } else {
            services_.help.ShowContents();
        }
        reply = "OK";
    } else if (function == "showabout") {
        if (!CheckArgumentCount(count, 0, function, reply))
            return;
        services_.aboutWindow.ShowAbout();
        reply = "OK";
    } else if (function == "decimalseparator") {
        // The separator the program reads and writes spreadsheet formula numbers with,
        // so a client whose own locale differs can hand them over right.
        if (CheckArgumentCount(count, 0, function, reply))
            reply = std::string(1, services_.systemDecimalSeparator);
    } else {
        reply = "ERROR. Unknown function for DDE-item \"Settings\": " + function;
    }
}

Registry* MacroInterpreter::Store(std::string& reply) {
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
void MacroInterpreter::GetValue(const std::string& profileName, const std::string& key,
                                std::string& reply) {
    Registry* const store = Store(reply);
    if (store == nullptr)
        return;
    TTransferIniFile file(*store);
    std::string value;
    file.TransferString(
        false, ProfileSection(profileName.empty() ? services_.profile.Name() : profileName), value,
        key);
    reply = value;
}

void MacroInterpreter::SetValue(const std::string& profileName, const std::string& key,
                                const std::string& value, std::string& reply) {
    Registry* const store = Store(reply);
    if (store == nullptr)
        return;
    TTransferIniFile file(*store);
    std::string stored = value;
    file.TransferString(
        true, ProfileSection(profileName.empty() ? services_.profile.Name() : profileName), stored,
        key);
    reply = "OK";
}

// ---- Calculator ----

std::string MacroInterpreter::ExecuteCalculatorItem(std::string_view command) {
    if (LowerCaseLatin1(command.substr(0, kParseAndSetPrefix.size())) == kParseAndSetPrefix)
        return ParseAndSetValue(command.substr(kParseAndSetPrefix.size()));
    std::string reply;
    ParseDdeCommand(
        command, reply,
        WithHandlerFrame(
            [this](const std::string& function, const std::vector<std::string>& arguments,
                   std::string& out) { ExecuteCalculatorFunction(function, arguments, out); }));
    return reply;
}

std::string MacroInterpreter::ParseAndSetValue(std::string_view text) {
    Engine& engine = services_.engine;
    const std::string copy(text);
    FoundChange change;
    bool found = false;
    const int session = engine.OpenSession(engineHandle_, "internaltransfer", false);
    // Without a free slot the engine has told the user already; nothing more to try.
    if (session >= 0) {
        engine.TransferText(engineHandle_, session, static_cast<long long>(copy.size()), copy, 0);
        found = engine.FindNextChange(engineHandle_, session, change);
        engine.CloseSession(engineHandle_, session);
    }
    if (!found)
        return "ERROR. No currency value found.";
    ShowInCalculator(change.Currency, change.Amount);
    return "OK";
}

void MacroInterpreter::ShowInCalculator(CurrencyIndex currency, double amount) {
    CalculatorAccess& calculator = services_.calculator;
    calculator.ShowAmount(currency, true, amount);
    // Also when it is open already: it comes to the front.
    calculator.Show();
}

void MacroInterpreter::ExecuteCalculatorFunction(const std::string& function,
                                                 const std::vector<std::string>& arguments,
                                                 std::string& reply) {
    const std::size_t count = arguments.size();
    CalculatorAccess& calculator = services_.calculator;
    if (function == "setvalue") {
        if (!CheckArgumentCount(count, 2, function, reply))
            return;
        // The code as the active profile spells it, letter case included. An empty code
        // would otherwise name the first custom currency left without one.
        const std::string& code = arguments[0];
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
        reply = "OK";
    } else if (function == "show") {
        if (!CheckArgumentCount(count, 0, function, reply))
            return;
        calculator.Show();
        reply = "OK";
    } else if (function == "hide") {
        if (!CheckArgumentCount(count, 0, function, reply))
            return;
        if (calculator.Visible())
            calculator.Hide();
        reply = "OK";
    } else {
        reply = "ERROR. Unknown function for DDE-item \"Calculator\": " + function;
    }
}

}  // namespace kassavero
