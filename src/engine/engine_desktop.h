// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the sessions need of the desktop besides the confirmation dialog. The engine owns
// this interface and a floor above implements it over the platform's message boxes,
// message loop and help, so the engine is logic alone.

#include <string>

namespace kassavero {

class EngineDesktop {
  public:
    virtual ~EngineDesktop() = default;

    // Tells the user why a command failed, in a box with OK.
    virtual void Warn(const std::u32string& text) = 0;
    // Asks whether to quit while clients are still connected; true only for yes.
    virtual bool AskToQuit(const std::u32string& text) = 0;
    // Lets the desktop handle the events waiting now, while a session waits on the user.
    virtual void ProcessPendingEvents() = 0;
    // Closes the help window: the program is quitting.
    virtual void CloseHelp() = 0;
};

}  // namespace kassavero
