// SPDX-License-Identifier: GPL-3.0-or-later
// kassavero-dde: the command-line client of Kassavero's command interface on the
// session bus. What it says on the bus is DdeClient's (client/dde_client.h); this reads
// the command line and the files and prints the answers. It needs no toolkit: scripts
// start it once per command, and loading one took longer than most calls.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "client/dde_client.h"
#include "client/document_client.h"
#include "core/hotkeys.h"
#include "core/unicode_text.h"
#include "platform/atomic_file.h"
#include "platform/dde_names.h"
#include "platform/file_read.h"
#include "platform/owned_fd.h"
#include "platform/private_profile_file.h"
#include "platform/registry_file.h"
#include "platform/sd_dde_bus.h"

namespace {

using namespace kassavero;

enum ExitCode {
    kExitOk = 0,
    kExitUsage = 1,
    kExitNotRunning = 2,
    kExitRefused = 3,  // the program answered with an error or opened no session
    kExitCancelled = 4,
    kExitFile = 5,
};

constexpr const char* kUsage =
    "Usage: kassavero-dde [--service NAME] COMMAND ...\n"
    "\n"
    "Talks to a running Kassavero on the session bus.\n"
    "\n"
    "Commands:\n"
    "  execute TOPIC LINE         run a command line \"<Item>:<Command>\" on a topic\n"
    "                             (System or MacroServer)\n"
    "  poke TOPIC ITEM DATA       write DATA into an item (Filter, Settings, Calculator)\n"
    "  request TOPIC ITEM         print an item's text (a reply reads [reply])\n"
    "  call ITEM COMMAND          run ITEM:COMMAND on System and print its reply\n"
    "  script                     run ITEM:COMMAND lines read from standard input over\n"
    "                             one connection and print each reply on a line of its\n"
    "                             own: the script's texts and sessions stay its own\n"
    "                             while other scripts run (one call process per command\n"
    "                             works for one script at a time)\n"
    "  post MESSAGE               send a message to the program (1034 or 1035 run the\n"
    "                             status file's command)\n"
    "  status                     print the status file's values\n"
    "  watch                      print every item change until interrupted\n"
    "  show-calculator            show the calculator, as its global hotkey does\n"
    "  scan-clipboard             convert the amount in the clipboard, as its global\n"
    "                             hotkey does (bind these two to desktop shortcuts where\n"
    "                             Kassavero cannot grab keys itself, as on Wayland)\n"
    "  convert FILE [-o OUT] [--confirm | --per-amount]\n"
    "                             convert the amounts in a UTF-8 text file; without -o\n"
    "                             the result goes to standard output; --confirm asks in\n"
    "                             the program's confirmation dialog for each change;\n"
    "                             --per-amount confirms each change without the dialog,\n"
    "                             one call per step (for measurements)\n"
    "\n"
    "Exit status: 0 done, 1 usage, 2 Kassavero is not running, 3 Kassavero refused or\n"
    "answered with an error, 4 cancelled in the confirmation dialog or by Kassavero\n"
    "ending (the changes made until then are kept), 5 a file could not be read or\n"
    "written.\n";

class BusChannel final : public CommandChannel {
  public:
    explicit BusChannel(DdeClient& client) : client_(client) {}
    std::string Call(std::string_view item, std::string_view command) override {
        return client_.Call(item, command);
    }
    void Send(std::string_view item, std::string_view command) override {
        client_.Send(item, command);
    }

  private:
    DdeClient& client_;
};

using Arguments = std::vector<std::string>;

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

struct ConvertArguments {
    std::string input;
    std::string output;
    bool confirm = false;
    bool perAmount = false;
};

// FILE [-o OUT] [--confirm | --per-amount], options before or after the file ("-oOUT"
// and "--" as usual); nothing for anything else.
std::optional<ConvertArguments> ParseConvert(const Arguments& args) {
    ConvertArguments parsed;
    std::vector<std::string> files;
    bool outputGiven = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            files.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--confirm") {
            parsed.confirm = true;
        } else if (arg == "--per-amount") {
            parsed.perAmount = true;
        } else if (arg.starts_with("-o") && !outputGiven) {
            if (arg.size() > 2)
                parsed.output = arg.substr(2);
            else if (i + 1 < args.size())
                parsed.output = args[++i];
            else
                return std::nullopt;
            outputGiven = true;
        } else {
            return std::nullopt;
        }
    }
    // A name that looks like an option is never taken for the file.
    if (files.size() != 1 || files[0].empty() || files[0][0] == '-' ||
        (parsed.confirm && parsed.perAmount) || (outputGiven && parsed.output.empty()))
        return std::nullopt;
    parsed.input = files[0];
    return parsed;
}

// The whole of a file, also of a pipe ("<(...)"); nothing, with the reason, if it cannot
// be read.
std::optional<std::string> ReadWhole(const std::string& path, std::string& error) {
    const OwnedFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    FileRead read = ReadStream(file.get(), std::numeric_limits<std::size_t>::max(), path);
    if (read.outcome != FileRead::Outcome::Read) {
        error = std::move(read.error);
        return std::nullopt;
    }
    return std::move(read.bytes);
}

// The mode a new file gets from this process: rw for everyone the umask lets through.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

int Convert(DdeClient& client, const Arguments& args) {
    const std::optional<ConvertArguments> parsed = ParseConvert(args);
    if (!parsed) {
        std::cerr << kUsage;
        return kExitUsage;
    }
    const std::string& input = parsed->input;
    const std::string& output = parsed->output;
    std::string error;
    const std::optional<std::string> bytes = ReadWhole(input, error);
    if (!bytes) {
        std::cerr << "kassavero-dde: " << error << '\n';
        return kExitFile;
    }
    const std::string_view text(*bytes);
    client.EnsureRunning();
    DocumentConversionResult result;
    std::optional<WholeTextConversion> whole;
    if (!parsed->confirm && !parsed->perAmount)
        whole = client.ConvertWholeText("kassavero-dde", text);
    if (whole) {
        result.text = std::move(whole->text);
        result.found = whole->changes;
        result.changed = whole->changes;
    } else {
        DocumentConversionOptions options;
        options.confirm = parsed->confirm;
        options.takesWholeLines = client.BeginStepByStep();
        BusChannel channel(client);
        result = ConvertDocument(channel, text, options, "kassavero-dde");
    }
    using Outcome = DocumentConversionResult::Outcome;
    if (result.outcome == Outcome::NoSession) {
        std::cerr << "kassavero-dde: Kassavero could not open a session (" << result.error << ")\n";
        return kExitRefused;
    }
    if (result.outcome == Outcome::ProtocolError) {
        std::cerr << "kassavero-dde: Kassavero answered: " << result.error
                  << "\nThe file was left unchanged.\n";
        return kExitRefused;
    }
    if (output.empty()) {
        std::fwrite(result.text.data(), 1, result.text.size(), stdout);
        std::fflush(stdout);
    } else if (!ReplaceFileAtomically(output, result.text, error, NewFileMode())) {
        // The reason names the file.
        std::cerr << "kassavero-dde: cannot write: " << error << '\n';
        return kExitFile;
    }
    std::cerr << "kassavero-dde: " << result.changed << " of "
              << (result.allCounted ? "" : "at least ") << result.found << " amounts converted\n";
    if (result.outcome == Outcome::Cancelled) {
        std::cerr << "kassavero-dde: cancelled in the confirmation dialog, or Kassavero ended; "
                     "the changes made until then are kept\n";
        return kExitCancelled;
    }
    return kExitOk;
}

// One connection for every command of a script, so what it hands over and the sessions
// it opens are its own. Each reply is flushed at once: a script may read it before it
// writes its next command.
int Script(DdeClient& client) {
    client.EnsureRunning();
    int status = kExitOk;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) {
            std::cout << "ERROR. A command has the form <Item>:<Command>" << std::endl;
            status = kExitRefused;
            continue;
        }
        const std::string item = Lower(line.substr(0, colon));
        std::string reply;
        try {
            reply = client.Call(item, std::string_view(line).substr(colon + 1));
        } catch (const Refused& e) {
            reply = std::string("ERROR. ") + e.what();
        }
        std::cout << reply << std::endl;
        if (reply.rfind("ERROR.", 0) == 0)
            status = kExitRefused;
    }
    return status;
}

int Status() {
    PrivateProfileFile file(DefaultRegistryDirectory() / "KASSAVR.INI");
    for (const char32_t* key : {U"Runs", U"DDEStatus", U"DDEConv", U"DDEAck"}) {
        std::cout << TextToUtf8(key) << '='
                  << TextToUtf8(file.ReadString(U"General", key, U"", 1023)) << '\n';
    }
    return kExitOk;
}

struct GlobalOptions {
    std::string service = "kassavero";
    bool help = false;
    std::size_t command = 0;  // where the command stands in the arguments
};

// [--service NAME] [-h | --help] COMMAND ...: everything after the command is its own.
GlobalOptions ParseGlobal(const Arguments& arguments) {
    GlobalOptions options;
    std::size_t& next = options.command;
    for (; next < arguments.size(); ++next) {
        const std::string& arg = arguments[next];
        if (arg == "-h" || arg == "--help") {
            options.help = true;
        } else if (arg == "--service" && next + 1 < arguments.size()) {
            options.service = arguments[++next];
        } else if (arg.starts_with("--service=")) {
            options.service = arg.substr(std::strlen("--service="));
        } else if (arg == "--") {
            ++next;
            break;
        } else if (arg.starts_with("-")) {
            throw std::invalid_argument("usage");
        } else {
            break;
        }
    }
    return options;
}

int Run(const Arguments& arguments) {
    const GlobalOptions options = ParseGlobal(arguments);
    const std::size_t next = options.command;
    if (options.help) {
        std::cout << kUsage;
        return kExitOk;
    }
    if (next >= arguments.size()) {
        std::cerr << kUsage;
        return kExitUsage;
    }
    const std::string& command = arguments[next];
    const Arguments args(arguments.begin() + static_cast<std::ptrdiff_t>(next) + 1,
                         arguments.end());
    auto needs = [&](std::size_t count) {
        if (args.size() != count)
            throw std::invalid_argument("usage");
    };
    if (command == "status") {
        needs(0);
        return Status();
    }
    SdDdeBus bus;
    DdeClient client(bus, DdeBusName(options.service));
    if (command == "convert")
        return Convert(client, args);
    if (command == "script") {
        needs(0);
        return Script(client);
    }
    client.EnsureRunning();
    if (command == "execute") {
        needs(2);
        client.Execute(args[0], args[1]);
    } else if (command == "poke") {
        needs(3);
        client.Poke(args[0], args[1], args[2]);
    } else if (command == "request") {
        needs(2);
        std::cout << client.Request(args[0], args[1]);
    } else if (command == "call") {
        needs(2);
        const std::string reply = client.Call(Lower(args[0]), args[1]);
        std::cout << reply << '\n';
        if (reply.rfind("ERROR.", 0) == 0)
            return kExitRefused;
    } else if (command == "post") {
        needs(1);
        std::uint32_t message = 0;
        const std::string& number = args[0];
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), message);
        if (error != std::errc() || end != number.data() + number.size())
            throw std::invalid_argument("usage");
        client.Post(message);
    } else if (command == "show-calculator" || command == "scan-clipboard") {
        needs(0);
        client.Hotkey(command == "show-calculator" ? kCalculatorHotkeyId : kClipboardHotkeyId);
    } else if (command == "watch") {
        needs(0);
        client.Watch([](const std::string& item, const std::string& data) {
            std::cout << item << ": " << data << std::endl;
        });
    } else {
        throw std::invalid_argument("usage");
    }
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(Arguments(argv + 1, argv + argc));
    } catch (const std::invalid_argument&) {
        std::cerr << kUsage;
        return kExitUsage;
    } catch (const NotRunning& e) {
        if (!e.StartError().empty())
            std::cerr << "kassavero-dde: could not start Kassavero: " << e.StartError() << '\n';
        std::cerr << "kassavero-dde: " << e.what() << '\n';
        return kExitNotRunning;
    } catch (const Refused& e) {
        std::cerr << "kassavero-dde: " << e.what() << '\n';
        return kExitRefused;
    }
}
