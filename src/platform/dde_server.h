// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The server through which word-processor and spreadsheet macros talk to the program:
// a service name, topics that take execute strings, and items of text lines that
// clients poke, request and watch. The program only ever speaks to this interface; the
// transport behind it (in process for tests, the session bus in the program) carries
// the same calls.
//
// Topic names compare without regard to letter case, item names
// exactly. An item holds a list of text lines; its text is the first line.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kassavero {

enum class DdeError {
    None,
    UnknownTopic,  // no topic of that name
    UnknownItem,   // no item of that name in the topic
    PokeRefused,   // the item is there to be read, not written
};

// The program's side of the conversations.
class DdeServerHandler {
  public:
    virtual ~DdeServerHandler() = default;
    // A client executed a string on a topic; `lines` is the string split into lines
    // (empty for an empty string).
    virtual void OnExecuteMacro(std::u32string_view topic,
                                const std::vector<std::u32string>& lines) = 0;
    // A client poked data into an item; the item's lines already hold the data.
    virtual void OnPokeData(std::u32string_view topic, std::u32string_view item) = 0;
    // Like OnExecuteMacro, but the reply of exactly this command is handed back: the
    // text its item held when the command finished. `caller` tells one client's
    // conversation from another's (empty: the one shared by executes and pokes).
    // UnknownItem, with the reason in `reply`, for a line that names no item.
    virtual DdeError OnCallMacro(std::u32string_view topic,
                                 const std::vector<std::u32string>& lines, std::string_view caller,
                                 std::u32string& reply) = 0;
    // A caller's connection ended: nobody will read the replies of its waiting commands.
    virtual void OnCallerLeft(std::string_view /*caller*/) {}
};

// The advise notice: an item's text was set. `data` is what a request would answer.
using DdeAdviseSink = std::function<void(std::u32string_view item, std::u32string_view data)>;

class DdeServer {
  public:
    virtual ~DdeServer() = default;

    // ---- The program's side ----

    virtual const std::string& ServiceName() const = 0;
    virtual void AddTopic(std::u32string_view topic) = 0;
    // Adds an item with its first lines to a topic added before. Items that do not take
    // pokes refuse them and keep their lines.
    virtual void AddItem(std::u32string_view topic, std::u32string_view item,
                         std::vector<std::u32string> lines, bool takesPokes) = 0;
    // The handler is called for every execute and poke; nullptr for none.
    virtual void SetHandler(DdeServerHandler* handler) = 0;
    // The first line of the item; empty when it has none or does not exist.
    virtual std::u32string ItemText(std::u32string_view topic, std::u32string_view item) const = 0;
    // Replaces all lines of the item by this one and sends the advise notice, also when
    // the text is the same as before (a client waiting for a reply must see it).
    virtual void SetItemText(std::u32string_view topic, std::u32string_view item,
                             std::u32string_view text) = 0;

    // ---- What a client does, as the transport hands it on ----

    virtual DdeError Execute(std::u32string_view topic, std::u32string_view command) = 0;
    // The data is split at CR, LF or CR LF and replaces the item's lines; then the
    // handler runs.
    virtual DdeError Poke(std::u32string_view topic, std::u32string_view item,
                          std::u32string_view data) = 0;
    // All lines of the item, each ended by CR LF.
    virtual DdeError Request(std::u32string_view topic, std::u32string_view item,
                             std::u32string& data) = 0;
    // An execute whose reply is handed back at once, taken before any other client's
    // command can run (see DdeServerHandler::OnCallMacro).
    virtual DdeError Call(std::u32string_view topic, std::u32string_view command,
                          std::string_view caller, std::u32string& reply) = 0;
    // Where advise notices go (the transport's signal); an empty function for none.
    virtual void SetAdviseSink(DdeAdviseSink sink) = 0;
    // Whether a caller is still connected, as the transport knows it. A text a connected
    // caller handed over stays its own; one whose caller left is free for the next.
    // Without a check every caller counts as connected.
    virtual void SetCallerCheck(std::function<bool(std::string_view caller)> connected) = 0;
    virtual bool CallerConnected(std::string_view caller) const = 0;
    // The transport saw a caller's connection end; the handler hears of it.
    virtual void CallerLeft(std::string_view caller) = 0;
};

// The service name of a program: its file name up to the first ".".
std::string DdeServiceName(std::string_view programPath);

// Text split into lines at CR, LF or CR LF. A line break at the very end starts no
// further line, and an empty text has no lines.
std::vector<std::u32string> SplitDdeLines(std::u32string_view text);

// The lines, each ended by CR LF.
std::u32string JoinDdeLines(const std::vector<std::u32string>& lines);

}  // namespace kassavero
