// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_unix_signals.h"

#include <sys/socket.h>
#include <unistd.h>
#include <csignal>

#include <cerrno>

namespace kassavero {
namespace {

// The handler may only do async-signal-safe things: it writes the signal number into
// one end of a socket pair, and the event loop reads it from the other.
int signalSockets[2] = {-1, -1};

void OnSignal(int number) {
    const int saved = errno;
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const auto written = ::write(signalSockets[0], &byte, 1);
    errno = saved;
}

sigset_t TerminationSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

}  // namespace

void UnixSignals::HoldUntilHandled() {
    const sigset_t set = TerminationSignals();
    ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

UnixSignals::UnixSignals(QObject* parent) : QObject(parent) {
    const sigset_t set = TerminationSignals();
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets) != 0) {
        // Without a way to hand them on, they keep their usual effect.
        ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
        return;
    }
    notifier_ = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &UnixSignals::ReadSignal);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    // What came while they were held arrives now, through the handler.
    ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

UnixSignals::~UnixSignals() {
    if (notifier_ == nullptr)
        return;
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    ::close(signalSockets[0]);
    ::close(signalSockets[1]);
    signalSockets[0] = signalSockets[1] = -1;
}

void UnixSignals::ReadSignal() {
    char byte = 0;
    if (::read(signalSockets[1], &byte, 1) == 1)
        emit Terminate(static_cast<int>(byte));
}

}  // namespace kassavero
