// rp770-cli probe --port DEVICE: is the cable there, does a radio answer,
// which model is it?

#include "cli/CliCommands.h"
#include "core/Titles.h"
#include "cli/CliOptions.h"
#include "cli/TransferCommands.h"
#include "desktop/InterruptCatcher.h"
#include "messages/MessageText.h"

namespace rp770::cli {

namespace {

const CliSpec kProbeSpec{"probe --port DEVICE", 0, 0, {"--port", "--fault"}, {"--debug", "--no-echo"}, {"--port"},
                         LinkOptionHelp(false), {}};

int RunProbe(const std::vector<std::string>& args) {
    int status = kExitUsage;
    const auto options = ParseCliOptions(args, kProbeSpec, status);
    if (!options) return status;
    CliSession cli(*options, true);
    if (status = cli.Start(); status != kExitOk) return status;
    ProgressBar bar(options->Has("--debug"));
    const platform::InterruptCatcher interrupts;
    const auto link = Connect(*options, Words(MessageId::TestConnection), cli, bar);
    if (!link) return kExitUsage;
    const ProbeOutcome probe = cli.session().TestConnection();
    cli.session().SetLink(nullptr);
    if (platform::InterruptCatcher::Requested()) return Interrupted(cli.console(), Words(MessageId::CliInterruptedProbe).c_str());
    cli.console().EndBar();
    // What was found is the command's output; what went wrong, its message.
    if (probe.Ok()) return PrintListing(probe.report.Text() + "\n") ? kExitOk : kExitFailure;
    return cli.Show(probe);
}

const Registration reg{"probe", kProbeSpec.synopsis, MessageId::CliSummaryProbe,
                       &RunProbe};

}  // namespace
}  // namespace rp770::cli
