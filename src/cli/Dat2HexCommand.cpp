// rp770-cli dat2hex IN.dat OUT.hex: a new data set on the destination, the
// settings text file opened, the memory image file saved (encoded and with
// the start channel fixed, as it would go to the radio).

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"

namespace rp770::cli {

namespace {

int RunDat2Hex(const std::vector<std::string>& args) {
    const CliSpec spec{"dat2hex IN.dat OUT.hex", 2, 2, {}, {}};
    return RunWithSession(args, spec, [](const CliOptions& options, Workspace& ws) {
        if (!ws.OpenDatFile(options.positional[0])) return kExitFailure;
        if (!ws.SaveHexFile(options.positional[1])) return kExitFailure;
        return kExitOk;
    });
}

const Registration reg{"dat2hex", "dat2hex IN.dat OUT.hex", "convert a settings text file into a memory image file",
                       &RunDat2Hex};

}  // namespace
}  // namespace rp770::cli
