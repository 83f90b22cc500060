#include "platform/qt_message_loop.h"

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
        if (QCoreApplication::closingDown())
            return;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

}  // namespace kassavero
