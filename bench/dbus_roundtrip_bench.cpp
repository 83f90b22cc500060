// One command round trip over the session bus (execute filter:testconnection, then
// request the Filter item) against a bare call to the bus daemon itself, which is the
// floor any bus transport has. Needs a running Kassavero on the session bus
// (bench/program_figures.sh starts one).

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
BENCHMARK(CommandRoundTrip)->Unit(benchmark::kMicrosecond);

void BusDaemonCall(benchmark::State& state) {
    QDBusInterface daemon(QStringLiteral("org.freedesktop.DBus"),
                          QStringLiteral("/org/freedesktop/DBus"),
                          QStringLiteral("org.freedesktop.DBus"), QDBusConnection::sessionBus());
    for (auto _ : state) {
        const QDBusMessage reply = daemon.call(QStringLiteral("GetId"));
        benchmark::DoNotOptimize(reply);
    }
}
BENCHMARK(BusDaemonCall)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
