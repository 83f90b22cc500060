#include "platform/dbus_dde_service.h"

#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QTimer>

#include "core/win1252.h"
#include "kassavero_dde_adaptor.h"
#include "platform/dde_names.h"
#include "platform/dde_server.h"
#include "shell/hotkeys.h"

namespace kassavero {
namespace {

// The caller of a Call made inside the program rather than over the bus.
constexpr std::string_view kLocalCaller = "local";

std::string Inside(const QString& text) {
    return Utf8ToWin1252(text.toUtf8().toStdString());
}

QString Outside(std::string_view text) {
    return QString::fromStdString(Win1252ToUtf8(text));
}

}  // namespace

DbusDdeService::DbusDdeService(DdeServer& server, std::function<void(unsigned)> postMessage,
                               QObject* parent)
    : QObject(parent), server_(server), postMessage_(std::move(postMessage)), bus_(QString()) {
    new ServerAdaptor(this);
    server_.SetAdviseSink([this](std::string_view item, std::string_view data) {
        emit Advise(Outside(item), Outside(data));
    });
    // Asked only when a command finds no text of its own and another caller's waits. A
    // caller the bus cannot tell about counts as connected: its text stays its own.
    server_.SetCallerCheck([this](std::string_view caller) {
        if (!bus_.isConnected() || caller == kLocalCaller)
            return true;
        const QDBusReply<bool> registered =
            bus_.interface()->isServiceRegistered(QString::fromUtf8(caller.data(), caller.size()));
        return !registered.isValid() || registered.value();
    });
}

DbusDdeService::~DbusDdeService() {
    server_.SetAdviseSink({});
    server_.SetCallerCheck({});
    if (!busName_.isEmpty()) {
        bus_.unregisterObject(QString::fromLatin1(kDdeObjectPath));
        bus_.unregisterService(busName_);
    }
}

bool DbusDdeService::Register(const QDBusConnection& bus, const QString& busName, QString& error) {
    if (!bus.isConnected()) {
        error = QStringLiteral("no session bus: ") + bus.lastError().message();
        return false;
    }
    bus_ = bus;
    if (!bus_.registerObject(QString::fromLatin1(kDdeObjectPath), this)) {
        error = QStringLiteral("the object path is in use");
        return false;
    }
    if (!bus_.registerService(busName)) {
        bus_.unregisterObject(QString::fromLatin1(kDdeObjectPath));
        error = QStringLiteral("the name %1 is taken: %2").arg(busName, bus_.lastError().message());
        return false;
    }
    busName_ = busName;
    return true;
}

void DbusDdeService::Fail(int error) {
    if (!calledFromDBus())
        return;
    switch (static_cast<DdeError>(error)) {
        case DdeError::UnknownTopic:
            sendErrorReply(QStringLiteral("org.kassavero.dde.Error.UnknownTopic"),
                           QStringLiteral("unknown topic"));
            break;
        case DdeError::UnknownItem:
            sendErrorReply(QStringLiteral("org.kassavero.dde.Error.UnknownItem"),
                           QStringLiteral("unknown item"));
            break;
        case DdeError::PokeRefused:
            // An item that is only there to be read, such as "Topics".
            sendErrorReply(QStringLiteral("org.kassavero.dde.Error.PokeRefused"),
                           QStringLiteral("the item cannot be written"));
            break;
        case DdeError::None:
            break;
    }
}

void DbusDdeService::Execute(const QString& topic, const QString& command) {
    Fail(static_cast<int>(server_.Execute(Inside(topic), Inside(command))));
}

void DbusDdeService::Poke(const QString& topic, const QString& item, const QString& data) {
    Fail(static_cast<int>(server_.Poke(Inside(topic), Inside(item), Inside(data))));
}

QString DbusDdeService::Request(const QString& topic, const QString& item) {
    std::string lines;
    const DdeError error = server_.Request(Inside(topic), Inside(item), lines);
    Fail(static_cast<int>(error));
    return error == DdeError::None ? Outside(lines) : QString();
}

QString DbusDdeService::Call(const QString& topic, const QString& command) {
    // The caller's unique name keeps its text hand-overs apart from other clients'.
    const std::string caller =
        calledFromDBus() ? message().service().toStdString() : std::string(kLocalCaller);
    std::string reply;
    const DdeError error = server_.Call(Inside(topic), Inside(command), caller, reply);
    if (error == DdeError::UnknownItem && calledFromDBus()) {
        sendErrorReply(QStringLiteral("org.kassavero.dde.Error.UnknownItem"), Outside(reply));
        return {};
    }
    Fail(static_cast<int>(error));
    return error == DdeError::None ? Outside(reply) : QString();
}

QString DbusDdeService::ConvertText(const QString& clientName, const QString& text, uint& changes) {
    changes = 0;
    if (!textConverter_) {
        if (calledFromDBus())
            sendErrorReply(QDBusError::UnknownMethod, QStringLiteral("no text conversion here"));
        return {};
    }
    const ConvertedText converted =
        textConverter_(clientName.toUtf8().toStdString(), text.toUtf8().toStdString());
    if (!converted.errorName.empty()) {
        if (calledFromDBus()) {
            sendErrorReply(QStringLiteral("org.kassavero.dde.Error.") +
                               QString::fromStdString(converted.errorName),
                           QString::fromStdString(converted.errorMessage));
        }
        return {};
    }
    changes = converted.changes;
    return QString::fromStdString(converted.text);
}

void DbusDdeService::PostMessage(uint message) {
    if (postMessage_)
        postMessage_(message);
}

void DbusDdeService::Hotkey(uint id) {
    if (id != kCalculatorHotkeyId && id != kClipboardHotkeyId) {
        if (calledFromDBus())
            sendErrorReply(QStringLiteral("org.kassavero.dde.Error.UnknownHotkey"),
                           QStringLiteral("no hotkey has the number %1").arg(id));
        return;
    }
    // A key press does not wait for what it starts (a message, a question); neither does
    // its caller on the bus.
    QTimer::singleShot(0, this, [this, id] {
        if (hotkey_)
            hotkey_(id);
    });
}

}  // namespace kassavero
