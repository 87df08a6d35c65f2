// rp770-cli ports: the SerialPort menu's entries, one a line: what --port
// takes for it, then what is known of it.

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "desktop/FileSettingsStore.h"
#include "desktop/SerialPortList.h"

namespace rp770::cli {

namespace {

int RunPorts(const std::vector<std::string>& args) {
    const CliSpec spec{"ports", 0, 0, {}, {}, {}, {}, {}};
    int status = kExitUsage;
    if (!ParseCliOptions(args, spec, status)) return status;
    const platform::FileSettingsStore store;
    const SystemPorts system = platform::SystemSerialPorts();
    std::string text;
    for (const PortEntry& entry : PortEntries(system, StartingPortSelection(store, system))) {
        std::string said = entry.label == entry.device ? "" : entry.label;
        if (!entry.description.empty()) said += (said.empty() ? "" : ", ") + entry.description;
        if (entry.checked) said += said.empty() ? "(chosen)" : " (chosen)";
        text += entry.device + (said.empty() ? "" : "  " + said) + "\n";
    }
    return PrintListing(text) ? kExitOk : kExitFailure;
}

const Registration reg{"ports", "ports", MessageId::CliSummaryPorts,
                       &RunPorts};

}  // namespace
}  // namespace rp770::cli
