// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The small initialisation file through which macro clients see whether the program runs
// and pass it a command without DDE: they write a macro line into "DDEConv", post
// message 1034 (or 1035, which also sets "DDEAck") and read the reply back from the same
// value, in square brackets. Every value stands in the section "General"; every write
// reaches the disk at once.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace kassavero {

class MacroInterpreter;
class PrivateProfile;

inline constexpr std::u32string_view kStatusFileName = U"KASSAVR.INI";
inline constexpr std::uint32_t kUserMessage = 1024;
inline constexpr std::uint32_t kExecuteStatusCommand = kUserMessage + 10;
inline constexpr std::uint32_t kExecuteStatusCommandAck = kUserMessage + 11;
// The longest command read from the file.
inline constexpr std::size_t kStatusCommandLength = 255;

// The status file in the program's configuration directory.
std::filesystem::path StatusFilePath(const std::filesystem::path& directory);

class StatusFile {
  public:
    StatusFile(PrivateProfile& file, MacroInterpreter& interpreter);

    // "Runs": "1" while the hidden main window exists, else empty.
    void WriteRuns(bool running);
    // "DDEStatus": "OK" while the message loop runs (the server and all windows exist).
    void WriteDdeStatus(bool ready);

    // A message to the hidden main window. 1034 runs the command in "DDEConv" and writes
    // its reply there; 1035 also sets "DDEAck" to "1". Returns false for any other number,
    // which does nothing.
    bool HandleMessage(std::uint32_t message);

  private:
    void Write(std::u32string_view key, std::u32string_view value);

    PrivateProfile& file_;
    MacroInterpreter& interpreter_;
};

}  // namespace kassavero
