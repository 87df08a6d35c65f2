// rp770-cli: the command-line side of RP770.

#include <algorithm>
#include <clocale>
#include <iostream>
#include <string>

#include "cli/CliCommands.h"
#include "core/CommandLine.h"

namespace rp770::cli {

std::vector<Command>& Commands() {
    static std::vector<Command> commands;
    return commands;
}

namespace {

void PrintUsage(std::ostream& out) {
    out << "Usage: rp770-cli COMMAND [ARGUMENTS]\n"
           "\n"
           "Programming tool for the MR318 marine VHF radio, without a window.\n"
           "\n"
           "Commands:\n";
    auto commands = Commands();
    std::sort(commands.begin(), commands.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
    for (const Command& c : commands) out << "  " << c.synopsis << "\n      " << c.summary << "\n";
    out << "  --help\n      show this text\n"
           "  --version\n      show the program's version\n";
}

}  // namespace
}  // namespace rp770::cli

int main(int argc, char* argv[]) {
    using namespace rp770::cli;
    std::setlocale(LC_ALL, "");  // the user's locale, as in the window: no number may depend on it
    if (argc < 2) {
        PrintUsage(std::cerr);
        return 2;
    }
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        PrintUsage(std::cout);
        return 0;
    }
    if (command == "--version") {
        std::cout << "rp770-cli (" << rp770::AppTitle << ") " << RP770_VERSION << "\n";
        return 0;
    }
    for (const Command& c : Commands()) {
        if (c.name == command) return c.run(std::vector<std::string>(argv + 2, argv + argc));
    }
    std::cerr << "rp770-cli: unknown command '" << command << "'\n\n";
    PrintUsage(std::cerr);
    return 2;
}
