// SPDX-License-Identifier: GPL-3.0-or-later
// One of many clients that bench/program_figures.sh starts at once: CALLS Call round
// trips of mixed settings, calculator and filter commands, each reply checked against
// what this client alone can expect, so a reply meant for another client is counted.
// Prints "<client> <calls> <wrong> <errors>".
//
//   bus_load_client CLIENT CALLS LOCKDIR
//
// The engine has ten session slots; a client holds the lock file LOCKDIR/<CLIENT % 10>
// while its session is open, so twenty clients never ask for an eleventh.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <limits>
#include <string>

#include "platform/dde_names.h"

namespace {

class Client {
  public:
    explicit Client(int id)
        : id_(id),
          interface_(QString::fromStdString(kassavero::DdeBusName("kassavero")),
                     QString::fromLatin1(kassavero::kDdeObjectPath),
                     QString::fromLatin1(kassavero::kDdeInterface), QDBusConnection::sessionBus()) {
        interface_.setTimeout(std::numeric_limits<int>::max());
    }

    // The reply, or "" after an error (counted).
    std::string Call(const std::string& line) {
        ++calls_;
        const QDBusMessage reply = interface_.call(QStringLiteral("Call"), QStringLiteral("System"),
                                                   QString::fromStdString(line));
        if (reply.type() != QDBusMessage::ReplyMessage) {
            ++errors_;
            return {};
        }
        return reply.arguments().value(0).toString().toStdString();
    }

    void Expect(const std::string& line, const std::string& expected) {
        const std::string reply = Call(line);
        if (reply != expected) {
            ++wrong_;
            if (wrong_ <= 3)
                std::fprintf(stderr, "client %d: %s -> %s (expected %s)\n", id_, line.c_str(),
                             reply.c_str(), expected.c_str());
        }
    }

    int calls_ = 0;
    int wrong_ = 0;
    int errors_ = 0;

  private:
    int id_;
    QDBusInterface interface_;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 1;
    const int id = std::atoi(argv[1]);
    const int calls = std::atoi(argv[2]);
    const std::string lockFile = std::string(argv[3]) + "/" + std::to_string(id % 10);
    Client client(id);
    const std::string key = "BenchValue" + std::to_string(id);
    client.Expect("settings:setvalue(," + key + ",v" + std::to_string(id) + ")", "[OK]");
    while (client.calls_ < calls) {
        const int round = client.calls_;
        // An amount no other client's command carries: client id and round in it.
        const std::string amount = std::to_string(id * 100000 + round + 1);
        // Settings: the value this client stored.
        client.Expect("settings:getvalue(," + key + ")", "[v" + std::to_string(id) + "]");
        // Calculator: an invalid currency named after this client and round.
        const std::string code = "X" + std::to_string(id) + "_" + std::to_string(round);
        client.Expect("calculator:setvalue(" + code + ",1)",
                      "[ERROR. Invalid argument in call to function setvalue: " + code + "]");
        // Filter: a session of its own, its text, its change, its confirmation.
        const int lock = ::open(lockFile.c_str(), O_CREAT | O_RDWR, 0600);
        ::flock(lock, LOCK_EX);
        std::string session = client.Call("filter:opensession(load" + std::to_string(id) + ",0)");
        session = session.size() > 2 ? session.substr(1, session.size() - 2) : "-1";
        const std::string text = "Posten " + amount + " DM";
        client.Expect("filter:transfertext:" + text, "[transfertext:" + text + "]");
        client.Expect("filter:findnextchange(" + session + ")",
                      "[7;" + std::to_string(7 + amount.size() + 3) + ";DEM;" + amount + "]");
        const std::string confirmed = client.Call("filter:confirmchange(" + session + ",0)");
        if (confirmed.find("(;" + amount + " DM;)") == std::string::npos) {
            ++client.wrong_;
            std::fprintf(stderr, "client %d: confirmchange -> %s\n", id, confirmed.c_str());
        }
        client.Expect("filter:closesession(" + session + ")", "[OK]");
        ::flock(lock, LOCK_UN);
        ::close(lock);
    }
    std::printf("%d %d %d %d\n", id, client.calls_, client.wrong_, client.errors_);
    return client.wrong_ == 0 && client.errors_ == 0 ? 0 : 1;
}
