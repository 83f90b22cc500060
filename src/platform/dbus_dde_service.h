// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The command interface on the session bus: the methods of org.kassavero.dde.Server
// (data/dbus/org.kassavero.dde.Server.xml) handed to the DDE server adapter, with text in
// UTF-8 on the bus and code points inside.
//
// The bus is read and answered on this thread, on a connection of its own: a command
// runs here anyway, and a connection served by another thread would cost two thread
// switches on every call, which is most of a call's time.

#include <QObject>
#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/text_change.h"
#include "platform/sd_bus_handles.h"

class QSocketNotifier;

namespace kassavero {

class DdeServer;

// A whole text converted for a client: the text, the number of changes, or an error
// name (the part after "org.kassavero.dde.Error.") and its message.
struct ConvertedText {
    std::string text;  // UTF-8
    unsigned changes = 0;
    std::string errorName;
    std::string errorMessage;
};
using TextConverter =
    std::function<ConvertedText(const std::string& clientName, const std::string& utf8Text)>;

// The changes of a whole text (see TextChange); errors as for ConvertedText.
struct ListedChanges {
    std::vector<TextChange> changes;
    std::string errorName;
    std::string errorMessage;
};
using ChangeLister =
    std::function<ListedChanges(const std::string& clientName, const std::string& utf8Text)>;

class DbusDdeService : public QObject {
    Q_OBJECT
  public:
    // postMessage receives the numbers sent with PostMessage.
    DbusDdeService(DdeServer& server, std::function<void(unsigned)> postMessage,
                   QObject* parent = nullptr);
    ~DbusDdeService() override;

    // Where ConvertText goes; without one, it is refused as an unknown method would be.
    void SetTextConverter(TextConverter converter) { textConverter_ = std::move(converter); }
    // Where ListChanges goes; without one, it is refused the same way.
    void SetChangeLister(ChangeLister lister) { changeLister_ = std::move(lister); }

    // Connects to the session bus, claims the bus name and serves the object. Returns
    // false with a reason when the bus cannot be reached or the name is taken.
    bool Register(const QString& busName, QString& error);

    // Runs a global hotkey's action; returns false for an identifier that is not one.
    void SetHotkeyHandler(std::function<bool(unsigned)> handler) { hotkey_ = std::move(handler); }

    // Told once the connection to the session bus is lost: no client can reach the
    // program any more, nor start another one while it runs.
    void SetBusLostHandler(std::function<void()> handler) { busLost_ = std::move(handler); }
    // Called after each call has been answered.
    void SetAnsweredHandler(std::function<void()> handler) { answered_ = std::move(handler); }

  private:
    // Reads what the bus has and runs the calls that came, one at a time and in order. A
    // call that waits for the user comes back here from its wait, so later calls are
    // served meanwhile.
    void Serve();
    void Answer(sd_bus_message* message);
    void AnswerNow(sd_bus_message* message);
    void AnswerHotkey(sd_bus_message* call, std::uint32_t number);
    void AnswerCall(sd_bus_message* call, const char* first, const char* second);
    void AnswerConvertText(sd_bus_message* call, const char* first, const char* second);
    void AnswerConvertTextFd(sd_bus_message* call, const char* clientName, int fd);
    void ReplyConversionError(sd_bus_message* call, const ConvertedText& converted);
    void ReplyWithChanges(sd_bus_message* call, const char* clientName, const char* text);
    void Advise(std::u32string_view item, std::u32string_view data);
    void SendHeldAdvises();
    void WatchSocket();
    bool CallerConnected(const char* caller);
    void Disconnect();

    DdeServer& server_;
    std::function<void(unsigned)> postMessage_;
    std::function<bool(unsigned)> hotkey_;
    std::function<void()> busLost_;
    std::function<void()> answered_;
    TextConverter textConverter_;
    ChangeLister changeLister_;
    SdBus bus_;
    SdBusSlot object_;
    SdBusSlot departures_;
    std::unique_ptr<QSocketNotifier> readable_;
    std::unique_ptr<QSocketNotifier> writable_;
    std::deque<SdBusMessage> calls_;
    // The advises of the Call being answered, sent after its reply.
    std::vector<std::pair<std::u32string, std::u32string>>* heldAdvises_ = nullptr;
};

// Whether a name has an owner on the session bus; nothing when the bus cannot be asked.
std::optional<bool> SessionBusNameHasOwner(const std::string& name);

}  // namespace kassavero
