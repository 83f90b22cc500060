// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_message_loop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>
#include <thread>

namespace kassavero {

// A wait must notice its condition as soon as the event that meets it ran, and serve
// events from other threads (as bus calls arrive) while it waits; a wait that only
// woke for an unrelated event would run into the watchdog here.
class QtMessageLoopTest : public QObject {
    Q_OBJECT

    static constexpr int kWatchdogMs = 5000;

    // Ends every wait should the loop never notice its condition.
    struct Watchdog {
        explicit Watchdog(QtMessageLoop& loop) {
            timer.setSingleShot(true);
            QObject::connect(&timer, &QTimer::timeout, [this, &loop] {
                fired = true;
                loop.Quit();
            });
            timer.start(kWatchdogMs);
        }
        QTimer timer;
        bool fired = false;
    };

  private slots:
    void AnEventPostedFromAnotherThreadEndsTheWait() {
        QtMessageLoop loop;
        const Watchdog watchdog(loop);
        bool done = false;
        QObject receiver;
        std::thread poster([&receiver, &done] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            QMetaObject::invokeMethod(
                &receiver, [&done] { done = true; }, Qt::QueuedConnection);
        });
        QElapsedTimer clock;
        clock.start();
        loop.RunUntil([&done] { return done; });
        poster.join();
        QVERIFY(done);
        QVERIFY(!watchdog.fired);
        QVERIFY(clock.elapsed() < kWatchdogMs);
    }

    void NestedWaitsServeEveryCallAndEndInTurn() {
        QtMessageLoop loop;
        const Watchdog watchdog(loop);
        bool outerDone = false;
        bool innerDone = false;
        int served = 0;
        QObject receiver;
        // The outer wait's condition is met while the inner one still waits; then calls
        // keep arriving from another thread until the inner one ends too.
        QTimer::singleShot(0, &receiver,
                           [&] { loop.RunUntil([&innerDone] { return innerDone; }); });
        std::thread poster([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            QMetaObject::invokeMethod(
                &receiver, [&] { outerDone = true; }, Qt::QueuedConnection);
            for (int i = 0; i < 100; ++i) {
                QMetaObject::invokeMethod(
                    &receiver, [&served] { ++served; }, Qt::QueuedConnection);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            QMetaObject::invokeMethod(
                &receiver, [&] { innerDone = true; }, Qt::QueuedConnection);
        });
        loop.RunUntil([&outerDone] { return outerDone; });
        poster.join();
        QVERIFY(outerDone);
        QVERIFY(innerDone);
        QCOMPARE(served, 100);
        QVERIFY(!watchdog.fired);
    }

    void QuitEndsAWaitWhoseConditionNeverHolds() {
        QtMessageLoop loop;
        QTimer::singleShot(10, qApp, [&loop] { loop.Quit(); });
        loop.RunUntil([] { return false; });
        // Later waits end at once: the program is shutting down.
        loop.RunUntil([] { return false; });
    }

    // Last: once the application was told to end, no nested loop runs in this process.
    void ApplicationQuitEndsAWait() {
        QtMessageLoop loop;
        const Watchdog watchdog(loop);
        QTimer::singleShot(10, qApp, [] { QCoreApplication::exit(0); });
        loop.RunUntil([] { return false; });
        QVERIFY(!watchdog.fired);
    }
};

}  // namespace kassavero

QTEST_MAIN(kassavero::QtMessageLoopTest)
#include "qt_message_loop_test.moc"
