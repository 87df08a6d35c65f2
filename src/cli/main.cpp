// rp770-cli: the command-line side of RP770.

#include <cstring>
#include <iostream>
#include <string>

#include "core/CommandLine.h"

namespace {

void PrintUsage(std::ostream& out) {
    out << "Usage: rp770-cli COMMAND [OPTIONS]\n"
           "\n"
           "Programming tool for the MR318 marine VHF radio, without a window.\n"
           "\n"
           "Options:\n"
           "  --help       show this text\n"
           "  --version    show the program's version\n";
}

}  // namespace

int main(int argc, char* argv[]) {
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
        std::cout << rp770::AppTitle << "-cli " << RP770_VERSION << "\n";
        return 0;
    }
    std::cerr << "rp770-cli: unknown command '" << command << "'\n\n";
    PrintUsage(std::cerr);
    return 2;
}
