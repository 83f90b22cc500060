// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dbus_dde_service.h"

#include <poll.h>

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "core/hotkeys.h"
#include "core/unicode_text.h"
#include "platform/dde_names.h"
#include "platform/dde_server.h"
#include "platform/file_read.h"
#include "platform/memory_file.h"
#include "platform/vector_state.h"

namespace kassavero {
namespace {

// A text handed over as a file is read up to this size; the converter refuses a text
// over its own, lower limit with the same error.
constexpr std::size_t kLargestHandedText = 64u << 20;

std::u32string Inside(const char* text) {
    return Utf8ToText(text);
}

std::string Outside(std::u32string_view text) {
    return TextToUtf8(text);
}

// Every call waits in the queue (the object's data) and is answered outside the bus
// library's processing, where a command may wait for the user.
int QueueCall(sd_bus_message* call, void* queue, sd_bus_error*) {
    static_cast<std::deque<SdBusMessage>*>(queue)->emplace_back(sd_bus_message_ref(call));
    return 1;
}

// The error a DDE error is on the bus; nullptr for none.
const char* ErrorName(DdeError error, const char*& message) {
    switch (error) {
        case DdeError::UnknownTopic:
            message = "unknown topic";
            return "org.kassavero.dde.Error.UnknownTopic";
        case DdeError::UnknownItem:
            message = "unknown item";
            return "org.kassavero.dde.Error.UnknownItem";
        case DdeError::PokeRefused:
            // An item that is only there to be read, such as "Topics".
            message = "the item cannot be written";
            return "org.kassavero.dde.Error.PokeRefused";
        case DdeError::None:
            break;
    }
    return nullptr;
}

// The plain reply, or the error's.
int ReplyEmptyOr(sd_bus_message* call, DdeError error) {
    const char* message = nullptr;
    if (const char* name = ErrorName(error, message))
        return sd_bus_reply_method_errorf(call, name, "%s", message);
    return sd_bus_reply_method_return(call, "");
}

}  // namespace

DbusDdeService::DbusDdeService(DdeServer& server, std::function<void(unsigned)> postMessage,
                               QObject* parent)
    : QObject(parent), server_(server), postMessage_(std::move(postMessage)) {
    server_.SetAdviseSink([this](std::u32string_view item, std::u32string_view data) {
        if (heldAdvises_ != nullptr)
            heldAdvises_->emplace_back(item, data);
        else
            Advise(item, data);
    });
    // Asked only when a command finds no text of its own and another caller's waits.
    server_.SetCallerCheck(
        [this](std::string_view caller) { return CallerConnected(std::string(caller).c_str()); });
}

DbusDdeService::~DbusDdeService() {
    server_.SetAdviseSink({});
    server_.SetCallerCheck({});
    Disconnect();
}

void DbusDdeService::Disconnect() {
    readable_.reset();
    writable_.reset();
    calls_.clear();
    object_.reset();
    departures_.reset();
    // What was answered still reaches its callers.
    bus_.reset();
}

bool DbusDdeService::Register(const QString& busName, QString& error) {
    static const sd_bus_vtable kServerVtable[] = {
        SD_BUS_VTABLE_START(0),
        SD_BUS_METHOD_WITH_NAMES("Execute", "ss", SD_BUS_PARAM(topic) SD_BUS_PARAM(command), "", ,
                                 &QueueCall, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_METHOD_WITH_NAMES("Poke", "sss",
                                 SD_BUS_PARAM(topic) SD_BUS_PARAM(item) SD_BUS_PARAM(data), "", ,
                                 &QueueCall, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_METHOD_WITH_NAMES("Request", "ss", SD_BUS_PARAM(topic) SD_BUS_PARAM(item), "s",
                                 SD_BUS_PARAM(lines), &QueueCall, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_METHOD_WITH_NAMES("PostMessage", "u", SD_BUS_PARAM(message), "", , &QueueCall,
                                 SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_METHOD_WITH_NAMES("Hotkey", "u", SD_BUS_PARAM(id), "", , &QueueCall,
                                 SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_METHOD_WITH_NAMES("Call", "ss", SD_BUS_PARAM(topic) SD_BUS_PARAM(command), "s",
                                 SD_BUS_PARAM(reply), &QueueCall, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_METHOD_WITH_NAMES("ConvertText", "ss", SD_BUS_PARAM(clientName) SD_BUS_PARAM(text),
                                 "su", SD_BUS_PARAM(converted) SD_BUS_PARAM(changes), &QueueCall,
                                 SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_METHOD_WITH_NAMES("ConvertTextFd", "sh", SD_BUS_PARAM(clientName) SD_BUS_PARAM(text),
                                 "hu", SD_BUS_PARAM(converted) SD_BUS_PARAM(changes), &QueueCall,
                                 SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_METHOD_WITH_NAMES("ListChanges", "ss", SD_BUS_PARAM(clientName) SD_BUS_PARAM(text),
                                 "a(uussd)", SD_BUS_PARAM(changes), &QueueCall,
                                 SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_SIGNAL_WITH_NAMES("Advise", "ss", SD_BUS_PARAM(item) SD_BUS_PARAM(data), 0),
        SD_BUS_VTABLE_END};

    int result = sd_bus_open_user(bus_.Put());
    if (result < 0) {
        error = QStringLiteral("no session bus: ") + QString::fromUtf8(std::strerror(-result));
        bus_.reset();
        return false;
    }
    result = sd_bus_add_object_vtable(bus_.get(), object_.Put(), kDdeObjectPath, kDdeInterface,
                                      kServerVtable, &calls_);
    // A caller that leaves the bus is told to the handler in turn with the calls, so its
    // waiting questions end and what it owned is freed.
    if (result >= 0) {
        result = sd_bus_add_match(bus_.get(), departures_.Put(),
                                  "type='signal',sender='org.freedesktop.DBus',"
                                  "path='/org/freedesktop/DBus',interface='org.freedesktop.DBus',"
                                  "member='NameOwnerChanged',arg2=''",
                                  &QueueCall, &calls_);
    }
    if (result >= 0)
        result = sd_bus_request_name(bus_.get(), busName.toUtf8().constData(), 0);
    if (result < 0) {
        error = result == -EEXIST ? QStringLiteral("the name %1 is taken").arg(busName)
                                  : QStringLiteral("the name %1 cannot be claimed: %2")
                                        .arg(busName, QString::fromUtf8(std::strerror(-result)));
        Disconnect();
        return false;
    }
    readable_ = std::make_unique<QSocketNotifier>(sd_bus_get_fd(bus_.get()), QSocketNotifier::Read);
    connect(readable_.get(), &QSocketNotifier::activated, this, &DbusDdeService::Serve);
    writable_ =
        std::make_unique<QSocketNotifier>(sd_bus_get_fd(bus_.get()), QSocketNotifier::Write);
    writable_->setEnabled(false);
    connect(writable_.get(), &QSocketNotifier::activated, this, &DbusDdeService::Serve);
    // Calls may have come with the name.
    QTimer::singleShot(0, this, &DbusDdeService::Serve);
    return true;
}

void DbusDdeService::Serve() {
    while (bus_ != nullptr) {
        const int result = sd_bus_process(bus_.get(), nullptr);
        if (result < 0) {
            std::fprintf(stderr, "kassavero: the session bus is gone: %s\n",
                         std::strerror(-result));
            Disconnect();
            if (busLost_)
                busLost_();
            return;
        }
        if (result > 0)
            continue;
        if (calls_.empty())
            break;
        const SdBusMessage call = std::move(calls_.front());
        calls_.pop_front();
        // Calls read along with this one are not on the socket any more: should this one
        // wait for the user, its wait must still serve them.
        if (!calls_.empty())
            QTimer::singleShot(0, this, &DbusDdeService::Serve);
        Answer(call.get());
        if (answered_)
            answered_();
    }
    WatchSocket();
}

void DbusDdeService::WatchSocket() {
    if (bus_ == nullptr)
        return;
    const int events = sd_bus_get_events(bus_.get());
    if (writable_)
        writable_->setEnabled(events > 0 && (events & POLLOUT) != 0);
    // Messages read while waiting for an answer of our own are not on the socket any
    // more: they are served at once.
    std::uint64_t due = 0;
    if ((sd_bus_get_timeout(bus_.get(), &due) > 0 && due == 0) || !calls_.empty())
        QTimer::singleShot(0, this, &DbusDdeService::Serve);
}

bool DbusDdeService::CallerConnected(const char* caller) {
    if (bus_ == nullptr)
        return true;
    SdBusError error;
    SdBusMessage reply;
    int connected = 1;  // one the bus cannot tell about keeps its text
    if (sd_bus_call_method(bus_.get(), "org.freedesktop.DBus", "/org/freedesktop/DBus",
                           "org.freedesktop.DBus", "NameHasOwner", error.get(), reply.Put(), "s",
                           caller) >= 0) {
        if (sd_bus_message_read(reply.get(), "b", &connected) < 0)
            connected = 1;
    }
    WatchSocket();
    return connected != 0;
}

void DbusDdeService::Advise(std::u32string_view item, std::u32string_view data) {
    if (bus_ == nullptr)
        return;
    sd_bus_emit_signal(bus_.get(), kDdeObjectPath, kDdeInterface, "Advise", "ss",
                       Outside(item).c_str(), Outside(data).c_str());
    WatchSocket();
}

void DbusDdeService::SendHeldAdvises() {
    if (heldAdvises_ == nullptr)
        return;
    for (const auto& [item, data] : *heldAdvises_)
        Advise(item, data);
    heldAdvises_->clear();
}

void DbusDdeService::Answer(sd_bus_message* call) {
    // Whatever ran before may have left the vector registers in a state that slows the
    // conversions down by a third.
    ClearUpperVectorState();
    // A call answered while a Call waits for the user: what that Call advised so far goes
    // out now, and this call's advises are not held.
    SendHeldAdvises();
    std::vector<std::pair<std::u32string, std::u32string>>* const outer =
        std::exchange(heldAdvises_, nullptr);
    AnswerNow(call);
    heldAdvises_ = outer;
}

void DbusDdeService::AnswerNow(sd_bus_message* call) {
    if (sd_bus_message_is_signal(call, "org.freedesktop.DBus", "NameOwnerChanged") > 0) {
        const char* name = nullptr;
        const char* before = nullptr;
        const char* after = nullptr;
        if (sd_bus_message_read(call, "sss", &name, &before, &after) >= 0 && name[0] == ':' &&
            after[0] == '\0') {
            server_.CallerLeft(name);
        }
        WatchSocket();
        return;
    }
    const std::string_view method = sd_bus_message_get_member(call);
    const char* first = nullptr;
    const char* second = nullptr;
    const char* third = nullptr;
    std::uint32_t number = 0;
    int fd = -1;

    if (method == "Execute" && sd_bus_message_read(call, "ss", &first, &second) >= 0) {
        ReplyEmptyOr(call, server_.Execute(Inside(first), Inside(second)));
    } else if (method == "Poke" && sd_bus_message_read(call, "sss", &first, &second, &third) >= 0) {
        ReplyEmptyOr(call, server_.Poke(Inside(first), Inside(second), Inside(third)));
    } else if (method == "Request" && sd_bus_message_read(call, "ss", &first, &second) >= 0) {
        std::u32string lines;
        const DdeError error = server_.Request(Inside(first), Inside(second), lines);
        if (error == DdeError::None)
            sd_bus_reply_method_return(call, "s", Outside(lines).c_str());
        else
            ReplyEmptyOr(call, error);
    } else if (method == "PostMessage" && sd_bus_message_read(call, "u", &number) >= 0) {
        // Answered once the message is handled, so the poster finds its reply in the file.
        if (postMessage_)
            postMessage_(number);
        sd_bus_reply_method_return(call, "");
    } else if (method == "Hotkey" && sd_bus_message_read(call, "u", &number) >= 0) {
        AnswerHotkey(call, number);
    } else if (method == "Call" && sd_bus_message_read(call, "ss", &first, &second) >= 0) {
        AnswerCall(call, first, second);
    } else if (method == "ConvertText" && sd_bus_message_read(call, "ss", &first, &second) >= 0) {
        AnswerConvertText(call, first, second);
    } else if (method == "ConvertTextFd" && sd_bus_message_read(call, "sh", &first, &fd) >= 0) {
        AnswerConvertTextFd(call, first, fd);
    } else if (method == "ListChanges" && sd_bus_message_read(call, "ss", &first, &second) >= 0) {
        ReplyWithChanges(call, first, second);
    } else {
        sd_bus_reply_method_errorf(call, SD_BUS_ERROR_INVALID_ARGS, "the arguments cannot be read");
    }
    WatchSocket();
}

void DbusDdeService::AnswerHotkey(sd_bus_message* call, std::uint32_t number) {
    if (number != kCalculatorHotkeyId && number != kClipboardHotkeyId) {
        sd_bus_reply_method_errorf(call, "org.kassavero.dde.Error.UnknownHotkey",
                                   "no hotkey has the number %u", number);
    } else {
        // A key press does not wait for what it starts (a message, a question);
        // neither does its caller on the bus.
        sd_bus_reply_method_return(call, "");
        QTimer::singleShot(0, this, [this, number] {
            if (hotkey_)
                hotkey_(number);
        });
    }
}

void DbusDdeService::AnswerCall(sd_bus_message* call, const char* first, const char* second) {
    // The caller's unique name keeps its text hand-overs apart from other clients'.
    const char* caller = sd_bus_message_get_sender(call);
    // A Call's reply is its own text, so its advises (for other clients) may follow it
    // instead of holding it up; an execute's must come first.
    std::vector<std::pair<std::u32string, std::u32string>> advises;
    heldAdvises_ = &advises;
    std::u32string reply;
    const DdeError error =
        server_.Call(Inside(first), Inside(second), caller != nullptr ? caller : "", reply);
    struct SendAfterReply {
        DbusDdeService& service;
        ~SendAfterReply() {
            service.SendHeldAdvises();
            service.heldAdvises_ = nullptr;
        }
    } sendAfterReply{*this};
    if (error == DdeError::None)
        sd_bus_reply_method_return(call, "s", Outside(reply).c_str());
    else if (error == DdeError::UnknownItem)
        sd_bus_reply_method_errorf(call, "org.kassavero.dde.Error.UnknownItem", "%s",
                                   Outside(reply).c_str());
    else
        ReplyEmptyOr(call, error);
}

void DbusDdeService::AnswerConvertText(sd_bus_message* call, const char* first,
                                       const char* second) {
    if (!textConverter_) {
        sd_bus_reply_method_errorf(call, SD_BUS_ERROR_UNKNOWN_METHOD, "no text conversion here");
        return;
    }
    const ConvertedText converted = textConverter_(first, second);
    if (converted.errorName.empty())
        sd_bus_reply_method_return(call, "su", converted.text.c_str(), converted.changes);
    else
        ReplyConversionError(call, converted);
}

void DbusDdeService::AnswerConvertTextFd(sd_bus_message* call, const char* clientName, int fd) {
    if (!textConverter_) {
        sd_bus_reply_method_errorf(call, SD_BUS_ERROR_UNKNOWN_METHOD, "no text conversion here");
        return;
    }
    const FileRead text = ReadOpenedFile(fd, kLargestHandedText, "the text");
    if (text.outcome == FileRead::Outcome::TooLarge) {
        ReplyConversionError(call, {{}, 0, "TextTooLarge", "the text is too large to convert"});
        return;
    }
    if (text.outcome != FileRead::Outcome::Read) {
        sd_bus_reply_method_errorf(call, SD_BUS_ERROR_INVALID_ARGS, "%s", text.error.c_str());
        return;
    }
    const ConvertedText converted = textConverter_(clientName, text.bytes);
    if (!converted.errorName.empty()) {
        ReplyConversionError(call, converted);
        return;
    }
    std::string error;
    const OwnedFd file = SealedMemoryFile(converted.text, error);
    const int out = file.get();
    if (!file || sd_bus_reply_method_return(call, "hu", out, converted.changes) < 0)
        sd_bus_reply_method_errorf(call, SD_BUS_ERROR_NO_MEMORY,
                                   "the converted text cannot be sent: %s", error.c_str());
}

void DbusDdeService::ReplyConversionError(sd_bus_message* call, const ConvertedText& converted) {
    sd_bus_reply_method_errorf(call, ("org.kassavero.dde.Error." + converted.errorName).c_str(),
                               "%s", converted.errorMessage.c_str());
}

void DbusDdeService::ReplyWithChanges(sd_bus_message* call, const char* clientName,
                                      const char* text) {
    if (!changeLister_) {
        sd_bus_reply_method_errorf(call, SD_BUS_ERROR_UNKNOWN_METHOD, "no text conversion here");
        return;
    }
    const ListedChanges listed = changeLister_(clientName, text);
    if (!listed.errorName.empty()) {
        sd_bus_reply_method_errorf(call, ("org.kassavero.dde.Error." + listed.errorName).c_str(),
                                   "%s", listed.errorMessage.c_str());
        return;
    }
    SdBusMessage reply;
    int result = sd_bus_message_new_method_return(call, reply.Put());
    if (result >= 0)
        result = sd_bus_message_open_container(reply.get(), 'a', "(uussd)");
    for (const TextChange& change : listed.changes) {
        if (result < 0)
            break;
        // Offsets fit: a text converted whole is at most 16 MiB.
        result = sd_bus_message_append(
            reply.get(), "(uussd)", static_cast<std::uint32_t>(change.Start),
            static_cast<std::uint32_t>(change.End), change.Replacement.c_str(),
            change.CurrencyCode.c_str(), change.Amount);
    }
    if (result >= 0)
        result = sd_bus_message_close_container(reply.get());
    if (result >= 0)
        result = sd_bus_send(nullptr, reply.get(), nullptr);
    if (result < 0)
        sd_bus_reply_method_errorf(call, SD_BUS_ERROR_NO_MEMORY, "the changes cannot be sent");
}

std::optional<bool> SessionBusNameHasOwner(const std::string& name) {
    SdBus bus;
    if (sd_bus_open_user(bus.Put()) < 0)
        return std::nullopt;
    SdBusError error;
    SdBusMessage reply;
    int owned = 0;
    if (sd_bus_call_method(bus.get(), "org.freedesktop.DBus", "/org/freedesktop/DBus",
                           "org.freedesktop.DBus", "NameHasOwner", error.get(), reply.Put(), "s",
                           name.c_str()) >= 0 &&
        sd_bus_message_read(reply.get(), "b", &owned) >= 0)
        return owned != 0;
    return std::nullopt;
}

}  // namespace kassavero
