// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The command interpreter that stands behind the hidden main window: macro lines
// "<Item>:<Command>" from DDE executes and the status file, and commands poked into the
// items "Filter", "Settings" and "Calculator" of the topic "System", each answered by a
// reply text that the client reads back from the item in square brackets.
//
// "Filter" converts documents through the engine's sessions, "Settings" reads and writes
// stored profile values and opens windows, "Calculator" hands amounts to the calculator.
// Failures are replies beginning "ERROR."; the interpreter itself never shows anything.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/currency.h"
#include "core/text_pieces.h"
#include "engine/engine.h"
#include "macro/text_conversion.h"
#include "platform/dde_server.h"
#include "platform/registry.h"

namespace kassavero {

class ActiveProfile;
class AboutWindow;
class CalculatorAccess;
class FormulaQuestion;
class Help;
class SettingsWindow;

inline constexpr std::u32string_view kSystemTopic = U"System";
inline constexpr std::u32string_view kMacroServerTopic = U"MacroServer";
inline constexpr std::u32string_view kFilterItem = U"Filter";
inline constexpr std::u32string_view kSettingsItem = U"Settings";
inline constexpr std::u32string_view kCalculatorItem = U"Calculator";
inline constexpr std::u32string_view kTopicsItem = U"Topics";

// Everything the commands work on. The store is opened anew for every settings
// command, so it always sees what other parts of the program saved meanwhile.
struct MacroServices {
    Engine& engine;
    const ActiveProfile& profile;
    FormulaQuestion& formulas;
    CalculatorAccess& calculator;
    SettingsWindow& settingsWindow;
    AboutWindow& aboutWindow;
    Help& help;
    std::function<std::unique_ptr<Registry>()> openStore;
    char32_t systemDecimalSeparator = U',';
};

class MacroInterpreter final : public DdeServerHandler {
  public:
    // Adds the topics "System" and `MacroServer` and the items of "System" with their
    // first texts to the server and becomes its handler. `engineHandle` is what the
    // engine handed out at start-up; every engine call presents it.
    MacroInterpreter(DdeServer& server, MacroServices services, EngineHandle engineHandle);
    ~MacroInterpreter() override;
    MacroInterpreter(const MacroInterpreter&) = delete;
    MacroInterpreter& operator=(const MacroInterpreter&) = delete;

    // Runs "<Item>:<Command>" and leaves its reply in FLastResult and, in brackets, as
    // the item's text. A line without ":" or with an unknown item changes FLastResult
    // only.
    void ExecuteMacroLine(std::u32string_view line);

    // The whole text converted with the settings in use, without the dialog, in a
    // session of its own (see text_conversion.h).
    TextConversion ConvertText(const std::string& clientName, std::string_view utf8Text);
    // The same, as the list of changes instead of the converted text.
    TextConversion ListTextChanges(const std::string& clientName, std::string_view utf8Text);

    // After a poke: the item's text is the command; its reply in brackets becomes the
    // item's text. FLastResult stays as it is.
    void FilterPokeData();
    void SettingsPokeData();
    void CalculatorPokeData();

    // The reply of each item to one command.
    std::u32string ExecuteFilterItem(std::u32string_view command);
    std::u32string ExecuteSettingsItem(std::u32string_view command);
    std::u32string ExecuteCalculatorItem(std::u32string_view command);

    // The reply of the last macro line, whatever channel delivered it.
    const std::u32string& FLastResult() const { return lastResult_; }
    // A text handed over by "transfertext" and whether it still waits to be used.
    const std::u32string& FPendingText() const { return pendingText_; }
    bool FTextPending() const { return textPending_; }
    EngineHandle FEngine() const { return engineHandle_; }

    // DdeServerHandler
    void OnExecuteMacro(std::u32string_view topic,
                        const std::vector<std::u32string>& lines) override;
    void OnPokeData(std::u32string_view topic, std::u32string_view item) override;
    DdeError OnCallMacro(std::u32string_view topic, const std::vector<std::u32string>& lines,
                         std::string_view caller, std::u32string& reply) override;
    // Its waiting questions end, and the sessions it opened and went on to use are closed
    // with its waiting text. Sessions it only opened, and texts it only handed over, stay:
    // a script may go on with them from its next process.
    void OnCallerLeft(std::string_view caller) override;

  private:
    // ExecuteMacroLine; itemText receives the item's new text, or the reason why no
    // item was named (then false).
    bool RunMacroLine(std::u32string_view line, std::u32string& itemText);
    // The text handed over for the command running now, if any: the caller's own, else
    // the newest that no connected caller handed over. Taking it leaves none waiting;
    // keepShared leaves the shared one readable in FPendingText.
    std::optional<std::u32string> TakePendingText(bool keepShared);
    // Drops the waiting texts of departed callers that no command can take any more.
    void DropUnreachableTexts();

    void SetItemReply(std::u32string_view item, const std::u32string& reply);

    void ExecuteFilterFunction(const std::u32string& function,
                               const std::vector<std::u32string>& arguments, std::u32string& reply);
    void ExecuteSettingsFunction(const std::u32string& function,
                                 const std::vector<std::u32string>& arguments,
                                 std::u32string& reply);
    void ExecuteCalculatorFunction(const std::u32string& function,
                                   const std::vector<std::u32string>& arguments,
                                   std::u32string& reply);

    // The text hand-over "transfertext[digits]:text".
    std::u32string TransferTextCommand(std::u32string_view command);
    // Sets reply to "OK", or to the error for an argument that is no number (false).
    // True only for a number that names an open session; its opener using it binds it.
    bool CheckSessionArgument(const std::u32string& argument, std::u32string& reply);
    void FindNextChangeFunction(const std::u32string& argument, std::u32string& reply);
    // Whether the session was opened through Call by another caller that is still there:
    // to everyone else it does not exist.
    bool ForeignSession(int session) const;
    // Hands a text to an open session. A text longer than the search reads in one
    // transfer is searched piece by piece, cut by the rule live at the time.
    void BeginSessionText(int session, std::u32string text);
    // The next change of the session's whole text, its offsets in that text.
    bool FindInSessionText(int session, FoundChange& change);
    // Hands the session the piece of its text from `from` on.
    void TransferPiece(int session, std::size_t from);
    void ConfirmChangeFunction(const std::vector<std::u32string>& arguments, std::u32string& reply);
    void AmountOnScreenFunction(const std::vector<std::u32string>& arguments,
                                std::u32string& reply);
    void ConvertExcelFormulaFunction(const std::vector<std::u32string>& arguments,
                                     std::u32string& reply);

    // The store of one settings command line, opened at its first value and written
    // when the line ends (or before a function that may run events).
    struct CallStore {
        std::unique_ptr<Registry> store;
        std::optional<RegistryUpdate> update;
        bool failed = false;  // a write of this line did not reach the disk
    };
    // The line's store; nullptr, with the error reply, when there is none.
    Registry* Store(std::u32string& reply);
    // Writes what the line changed; false when that failed.
    bool EndCallStore(CallStore& call);
    void GetValue(const std::u32string& profileName, const std::u32string& key,
                  std::u32string& reply);
    void SetValue(const std::u32string& profileName, const std::u32string& key,
                  const std::u32string& value, std::u32string& reply);
    std::u32string ParseAndSetValue(std::u32string_view text);
    void ShowInCalculator(CurrencyIndex currency, double amount);

    DdeServer& server_;
    MacroServices services_;
    EngineHandle engineHandle_;
    std::u32string lastResult_;
    std::u32string pendingText_;
    bool textPending_ = false;
    // The client whose call runs now (empty for executes, pokes and the status file),
    // and the texts that callers handed over for themselves. Every hand-over is numbered
    // in order (sharedNumber_: the shared text's), so the newest free text can be found.
    struct CallerText {
        std::u32string text;
        unsigned long long number = 0;
    };
    std::string caller_;
    CallStore* callStore_ = nullptr;
    std::map<std::string, CallerText, std::less<>> callerTexts_;
    // Callers that handed over texts of their own: they only ever read their own, never
    // the shared one or one a departed caller left.
    std::set<std::string, std::less<>> handingCallers_;
    // Sessions opened through Call: by whom, and whether that caller went on to search or
    // confirm in it itself.
    struct SessionOwner {
        std::string caller;
        bool used = false;
    };
    std::map<int, SessionOwner> owners_;
    // The whole text handed to each session, the pieces it is searched in, the piece
    // being searched (from where), and the end of the last change reported.
    struct SessionText {
        std::u32string text;
        std::vector<WordPiece> pieces;
        std::size_t piece = 0;
        std::size_t from = 0;
        std::size_t reported = 0;
    };
    std::map<int, SessionText> sessionTexts_;
    // What each caller's commands wait for: the sessions whose question it waits for, and
    // the flags that withdraw its formula questions.
    std::multimap<std::string, int, std::less<>> askingCallers_;
    std::multimap<std::string, bool*, std::less<>> formulaWaits_;
    unsigned long long handOvers_ = 0;
    unsigned long long sharedNumber_ = 0;
};

}  // namespace kassavero
