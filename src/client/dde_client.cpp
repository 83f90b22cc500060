// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/dde_client.h"

#include <algorithm>
#include <utility>

#include "core/unicode_text.h"

namespace kassavero {
namespace {

// An error of the program's own is a refusal; any other means it could not be reached.
void Check(const BusReply& reply) {
    if (reply.errorName.empty())
        return;
    const std::string message = reply.errorName + ": " + reply.errorMessage;
    if (reply.errorName.starts_with("org.kassavero."))
        throw Refused(message);
    throw NotRunning(message);
}

std::string StringAt(const BusReply& reply, std::size_t index) {
    const auto* text =
        index < reply.values.size() ? std::get_if<std::string>(&reply.values[index]) : nullptr;
    return text != nullptr ? *text : std::string();
}

std::uint32_t NumberAt(const BusReply& reply, std::size_t index) {
    const auto* number =
        index < reply.values.size() ? std::get_if<std::uint32_t>(&reply.values[index]) : nullptr;
    return number != nullptr ? *number : 0;
}

// A bus string must be UTF-8: each malformed sequence becomes U+FFFD.
std::string ValidUtf8(std::string text) {
    if (IsValidUtf8(text))
        return text;
    std::string valid;
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Character c = DecodeUtf8(text, i);
        AppendUtf8(valid, c.length == 0 ? U'\uFFFD' : c.codePoint);
        i += c.length == 0 ? c.span : c.length;
    }
    return valid;
}

std::string WithoutBrackets(std::string text) {
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']')
        return text.substr(1, text.size() - 2);
    return text;
}

// The item an older program keeps a command's reply in; empty for one it does not know.
std::string ReplyItem(std::string_view lowerName) {
    if (lowerName == "filter")
        return "Filter";
    if (lowerName == "settings")
        return "Settings";
    if (lowerName == "calculator")
        return "Calculator";
    return {};
}

}  // namespace

BusReply DdeClient::CallMethod(const std::string& method, const std::vector<BusValue>& arguments) {
    return bus_.CallMethod(busName_, method, arguments);
}

void DdeClient::EnsureRunning() {
    if (!bus_.IsConnected())
        throw NotRunning("no session bus (is DBUS_SESSION_BUS_ADDRESS set?)");
    if (bus_.NameHasOwner(busName_))
        return;
    // An installed program has a bus service file, and the bus starts it on demand.
    const BusReply started = bus_.StartService(busName_);
    if (started.errorName.empty())
        return;
    throw NotRunning("Kassavero is not running (no " + busName_ + " on the session bus)",
                     started.errorName == kServiceUnknownError ? "" : started.errorMessage);
}

void DdeClient::Execute(const std::string& topic, const std::string& line) {
    Check(CallMethod("Execute", {topic, line}));
}

void DdeClient::Poke(const std::string& topic, const std::string& item, const std::string& data) {
    Check(CallMethod("Poke", {topic, item, data}));
}

std::string DdeClient::Request(const std::string& topic, const std::string& item) {
    const BusReply reply = CallMethod("Request", {topic, item});
    Check(reply);
    return StringAt(reply, 0);
}

void DdeClient::Post(std::uint32_t message) {
    Check(CallMethod("PostMessage", {message}));
}

void DdeClient::Hotkey(std::uint32_t id) {
    Check(CallMethod("Hotkey", {id}));
}

bool DdeClient::HasCall() {
    if (!hasCall_) {
        const BusReply reply = CallMethod("Call", {"System", "filter:testconnection"});
        hasCall_ = reply.errorName != kUnknownMethodError;
        if (*hasCall_)
            Check(reply);
    }
    return *hasCall_;
}

std::string DdeClient::Call(std::string_view item, std::string_view command) {
    const std::string line = ValidUtf8(std::string(item) + ':' + std::string(command));
    if (!HasCall())
        return OldCall(ValidUtf8(std::string(item)), line);
    const BusReply reply = CallMethod("Call", {"System", line});
    Check(reply);
    return WithoutBrackets(StringAt(reply, 0));
}

std::string DdeClient::OldCall(const std::string& item, const std::string& line) {
    // An older program has no reply for an item it does not know, so that is refused
    // here rather than answered by a stale text.
    const std::string replyItem = ReplyItem(item);
    if (replyItem.empty())
        throw Refused("unknown item " + item);
    announced_.erase(replyItem);
    Execute("System", line);
    // The program announces a reply before it answers the call that caused it.
    if (listening_)
        bus_.DeliverPending();
    const auto announced = announced_.find(replyItem);
    std::string text =
        announced != announced_.end() ? announced->second : Request("System", replyItem);
    text.resize(std::min(text.size(), text.find("\r\n")));
    return WithoutBrackets(std::move(text));
}

void DdeClient::Send(std::string_view item, std::string_view command) {
    // With Call a hand-over is this client's own; an execute would share it.
    if (HasCall())
        Call(item, command);
    else
        Execute("System", ValidUtf8(std::string(item) + ':' + std::string(command)));
}

std::optional<WholeTextConversion> DdeClient::ConvertWholeText(const std::string& clientName,
                                                               std::string_view text) {
    if (!IsValidUtf8(text))
        return std::nullopt;
    // Handed over as a file, a long text passes the bus daemon neither way; a program
    // from before that, or a bus without file passing, takes it in the message.
    if (handsOverText_ && bus_.CanHandOverFiles()) {
        BusReply reply = CallMethod("ConvertTextFd", {clientName, HandedBytes{std::string(text)}});
        if (reply.errorName != kUnknownMethodError) {
            Check(reply);
            auto* converted =
                reply.values.empty() ? nullptr : std::get_if<HandedBytes>(&reply.values[0]);
            if (converted == nullptr)
                throw NotRunning("ConvertTextFd: the reply holds no text");
            return WholeTextConversion{std::move(converted->bytes), NumberAt(reply, 1)};
        }
        handsOverText_ = false;
    }
    const BusReply reply = CallMethod("ConvertText", {clientName, std::string(text)});
    if (reply.errorName == kUnknownMethodError)
        return std::nullopt;
    Check(reply);
    return WholeTextConversion{StringAt(reply, 0), NumberAt(reply, 1)};
}

bool DdeClient::BeginStepByStep() {
    if (HasCall())
        return true;
    listening_ = bus_.WatchAdvise(
        busName_,
        [this](const std::string& item, const std::string& data) { announced_[item] = data; });
    return false;
}

void DdeClient::Watch(AdviseHandler handler) {
    if (!bus_.WatchAdvise(busName_, std::move(handler)))
        throw NotRunning("cannot listen on the session bus");
    throw NotRunning("the session bus is lost: " + bus_.DeliverUntilLost());
}

}  // namespace kassavero
