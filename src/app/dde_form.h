// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The hidden main window: the command interface's server, its interpreter, the status
// file and the bus transport. It is never shown; status-file clients and the bus reach
// it by name.

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

#include "engine/engine.h"
#include "macro/macro_interpreter.h"
#include "macro/status_file.h"
#include "platform/in_process_dde_server.h"
#include "platform/private_profile_file.h"

namespace kassavero {

class DbusDdeService;
class MessageBoxes;
class Translator;

class TDDEForm : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* kCaption = "Kassavero DDE Form";

    // Created in start-up order: the engine handle, the pending text, the server
    // conversations, "Runs" in the status file, the caption.
    TDDEForm(Engine& engine, MacroServices services, const std::string& serviceName,
             const std::filesystem::path& statusFile);
    // Writes "Runs" empty.
    ~TDDEForm() override;

    // Puts the conversations on the session bus. A failure is returned as text; the
    // program goes on without the bus (the status file still works).
    bool ConnectBus(const QString& busName, QString& error);

    // The actions of the global hotkeys, for callers on the bus (set before ConnectBus).
    void SetHotkeyHandler(std::function<bool(unsigned)> handler) {
        hotkeyHandler_ = std::move(handler);
    }
    // What the program does when the session bus goes away (set before ConnectBus).
    void SetBusLostHandler(std::function<void()> handler) { busLostHandler_ = std::move(handler); }

    StatusFile& Status() { return statusFile_; }
    MacroInterpreter& Interpreter() { return *interpreter_; }
    QString Caption() const { return QString::fromLatin1(kCaption); }

  private:
    InProcessDdeServer server_;
    PrivateProfileFile statusProfile_;
    std::unique_ptr<MacroInterpreter> interpreter_;
    StatusFile statusFile_;
    std::unique_ptr<DbusDdeService> bus_;
    std::function<bool(unsigned)> hotkeyHandler_;
    std::function<void()> busLostHandler_;
    // The buffers of long texts are handed back once no call has come for a while.
    QTimer memoryReturn_;
};

}  // namespace kassavero
