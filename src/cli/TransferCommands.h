#pragma once
// What `read`, `program` and `probe` share: the terminal as the transfer
// dialog, and the link the session's transfers run on.

#include <memory>
#include <string>
#include <vector>

#include "cli/CliConsole.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/LinkSession.h"

namespace rp770::cli {

// The options of the commands that talk to the radio (--port, --debug,
// --no-echo, --fault; --yes and --no where the radio asks questions), for --help.
std::vector<OptionHelp> LinkOptionHelp(bool questions);

// Opens the link as the transfer dialog has it (the port, the faults of the
// simulated radio, Ctrl+C as Cancel, `bar` as its progress) and gives it to
// the session; null, after saying why, when the command line names no
// usable port or fault (a wrong command line: kExitUsage).
std::unique_ptr<LinkSession> Connect(const CliOptions& options, const std::string& title, CliSession& cli,
                                     ProgressBar& bar);

// Ctrl+C or a request to terminate ended the transfer: the terminal is put
// right, the shell told, and the exit status returned.
int Interrupted(Console& console, const char* what);

}  // namespace rp770::cli
