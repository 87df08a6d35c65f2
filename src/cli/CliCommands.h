#pragma once
// The command table of rp770-cli. A command file registers itself:
//
//   static const rp770::cli::Registration reg{"dump", "dump IN.hex", MessageId::CliSummaryDump, &RunDump};
//
// RunDump receives the arguments after the command name. `trouble` is the
// exit status when output that was written could not be delivered in the
// end (1, or 2 for diff, whose 1 means "they differ").

#include <string>
#include <vector>

#include "messages/MessageText.h"

namespace rp770::cli {

using CommandFn = int (*)(const std::vector<std::string>& args);

struct Command {
    std::string name;
    std::string synopsis;
    MessageText summary;  // what it does, in lower case (the help's list); its own help starts it with a capital
    CommandFn run;
    int trouble = 1;
};

std::vector<Command>& Commands();

struct Registration {
    Registration(std::string name, std::string synopsis, MessageText summary, CommandFn run, int trouble = 1) {
        Commands().push_back({std::move(name), std::move(synopsis), std::move(summary), run, trouble});
    }
};

}  // namespace rp770::cli
