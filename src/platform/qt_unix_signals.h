// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSocketNotifier>

namespace kassavero {

// Turns SIGTERM (sent at logout) and SIGINT into the signal Terminate() on the event
// loop, so the program ends through its ordinary shut-down instead of being killed
// in the middle of a file write.
class UnixSignals : public QObject {
    Q_OBJECT
  public:
    // Holds SIGTERM and SIGINT back until a UnixSignals takes them: one sent while the
    // program starts is then handled in order instead of killing it half-way.
    static void HoldUntilHandled();

    explicit UnixSignals(QObject* parent = nullptr);
    ~UnixSignals() override;

  signals:
    void Terminate(int signalNumber);

  private:
    void ReadSignal();

    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace kassavero
