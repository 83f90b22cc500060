#include "platform/qt_message_loop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>

namespace kassavero {

void QtMessageLoop::ProcessPendingMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtMessageLoop::RunUntil(const std::function<bool()>& done) {
    // WaitForMoreEvents blocks until at least one event was handled, so the condition
    // is looked at once per batch of events and the process sleeps in between.
    while (!done()) {
        if (quitting_ || QCoreApplication::closingDown())
            return;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void QtMessageLoop::Quit() {
    quitting_ = true;
    // Wake a wait that is sleeping in the dispatcher so it sees the flag.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
}

}  // namespace kassavero
