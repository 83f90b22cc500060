// SPDX-License-Identifier: GPL-3.0-or-later
#include "confirm/engine_desktop_adapter.h"

#include "platform/help.h"
#include "platform/message_box.h"
#include "platform/message_loop.h"

namespace kassavero {
namespace {

constexpr const char32_t* kCaption = U"Kassavero";

}  // namespace

void EngineDesktopAdapter::Warn(const std::u32string& text) {
    boxes_.ShowMessageBox(text, kCaption, mb::kOk | mb::kIconWarning);
}

bool EngineDesktopAdapter::AskToQuit(const std::u32string& text) {
    return boxes_.ShowMessageBox(text, kCaption, mb::kYesNoCancel | mb::kDefaultButton2) == kIdYes;
}

void EngineDesktopAdapter::ProcessPendingEvents() {
    loop_.ProcessPendingMessages();
}

void EngineDesktopAdapter::CloseHelp() {
    help_.Close();
}

}  // namespace kassavero
