// rp770-cli destinations: the Destination menu's names in menu order, the
// one a new data set loads marked with "* ".

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"

namespace rp770::cli {

namespace {

int RunDestinations(const std::vector<std::string>& args) {
    const CliSpec spec{"destinations", 0, 0, {}, {}, {}, {}, {}};
    int status = kExitUsage;
    const auto options = ParseCliOptions(args, spec, status);
    if (!options) return status;
    CliSession cli(*options);
    status = cli.Start();
    const DestinationMenu& menu = cli.session().workspace().destinations();
    std::string text;
    for (size_t i = 0; i < menu.names.size(); ++i)
        text += (static_cast<int>(i) == menu.checked ? "* " : "  ") + menu.names[i] + "\n";
    return PrintListing(text) ? status : kExitFailure;
}

const Registration reg{"destinations", "destinations", MessageId::CliSummaryDestinations, &RunDestinations};

}  // namespace
}  // namespace rp770::cli
