// rp770-cli probe --port DEVICE: is the cable there, does a radio answer,
// which model is it?

#include <iostream>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/TransferCommands.h"
#include "platform/InterruptCatcher.h"

namespace rp770::cli {

namespace {

const CliSpec kProbeSpec{"probe --port DEVICE", 0, 0, {"--port", "--fault"}, {"--debug", "--no-echo"}, {"--port"},
                         LinkOptionHelp(false), {}};

int RunProbe(const std::vector<std::string>& args) {
    int exitCode = kExitUsage;
    const auto options = ParseCliOptions(args, kProbeSpec, exitCode);
    if (!options) return exitCode;
    TerminalObserver observer(options->Has("--debug"));
    TerminalPrompter prompter(TerminalPrompter::Policy::No, observer);
    const platform::InterruptCatcher interrupts;
    auto link = Connect(*options, "Test Connection", prompter, observer);
    if (!link) return kExitFailure;
    const link::ProbeReport report = link->Link().Probe();
    link.reset();
    if (platform::InterruptCatcher::Requested()) return Interrupted(observer, "the connection test was stopped.");
    observer.EndBar();
    (report.RadioFound() ? std::cout : std::cerr) << report.Text() << "\n";
    return report.RadioFound() ? kExitOk : kExitFailure;
}

const Registration reg{"probe", kProbeSpec.synopsis,
                       "test the connection: open the port, check the cable's echo, ask the radio for its status "
                       "and model code, and say what was found; exit status 0 only when an MR318 answered",
                       &RunProbe};

}  // namespace
}  // namespace rp770::cli
