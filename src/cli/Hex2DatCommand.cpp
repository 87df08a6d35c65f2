// rp770-cli hex2dat IN.hex OUT.dat: a new data set on the destination, the
// memory image file opened, the settings text file saved. "-" reads
// standard input, writes standard output.

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/StdioFiles.h"

namespace rp770::cli {

namespace {

int RunHex2Dat(const std::vector<std::string>& args) {
    const CliSpec spec{"hex2dat IN.hex|- OUT.dat|-", 2, 2, {}, {}, {}, {}, {}};
    return RunWithSession(args, spec, [](const CliOptions& options, Workspace& ws) {
        StdioFiles stdio;
        const std::string in = stdio.Input(options.positional[0], ".hex");
        const std::string out = stdio.Output(options.positional[1], ".dat");
        if (in.empty() || out.empty()) return kExitFailure;
        if (!ws.OpenHexFile(in)) return kExitFailure;
        if (!ws.SaveDatFile(out)) return kExitFailure;
        return stdio.SendOutputs() ? kExitOk : kExitFailure;
    });
}

const Registration reg{"hex2dat", "hex2dat IN.hex|- OUT.dat|-", "convert a memory image file into a settings text file",
                       &RunHex2Dat};

}  // namespace
}  // namespace rp770::cli
