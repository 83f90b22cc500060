// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_message_loop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>

#include "platform/vector_state.h"

namespace kassavero {

void QtMessageLoop::ProcessPendingMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // The work that goes on after the events runs at full speed.
    ClearUpperVectorState();
}

void QtMessageLoop::RunUntil(const std::function<bool()>& done) {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (dispatcher == nullptr)
        return;
    // A nested event loop of its own serves every event as it arrives, bus calls among
    // them. The condition can only change in an event handler: it is looked at each time
    // the loop wakes and before it goes to sleep, so nothing polls and nothing waits for
    // an unrelated event to notice it.
    QEventLoop loop;
    const auto check = [this, &done, &loop] {
        if (done() || quitting_ || QCoreApplication::closingDown())
            loop.quit();
    };
    QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, &loop, check);
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &loop, [&] {
        // Events already posted (a bus call among them) are served before the thread
        // sleeps: a nested loop must not wait for an unrelated event to deliver them.
        QCoreApplication::sendPostedEvents();
        check();
    });
    while (!done()) {
        if (quitting_ || QCoreApplication::closingDown())
            return;
        // Below 0: the application was told to quit, and no nested loop runs any more.
        if (loop.exec() < 0)
            return;
    }
}

void QtMessageLoop::Quit() {
    quitting_ = true;
    // Wake a wait that is sleeping in the dispatcher so it sees the flag.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
}

}  // namespace kassavero
