// rp770-cli destinations: the Destination menu's names in menu order, the
// one a new data set loads marked with "* ".

#include <iostream>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"

namespace rp770::cli {

namespace {

int RunDestinations(const std::vector<std::string>& args) {
    const CliSpec spec{"destinations", 0, 0, {}, {}, {}, {}, {}};
    int exitCode = kExitUsage;
    const auto options = ParseCliOptions(args, spec, exitCode);
    if (!options) return exitCode;
    CliSession session(*options);
    exitCode = session.Open();
    const DestinationMenu& menu = session.workspace().destinations();
    for (size_t i = 0; i < menu.names.size(); ++i)
        std::cout << (static_cast<int>(i) == menu.checked ? "* " : "  ") << menu.names[i] << "\n";
    return exitCode;
}

const Registration reg{"destinations", "destinations",
                       "list the destinations; \"* \" marks the one a new data set starts from", &RunDestinations};

}  // namespace
}  // namespace rp770::cli
