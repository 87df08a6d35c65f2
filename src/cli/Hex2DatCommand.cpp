// rp770-cli hex2dat IN.hex OUT.dat: a new data set on the destination, the
// memory image file opened, the settings text file saved.

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"

namespace rp770::cli {

namespace {

int RunHex2Dat(const std::vector<std::string>& args) {
    const CliSpec spec{"hex2dat IN.hex OUT.dat", 2, 2, {}, {}};
    return RunWithSession(args, spec, [](const CliOptions& options, Workspace& ws) {
        if (!ws.OpenHexFile(options.positional[0])) return kExitFailure;
        if (!ws.SaveDatFile(options.positional[1])) return kExitFailure;
        return kExitOk;
    });
}

const Registration reg{"hex2dat", "hex2dat IN.hex OUT.dat", "convert a memory image file into a settings text file",
                       &RunHex2Dat};

}  // namespace
}  // namespace rp770::cli
