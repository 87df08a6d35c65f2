// rp770-cli dat2hex IN.dat OUT.hex: a new data set on the destination, the
// settings text file opened, the memory image file saved (encoded and with
// the start channel fixed, as it would go to the radio). "-" reads standard
// input, writes standard output.

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/StdioFiles.h"

namespace rp770::cli {

namespace {

int RunDat2Hex(const std::vector<std::string>& args) {
    const CliSpec spec{"dat2hex IN.dat|- OUT.hex|-", 2, 2, {}, {}, {}, {}, {}};
    return RunWithSession(args, spec, [](const CliOptions& options, Workspace& ws) {
        StdioFiles stdio;
        const std::string in = stdio.Input(options.positional[0], ".dat");
        const std::string out = stdio.Output(options.positional[1], ".hex");
        if (in.empty() || out.empty()) return kExitFailure;
        if (!ws.OpenDatFile(in)) return kExitFailure;
        if (!ws.SaveHexFile(out)) return kExitFailure;
        return stdio.SendOutputs() ? kExitOk : kExitFailure;
    });
}

const Registration reg{"dat2hex", "dat2hex IN.dat|- OUT.hex|-", "convert a settings text file into a memory image file",
                       &RunDat2Hex};

}  // namespace
}  // namespace rp770::cli
