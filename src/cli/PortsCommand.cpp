// rp770-cli ports: the serial ports the system reports, one a line: the
// device, then what is known of it.

#include <iostream>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "platform/SerialPortList.h"

namespace rp770::cli {

namespace {

int RunPorts(const std::vector<std::string>& args) {
    const CliSpec spec{"ports", 0, 0, {}, {}, {}, {}, {}};
    int exitCode = kExitUsage;
    if (!ParseCliOptions(args, spec, exitCode)) return exitCode;
    for (const platform::SerialPortEntry& port : platform::ListSerialPorts()) {
        const std::string description = port.Description();
        std::cout << port.device << (description.empty() ? "" : "  " + description) << "\n";
    }
    return kExitOk;
}

const Registration reg{"ports", "ports",
                       "list the serial ports the system reports: the device (what --port takes), then its "
                       "maker and product, USB vendor:product, serial number and lasting /dev/serial/by-id name "
                       "where known (--port sim, the built-in simulated radio, needs no port)",
                       &RunPorts};

}  // namespace
}  // namespace rp770::cli
