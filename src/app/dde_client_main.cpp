// kassavero-dde: the command-line client of Kassavero's command interface on the
// session bus.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <systemd/sd-bus.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

#include "app/advise_listeners.h"
#include "core/hotkeys.h"
#include "core/win1252.h"
#include "macro/document_client.h"
#include "platform/dde_names.h"
#include "platform/private_profile_file.h"
#include "platform/registry_file.h"

namespace {

using namespace kassavero;

enum ExitCode {
    kExitOk = 0,
    kExitUsage = 1,
    kExitNotRunning = 2,
    kExitRefused = 3,  // the program answered with an error or opened no session
    kExitCancelled = 4,
    kExitFile = 5,
};

constexpr const char* kUsage =
    "Usage: kassavero-dde [--service NAME] COMMAND ...\n"
    "\n"
    "Talks to a running Kassavero on the session bus.\n"
    "\n"
    "Commands:\n"
    "  execute TOPIC LINE         run a command line \"<Item>:<Command>\" on a topic\n"
    "                             (System or MacroServer)\n"
    "  poke TOPIC ITEM DATA       write DATA into an item (Filter, Settings, Calculator)\n"
    "  request TOPIC ITEM         print an item's text (a reply reads [reply])\n"
    "  call ITEM COMMAND          run ITEM:COMMAND on System and print its reply\n"
    "  post MESSAGE               send a message to the program (1034 or 1035 run the\n"
    "                             status file's command)\n"
    "  status                     print the status file's values\n"
    "  watch                      print every item change until interrupted\n"
    "  show-calculator            show the calculator, as its global hotkey does\n"
    "  scan-clipboard             convert the amount in the clipboard, as its global\n"
    "                             hotkey does (bind these two to desktop shortcuts where\n"
    "                             Kassavero cannot grab keys itself, as on Wayland)\n"
    "  convert FILE [-o OUT] [--confirm | --per-amount]\n"
    "                             convert the amounts in a UTF-8 text file; without -o\n"
    "                             the result goes to standard output; --confirm asks in\n"
    "                             the program's confirmation dialog for each change;\n"
    "                             --per-amount confirms each change without the dialog,\n"
    "                             one call per step (for measurements)\n"
    "\n"
    "Exit status: 0 done, 1 usage, 2 Kassavero is not running, 3 Kassavero refused or\n"
    "answered with an error, 4 cancelled in the confirmation dialog or by Kassavero\n"
    "ending (the changes made until then are kept), 5 a file could not be read or\n"
    "written.\n";

class NotRunning : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Refused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The answer to a call made with DirectCall: the string it returned, or its error.
struct DirectReply {
    std::string text;
    std::string errorName;
    std::string errorMessage;
};

// Calls that go straight over a socket of this thread. A document converted step by step
// makes two calls per amount, and Qt's bus connection would hand each call to a thread of
// its own and the reply back, which costs more than the call itself.
class DirectBus {
  public:
    DirectBus() {
        if (sd_bus_open_user(&bus_) < 0)
            bus_ = nullptr;
    }
    ~DirectBus() { sd_bus_flush_close_unref(bus_); }
    DirectBus(const DirectBus&) = delete;
    DirectBus& operator=(const DirectBus&) = delete;

    // A method of the command interface with two string arguments that returns a string.
    // It may wait for the user as long as the user takes.
    DirectReply Call(const std::string& busName, const char* method, const std::string& first,
                     const std::string& second) {
        DirectReply reply;
        if (bus_ == nullptr) {
            reply.errorName = "org.freedesktop.DBus.Error.NoServer";
            reply.errorMessage = "no session bus (is DBUS_SESSION_BUS_ADDRESS set?)";
            return reply;
        }
        sd_bus_message* call = nullptr;
        sd_bus_message* answer = nullptr;
        sd_bus_error error = SD_BUS_ERROR_NULL;
        const char* text = nullptr;
        int result = sd_bus_message_new_method_call(bus_, &call, busName.c_str(), kDdeObjectPath,
                                                    kDdeInterface, method);
        if (result >= 0)
            result = sd_bus_message_append(call, "ss", first.c_str(), second.c_str());
        if (result >= 0)
            result = sd_bus_call(bus_, call, kNoTimeout, &error, &answer);
        if (result >= 0)
            result = sd_bus_message_read(answer, "s", &text);
        if (result >= 0) {
            reply.text = text;
        } else if (sd_bus_error_is_set(&error)) {
            reply.errorName = error.name;
            reply.errorMessage = error.message != nullptr ? error.message : "";
        } else {
            reply.errorName = "org.freedesktop.DBus.Error.Failed";
            reply.errorMessage = std::strerror(-result);
        }
        sd_bus_error_free(&error);
        sd_bus_message_unref(answer);
        sd_bus_message_unref(call);
        return reply;
    }

  private:
    // Calls that wait for the user must not time out (a year is as good as never).
    static constexpr std::uint64_t kNoTimeout = 365ULL * 24 * 3600 * 1000000;
    sd_bus* bus_ = nullptr;
};

class BusClient {
  public:
    explicit BusClient(const QString& service)
        : busName_(QString::fromStdString(DdeBusName(service.toStdString()))),
          interface_(busName_, QString::fromLatin1(kDdeObjectPath),
                     QString::fromLatin1(kDdeInterface), QDBusConnection::sessionBus()) {
        // Calls that wait for the user must not time out.
        interface_.setTimeout(std::numeric_limits<int>::max());
    }

    void EnsureRunning() {
        const auto bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            throw NotRunning("no session bus (is DBUS_SESSION_BUS_ADDRESS set?)");
        }
        if (!bus.interface()->isServiceRegistered(busName_).value() && !Activate(bus)) {
            throw NotRunning("Kassavero is not running (no " + busName_.toStdString() +
                             " on the session bus)");
        }
    }

    // An installed Kassavero has a bus service file: the bus starts it on demand.
    bool Activate(const QDBusConnection& bus) {
        if (!bus.interface()->activatableServiceNames().value().contains(busName_))
            return false;
        const QDBusReply<void> started = bus.interface()->startService(busName_);
        if (!started.isValid()) {
            std::cerr << "kassavero-dde: could not start Kassavero: "
                      << started.error().message().toStdString() << '\n';
            return false;
        }
        return true;
    }

    void Execute(const QString& topic, const QString& line) {
        Check(interface_.call(QStringLiteral("Execute"), topic, line));
    }
    void Poke(const QString& topic, const QString& item, const QString& data) {
        Check(interface_.call(QStringLiteral("Poke"), topic, item, data));
    }
    QString Request(const QString& topic, const QString& item) {
        const QDBusMessage reply = interface_.call(QStringLiteral("Request"), topic, item);
        Check(reply);
        return reply.arguments().value(0).toString();
    }
    void Post(uint message) { Check(interface_.call(QStringLiteral("PostMessage"), message)); }
    // The action of a global hotkey (1000 calculator, 1010 clipboard).
    void Hotkey(uint id) { Check(interface_.call(QStringLiteral("Hotkey"), id)); }

    // Whether the program has Call and ConvertText; an older one has only the four
    // DDE-style methods. Asked once, by the first call that needs it.
    bool HasCall() {
        if (!hasCall_) {
            const DirectReply reply =
                direct_.Call(busName_.toStdString(), "Call", "System", "filter:testconnection");
            hasCall_ = reply.errorName != "org.freedesktop.DBus.Error.UnknownMethod";
            if (*hasCall_)
                Check(reply);
        }
        return *hasCall_;
    }

    // The reply of exactly this command line, as the item held it ("[reply]").
    std::string CallLine(const std::string& topic, const std::string& line) {
        DirectReply reply = direct_.Call(busName_.toStdString(), "Call", topic, line);
        Check(reply);
        return std::move(reply.text);
    }

    // The whole text converted without the dialog; false when the program is too old
    // to do it in one call.
    bool ConvertText(const QString& clientName, const QByteArray& utf8, QByteArray& converted,
                     uint& changes) {
        const QDBusMessage reply =
            interface_.call(QStringLiteral("ConvertText"), clientName, QString::fromUtf8(utf8));
        if (IsUnknownMethod(reply))
            return false;
        Check(reply);
        converted = reply.arguments().value(0).toString().toUtf8();
        changes = reply.arguments().value(1).toUInt();
        return true;
    }

    // Takes replies from the item's Advise signal where it arrives, which saves one
    // request per command; without it every reply is requested.
    void ListenForReplies() {
        listening_ = QDBusConnection::sessionBus().connect(
            busName_, QString::fromLatin1(kDdeObjectPath), QString::fromLatin1(kDdeInterface),
            QStringLiteral("Advise"), &replies_, SLOT(Collect(QString, QString)));
    }

    // ITEM:COMMAND on topic System, and the item's reply without brackets and line end.
    std::string Call(std::string_view item, std::string_view command) {
        const QString itemName =
            QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
        if (HasCall()) {
            std::string line = std::string(item) + ':' + std::string(command);
            // Bytes that are no UTF-8 become U+FFFD, as everywhere else in this client.
            if (!IsValidUtf8(line))
                line = QString::fromStdString(line).toStdString();
            std::string reply = CallLine("System", line);
            if (reply.size() >= 2 && reply.front() == '[' && reply.back() == ']')
                return reply.substr(1, reply.size() - 2);
            return reply;
        }
        // An older program: execute, then read the item. It has no reply for an item it
        // does not know, so that is refused here rather than answered by a stale text.
        if (!IsItem(itemName))
            throw Refused("unknown item " + itemName.toStdString());
        const QString replyItem = ItemOf(itemName);
        replies_.Forget(replyItem);
        Execute(QStringLiteral("System"),
                itemName + ':' +
                    QString::fromUtf8(command.data(), static_cast<qsizetype>(command.size())));
        QString text;
        if (listening_) {
            // The announcement came before the call's answer; let its event run.
            QCoreApplication::processEvents();
        }
        if (const QString* announced = replies_.Latest(replyItem)) {
            text = *announced;
        } else {
            text = Request(QStringLiteral("System"), replyItem);
        }
        return WithoutBrackets(text.section(QStringLiteral("\r\n"), 0, 0));
    }

  private:
    static std::string WithoutBrackets(QString text) {
        if (text.startsWith('[') && text.endsWith(']'))
            text = text.mid(1, text.size() - 2);
        return text.toStdString();
    }

    static bool IsItem(const QString& lowerName) {
        return lowerName == "filter" || lowerName == "settings" || lowerName == "calculator";
    }

    static bool IsUnknownMethod(const QDBusMessage& reply) {
        return reply.type() == QDBusMessage::ErrorMessage &&
               reply.errorName() == QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod");
    }

    static QString ItemOf(const QString& lowerName) {
        if (lowerName == "filter")
            return QStringLiteral("Filter");
        if (lowerName == "settings")
            return QStringLiteral("Settings");
        return QStringLiteral("Calculator");
    }

    static void Check(const DirectReply& reply) {
        if (reply.errorName.empty())
            return;
        const std::string message = reply.errorName + ": " + reply.errorMessage;
        if (reply.errorName.starts_with("org.kassavero."))
            throw Refused(message);
        throw NotRunning(message);
    }

    static void Check(const QDBusMessage& reply) {
        if (reply.type() == QDBusMessage::ErrorMessage) {
            const std::string message =
                (reply.errorName() + ": " + reply.errorMessage()).toStdString();
            if (reply.errorName().startsWith(QStringLiteral("org.kassavero."))) {
                throw Refused(message);
            }
            throw NotRunning(message);
        }
    }

    QString busName_;
    QDBusInterface interface_;
    DirectBus direct_;
    AdviseCollector replies_;
    bool listening_ = false;
    std::optional<bool> hasCall_;
};

class BusChannel final : public CommandChannel {
  public:
    explicit BusChannel(BusClient& client) : client_(client) {}
    std::string Call(std::string_view item, std::string_view command) override {
        return client_.Call(item, command);
    }
    void Send(std::string_view item, std::string_view command) override {
        // With Call a hand-over is this client's own; an execute would share it.
        if (client_.HasCall()) {
            client_.Call(item, command);
            return;
        }
        client_.Execute(
            QStringLiteral("System"),
            QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())) + ':' +
                QString::fromUtf8(command.data(), static_cast<qsizetype>(command.size())));
    }

  private:
    BusClient& client_;
};

int Convert(BusClient& client, const QStringList& args) {
    QString input, output;
    bool confirm = false;
    bool perAmount = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == "--confirm" && !perAmount) {
            confirm = true;
        } else if (args[i] == "--per-amount" && !confirm) {
            perAmount = true;
        } else if (args[i] == "-o" && i + 1 < args.size()) {
            output = args[++i];
        } else if (input.isEmpty() && !args[i].startsWith('-')) {
            input = args[i];
        } else {
            std::cerr << kUsage;
            return kExitUsage;
        }
    }
    if (input.isEmpty()) {
        std::cerr << kUsage;
        return kExitUsage;
    }
    QFile file(input);
    if (!file.open(QIODevice::ReadOnly)) {
        std::cerr << "kassavero-dde: cannot read " << input.toStdString() << ": "
                  << file.errorString().toStdString() << '\n';
        return kExitFile;
    }
    const QByteArray text = file.readAll();
    client.EnsureRunning();
    DocumentConversionResult result;
    QByteArray converted;
    uint changes = 0;
    if (!confirm && !perAmount &&
        IsValidUtf8(std::string_view(text.constData(), static_cast<std::size_t>(text.size()))) &&
        client.ConvertText(QStringLiteral("kassavero-dde"), text, converted, changes)) {
        // One call for the whole text. It travels as a bus string, which is UTF-8 only;
        // a file that is not goes the long way, which keeps its bytes.
        result.text = converted.toStdString();
        result.found = changes;
        result.changed = changes;
    } else {
        DocumentConversionOptions options;
        options.confirm = confirm;
        options.takesWholeLines = client.HasCall();
        if (!options.takesWholeLines)
            client.ListenForReplies();
        BusChannel channel(client);
        result = ConvertDocument(
            channel, std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
            options, "kassavero-dde");
    }
    using Outcome = DocumentConversionResult::Outcome;
    if (result.outcome == Outcome::NoSession) {
        std::cerr << "kassavero-dde: Kassavero could not open a session (" << result.error << ")\n";
        return kExitRefused;
    }
    if (result.outcome == Outcome::ProtocolError) {
        std::cerr << "kassavero-dde: Kassavero answered: " << result.error
                  << "\nThe file was left unchanged.\n";
        return kExitRefused;
    }
    if (output.isEmpty()) {
        std::fwrite(result.text.data(), 1, result.text.size(), stdout);
        std::fflush(stdout);
    } else {
        QSaveFile out(output);
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(result.text.data(), static_cast<qint64>(result.text.size())) < 0 ||
            !out.commit()) {
            std::cerr << "kassavero-dde: cannot write " << output.toStdString() << ": "
                      << out.errorString().toStdString() << '\n';
            return kExitFile;
        }
    }
    std::cerr << "kassavero-dde: " << result.changed << " of " << result.found
              << " amounts converted\n";
    if (result.outcome == Outcome::Cancelled) {
        std::cerr << "kassavero-dde: cancelled in the confirmation dialog, or Kassavero ended; "
                     "the changes made until then are kept\n";
        return kExitCancelled;
    }
    return kExitOk;
}

int Status() {
    PrivateProfileFile file(DefaultRegistryDirectory() / "KASSAVR.INI");
    for (const char* key : {"Runs", "DDEStatus", "DDEConv", "DDEAck"}) {
        std::cout << key << '=' << Win1252ToUtf8(file.ReadString("General", key, "", 1023)) << '\n';
    }
    return kExitOk;
}

int WatchAdvise(QCoreApplication& app, const QString& service) {
    AdvisePrinter printer;
    const bool connected = QDBusConnection::sessionBus().connect(
        QString::fromStdString(DdeBusName(service.toStdString())),
        QString::fromLatin1(kDdeObjectPath), QString::fromLatin1(kDdeInterface),
        QStringLiteral("Advise"), &printer, SLOT(Print(QString, QString)));
    if (!connected)
        throw NotRunning("cannot listen on the session bus");
    return app.exec();
}

int Run(QCoreApplication& app, QStringList args) {
    QString service = QStringLiteral("kassavero");
    if (args.size() >= 2 && args[0] == "--service") {
        service = args[1];
        args = args.mid(2);
    }
    if (args.isEmpty() || args[0] == "--help" || args[0] == "-h") {
        (args.isEmpty() ? std::cerr : std::cout) << kUsage;
        return args.isEmpty() ? kExitUsage : kExitOk;
    }
    const QString command = args.takeFirst();
    BusClient client(service);
    auto needs = [&](qsizetype count) {
        if (args.size() != count)
            throw std::invalid_argument("usage");
    };
    if (command == "status") {
        needs(0);
        return Status();
    }
    if (command == "convert")
        return Convert(client, args);
    client.EnsureRunning();
    if (command == "execute") {
        needs(2);
        client.Execute(args[0], args[1]);
    } else if (command == "poke") {
        needs(3);
        client.Poke(args[0], args[1], args[2]);
    } else if (command == "request") {
        needs(2);
        std::cout << client.Request(args[0], args[1]).toStdString();
    } else if (command == "call") {
        needs(2);
        const std::string reply =
            client.Call(args[0].toLower().toStdString(), args[1].toStdString());
        std::cout << reply << '\n';
        if (reply.rfind("ERROR.", 0) == 0)
            return kExitRefused;
    } else if (command == "post") {
        needs(1);
        bool ok = false;
        const uint message = args[0].toUInt(&ok);
        if (!ok)
            throw std::invalid_argument("usage");
        client.Post(message);
    } else if (command == "show-calculator" || command == "scan-clipboard") {
        needs(0);
        client.Hotkey(command == "show-calculator" ? kCalculatorHotkeyId : kClipboardHotkeyId);
    } else if (command == "watch") {
        needs(0);
        return WatchAdvise(app, service);
    } else {
        throw std::invalid_argument("usage");
    }
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        return Run(app, app.arguments().mid(1));
    } catch (const std::invalid_argument&) {
        std::cerr << kUsage;
        return kExitUsage;
    } catch (const NotRunning& e) {
        std::cerr << "kassavero-dde: " << e.what() << '\n';
        return kExitNotRunning;
    } catch (const Refused& e) {
        std::cerr << "kassavero-dde: " << e.what() << '\n';
        return kExitRefused;
    }
}
