// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QString>

#include <chrono>
#include <ctime>

namespace kassavero {

// One running Kassavero per user and desktop session: a lock file in $XDG_RUNTIME_DIR,
// else in the program's configuration directory. Both belong to the user alone, so no
// other user can take the name first. A lock file that names no live Kassavero of this
// user on this host (its owner crashed, a power cut left it empty or half-written, it
// came from another host, it is junk) is stale and taken over; one that cannot be
// judged is reported, never obeyed in silence.
class InstanceLock {
  public:
    enum class State {
        Taken,     // this process holds the lock now
        Running,   // a live Kassavero holds it: HolderPid()
        Unjudged,  // the lock file cannot be judged: Problem()
    };

    InstanceLock();
    State TryLock();
    QString Path() const { return path_; }
    // The Kassavero that holds the lock, after TryLock said Running.
    qint64 HolderPid() const { return holderPid_; }
    // How long ago the holder took the lock, after TryLock said Running.
    std::chrono::seconds HeldFor() const;
    // Why the lock file cannot be judged, after TryLock said Unjudged.
    QString Problem() const { return problem_; }

  private:
    enum class Verdict { Running, Stale, Unsettled, Unjudged };
    Verdict Judge(bool firstLook);

    QString path_;
    QLockFile lock_;
    qint64 holderPid_ = 0;
    std::time_t heldSince_ = 0;
    QString problem_;
};

}  // namespace kassavero
