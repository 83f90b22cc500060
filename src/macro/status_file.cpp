// SPDX-License-Identifier: GPL-3.0-or-later
#include "macro/status_file.h"

#include <string>

#include "macro/macro_interpreter.h"
#include "platform/private_profile.h"

namespace kassavero {
namespace {

constexpr std::u32string_view kSection = U"General";

}  // namespace

std::filesystem::path StatusFilePath(const std::filesystem::path& directory) {
    return directory / kStatusFileName;
}

StatusFile::StatusFile(PrivateProfile& file, MacroInterpreter& interpreter)
    : file_(file), interpreter_(interpreter) {}

void StatusFile::Write(std::u32string_view key, std::u32string_view value) {
    file_.WriteString(kSection, key, value);
    file_.Flush();
}

void StatusFile::WriteRuns(bool running) {
    Write(U"Runs", running ? U"1" : U"");
}

void StatusFile::WriteDdeStatus(bool ready) {
    Write(U"DDEStatus", ready ? U"OK" : U"");
}

bool StatusFile::HandleMessage(std::uint32_t message) {
    if (message != kExecuteStatusCommand && message != kExecuteStatusCommandAck)
        return false;
    const std::u32string command =
        file_.ReadString(kSection, U"DDEConv", U"", kStatusCommandLength);
    interpreter_.ExecuteMacroLine(command);
    // FLastResult is set by every macro line, a faulty one too, so the file always gets
    // the reply to this very request.
    Write(U"DDEConv", U"[" + interpreter_.FLastResult() + U"]");
    if (message == kExecuteStatusCommandAck)
        Write(U"DDEAck", U"1");
    return true;
}

}  // namespace kassavero
