// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The clipboard on Qt: the CLIPBOARD selection, with QClipboard::dataChanged as the change
// notice. Qt keeps no chain of viewers, so the program's viewer is its only member.
//
// On X11 (and XWayland) every change by any program is reported. A native Wayland
// session tells only the focused window about the clipboard, so there the automatic
// scan sees nothing while another program has the focus.

#include <QObject>
#include <QString>

#include "platform/clipboard.h"

namespace kassavero {

class QtClipboard final : public QObject, public Clipboard {
    Q_OBJECT

  public:
    explicit QtClipboard(QObject* parent = nullptr);
    ~QtClipboard() override;

    bool HasText() override;
    std::string Text() override;
    void SetText(std::string_view utf8) override;
    bool OwnedByThisProgram() override;

    ClipboardViewerId JoinChain(ClipboardViewer& viewer) override;
    void LeaveChain(ClipboardViewer& viewer, ClipboardViewerId next) override;
    void PassClipboardChanged(ClipboardViewerId) override {}
    void PassChainChanged(ClipboardViewerId, ClipboardViewerId, ClipboardViewerId) override {}

  private:
    ClipboardViewer* viewer_ = nullptr;
    QMetaObject::Connection notice_;
};

}  // namespace kassavero
