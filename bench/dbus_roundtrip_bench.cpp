// SPDX-License-Identifier: GPL-3.0-or-later
// One command round trip over the session bus (execute filter:testconnection, then
// request the Filter item; and the same with Call) against a Ping answered by the
// Kassavero process and a bare call to the bus daemon itself, the floors any bus
// transport has. Timed by the wall clock, since the client mostly waits. Needs a running
// Kassavero on the session bus (bench/program_figures.sh starts one).

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>

#include <cstdio>

#include "platform/dde_names.h"

namespace {

QDBusInterface& Kassavero() {
    static QDBusInterface interface(QString::fromStdString(kassavero::DdeBusName("kassavero")),
                                    QString::fromLatin1(kassavero::kDdeObjectPath),
                                    QString::fromLatin1(kassavero::kDdeInterface),
                                    QDBusConnection::sessionBus());
    return interface;
}

void CommandRoundTrip(benchmark::State& state) {
    for (auto _ : state) {
        Kassavero().call(QStringLiteral("Execute"), QStringLiteral("System"),
                         QStringLiteral("filter:testconnection"));
        const QDBusMessage reply = Kassavero().call(
            QStringLiteral("Request"), QStringLiteral("System"), QStringLiteral("Filter"));
        if (reply.type() != QDBusMessage::ReplyMessage) {
            state.SkipWithError("Kassavero does not answer on the session bus");
            break;
        }
    }
}
BENCHMARK(CommandRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The same command with Call: one round trip, and the reply is this command's own.
void CallRoundTrip(benchmark::State& state) {
    for (auto _ : state) {
        const QDBusMessage reply =
            Kassavero().call(QStringLiteral("Call"), QStringLiteral("System"),
                             QStringLiteral("filter:testconnection"));
        if (reply.type() != QDBusMessage::ReplyMessage) {
            state.SkipWithError("Kassavero has no Call");
            break;
        }
    }
}
BENCHMARK(CallRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The floor for any call that reaches the program: the bus's own ping, answered by the
// Kassavero process itself.
void PingKassavero(benchmark::State& state) {
    QDBusInterface peer(QString::fromStdString(kassavero::DdeBusName("kassavero")),
                        QString::fromLatin1(kassavero::kDdeObjectPath),
                        QStringLiteral("org.freedesktop.DBus.Peer"), QDBusConnection::sessionBus());
    for (auto _ : state) {
        const QDBusMessage reply = peer.call(QStringLiteral("Ping"));
        if (reply.type() != QDBusMessage::ReplyMessage) {
            state.SkipWithError("no answer to Ping");
            break;
        }
    }
}
BENCHMARK(PingKassavero)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BusDaemonCall(benchmark::State& state) {
    QDBusInterface daemon(QStringLiteral("org.freedesktop.DBus"),
                          QStringLiteral("/org/freedesktop/DBus"),
                          QStringLiteral("org.freedesktop.DBus"), QDBusConnection::sessionBus());
    for (auto _ : state) {
        const QDBusMessage reply = daemon.call(QStringLiteral("GetId"));
        benchmark::DoNotOptimize(reply);
    }
}
BENCHMARK(BusDaemonCall)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
