// SPDX-License-Identifier: GPL-3.0-or-later
#include "macro/status_file.h"

#include <string>

#include "macro/macro_interpreter.h"
#include "platform/private_profile.h"

namespace kassavero {
namespace {

constexpr std::string_view kSection = "General";

}  // namespace

std::filesystem::path StatusFilePath(const std::filesystem::path& directory) {
    return directory / kStatusFileName;
}

StatusFile::StatusFile(PrivateProfile& file, MacroInterpreter& interpreter)
    : file_(file), interpreter_(interpreter) {}

void StatusFile::Write(std::string_view key, std::string_view value) {
    file_.WriteString(kSection, key, value);
    file_.Flush();
}

void StatusFile::WriteRuns(bool running) {
    Write("Runs", running ? "1" : "");
}

void StatusFile::WriteDdeStatus(bool ready) {
    Write("DDEStatus", ready ? "OK" : "");
}

bool StatusFile::HandleMessage(std::uint32_t message) {
    if (message != kExecuteStatusCommand && message != kExecuteStatusCommandAck)
        return false;
    const std::string command = file_.ReadString(kSection, "DDEConv", "", kStatusCommandLength);
    interpreter_.ExecuteMacroLine(command);
    // FLastResult is set by every macro line, a faulty one too, so the file always gets
    // the reply to this very request.
    Write("DDEConv", "[" + interpreter_.FLastResult() + "]");
    if (message == kExecuteStatusCommandAck)
        Write("DDEAck", "1");
    return true;
}

}  // namespace kassavero
