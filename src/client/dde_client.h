// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The client's side of the command interface: which methods it calls, how it reads
// their replies and errors, and how it serves an older program that has only the four
// DDE-style methods (Execute, Poke, Request, PostMessage) and the Advise signal.

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/dde_bus.h"

namespace kassavero {

// The program cannot be reached. startError is why the bus could not start it, when it
// tried.
class NotRunning : public std::runtime_error {
  public:
    explicit NotRunning(const std::string& what, std::string startError = {})
        : std::runtime_error(what), startError_(std::move(startError)) {}
    const std::string& StartError() const { return startError_; }

  private:
    std::string startError_;
};

// The program answered with an error of its own.
class Refused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct WholeTextConversion {
    std::string text;  // UTF-8
    std::uint32_t changes = 0;
};

// All text is UTF-8. Every call throws NotRunning or Refused when it fails.
class DdeClient {
  public:
    DdeClient(DdeBus& bus, std::string busName) : bus_(bus), busName_(std::move(busName)) {}

    // Has the bus start the program when it is not running but can be started.
    void EnsureRunning();

    void Execute(const std::string& topic, const std::string& line);
    void Poke(const std::string& topic, const std::string& item, const std::string& data);
    std::string Request(const std::string& topic, const std::string& item);
    void Post(std::uint32_t message);
    // The action of a global hotkey.
    void Hotkey(std::uint32_t id);

    // Whether the program has Call (and ConvertText). Asked once, by the first call that
    // needs it.
    bool HasCall();
    // ITEM:COMMAND on topic System (the item in lower case), and the item's reply without
    // brackets and line end.
    std::string Call(std::string_view item, std::string_view command);
    // The same when the reply is not needed: an older program is not asked for it.
    void Send(std::string_view item, std::string_view command);

    // The whole text converted in one call without the dialog; nothing when the program
    // is too old for it, or the text is not UTF-8 (a bus string must be).
    std::optional<WholeTextConversion> ConvertWholeText(const std::string& clientName,
                                                        std::string_view text);
    // Readies a conversion step by step. True when the program takes whole texts in
    // one command (Call); an older one is served line by line, its replies taken from
    // the Advise signal where it comes, which saves one request per command.
    bool BeginStepByStep();

    // Hands every Advise signal to the handler until the bus is lost.
    [[noreturn]] void Watch(AdviseHandler handler);

  private:
    BusReply CallMethod(const std::string& method, const std::vector<BusValue>& arguments);
    std::string OldCall(const std::string& item, const std::string& command);

    DdeBus& bus_;
    std::string busName_;
    std::optional<bool> hasCall_;
    bool handsOverText_ = true;  // until the program turns out not to take texts as files
    bool listening_ = false;
    std::map<std::string, std::string> announced_;  // the latest text of each item
};

}  // namespace kassavero
