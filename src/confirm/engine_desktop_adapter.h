// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The engine's desktop over the platform's message boxes, message loop and help.

#include "engine/engine_desktop.h"

namespace kassavero {

class Help;
class MessageBoxes;
class MessageLoop;

class EngineDesktopAdapter : public EngineDesktop {
  public:
    EngineDesktopAdapter(MessageBoxes& boxes, MessageLoop& loop, Help& help)
        : boxes_(boxes), loop_(loop), help_(help) {}

    void Warn(const std::u32string& text) override;
    bool AskToQuit(const std::u32string& text) override;
    void ProcessPendingEvents() override;
    void CloseHelp() override;

  private:
    MessageBoxes& boxes_;
    MessageLoop& loop_;
    Help& help_;
};

}  // namespace kassavero
