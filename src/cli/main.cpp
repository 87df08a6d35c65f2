// rp770-cli: the command-line side of RP770.

#include <algorithm>
#include <clocale>
#include <iostream>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "core/CommandLine.h"
#include "core/Failure.h"
#include "desktop/DataFolder.h"
#include "desktop/StandardStreams.h"

namespace rp770::cli {

namespace {

void PrintUsage(std::ostream& out) {
    std::string text =
        "Usage: rp770-cli COMMAND [ARGUMENTS] [OPTIONS]\n"
        "   or: rp770-cli --help | --version\n"
        "\n"
        "Programming tool for the MR318 marine VHF radio, without a window: read and\n"
        "program the radio, convert, dump and report settings (.dat) and memory image\n"
        "(.hex) files.\n"
        "\n"
        "Commands:\n";
    auto commands = Commands();
    std::sort(commands.begin(), commands.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
    for (const Command& c : commands) text += "  " + c.synopsis + "\n      " + c.summary + "\n";
    text += "\n"
            "Options:\n"
            "  --help      show this text and exit; after a command, that command's help\n"
            "  --version   show the program's version and exit\n"
            "\n"
            "Files and streams:\n"
            "  -           as a file argument: standard input for a file a command reads,\n"
            "              standard output for a file it writes\n"
            "  FILE        any readable stream too (a FIFO, <(...), /dev/stdin); where either\n"
            "              kind is read, a name without .dat or .hex is told by its bytes\n"
            "\n"
            "Exit status:\n"
            "  0           success\n"
            "  1           the program refused or failed; its message is on standard error\n"
            "              and no output file is left (a failed write to standard output\n"
            "              included; diff says trouble with 2)\n"
            "  2           a wrong command line (a missing --port included)\n"
            "  141         standard output was a pipe its reader closed: the program ends\n"
            "              quietly, as GNU tools do\n"
            "\n"
            "Environment:\n" +
            std::string(rp770::platform::kDataDirVariableHelp) +
            "  XDG_STATE_HOME\n"
            "              the error log of --debug goes to $XDG_STATE_HOME/rp770 when the\n"
            "              program's folder is not writable (default ~/.local/state)\n"
            "  XDG_CONFIG_HOME\n"
            "              the folder of RP770/RP770.conf, whose remembered choices the\n"
            "              commands read but never change (default ~/.config)\n";
    out << WrapHelpText(text);
}

}  // namespace
}  // namespace rp770::cli

int main(int argc, char* argv[]) {
    using namespace rp770::cli;
    rp770::platform::PrepareStandardStreams();
    std::setlocale(LC_ALL, "");  // the user's locale, as in the window: no number may depend on it
    if (argc < 2) {
        PrintUsage(std::cerr);
        return kExitUsage;
    }
    const std::string command = argv[1];
    int status = kExitUsage;
    int trouble = kExitFailure;
    bool known = true;
    if (command == "--help" || command == "-h" || command == "help") {
        PrintUsage(std::cout);
        status = kExitOk;
    } else if (command == "--version") {
        std::cout << "rp770-cli (" << rp770::AppTitle << ") " << RP770_VERSION << "\n";
        status = kExitOk;
    } else {
        known = false;
        for (const Command& c : Commands()) {
            if (c.name == command) {
                status = c.run(std::vector<std::string>(argv + 2, argv + argc));
                trouble = c.trouble;
                known = true;
            }
        }
    }
    if (!known) {
        std::cerr << "rp770-cli: unknown command '" << command << "'\n\n";
        PrintUsage(std::cerr);
        return kExitUsage;
    }
    // Whatever went to standard output must have arrived; a failure the
    // command met has been said already.
    if (rp770::platform::StandardOutputError() == 0) {
        if (const int error = rp770::platform::FlushStandardOutput(); error != 0) {
            std::cerr << "rp770-cli: cannot write to standard output: " << rp770::ErrnoText(error) << "\n";
            return trouble;
        }
    }
    return status;
}
