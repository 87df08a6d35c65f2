#pragma once
// The command table of rp770-cli. A command file registers itself:
//
//   static const rp770::cli::Registration reg{"dump", "dump IN.hex", "print the hex dump", &RunDump};
//
// RunDump receives the arguments after the command name. `trouble` is the
// exit status when output that was written could not be delivered in the
// end (1, or 2 for diff, whose 1 means "they differ").

#include <string>
#include <vector>

namespace rp770::cli {

using CommandFn = int (*)(const std::vector<std::string>& args);

struct Command {
    std::string name;
    std::string synopsis;
    std::string summary;
    CommandFn run;
    int trouble = 1;
};

std::vector<Command>& Commands();

struct Registration {
    Registration(std::string name, std::string synopsis, std::string summary, CommandFn run, int trouble = 1) {
        Commands().push_back({std::move(name), std::move(synopsis), std::move(summary), run, trouble});
    }
};

}  // namespace rp770::cli
