// rp770-cli hex2dat IN.hex OUT.dat and dat2hex IN.dat OUT.hex: a new data set
// on the destination, one file opened, the other saved (a memory image file
// encoded and with the start channel fixed, as it would go to the radio).
// "-" reads standard input, writes standard output.

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/StdioFiles.h"

namespace rp770::cli {

namespace {

using Open = bool (Workspace::*)(const std::string&);
using Save = bool (Workspace::*)(const std::string&);

int Convert(const std::vector<std::string>& args, const std::string& synopsis, const char* inSuffix, Open open,
            const char* outSuffix, Save save) {
    const CliSpec spec{synopsis, 2, 2, {}, {}, {}, {}, {}};
    return RunWithSession(args, spec, [&](const CliOptions& options, Workspace& ws) {
        StdioFiles stdio;
        const std::string in = stdio.Input(options.positional[0], inSuffix);
        const std::string out = stdio.Output(options.positional[1], outSuffix);
        if (in.empty() || out.empty()) return kExitFailure;
        if (!(ws.*open)(in) || !(ws.*save)(out)) return kExitFailure;
        return stdio.SendOutputs() ? kExitOk : kExitFailure;
    });
}

constexpr const char* kHex2Dat = "hex2dat IN.hex|- OUT.dat|-";
constexpr const char* kDat2Hex = "dat2hex IN.dat|- OUT.hex|-";

int RunHex2Dat(const std::vector<std::string>& args) {
    return Convert(args, kHex2Dat, ".hex", &Workspace::OpenHexFile, ".dat", &Workspace::SaveDatFile);
}

int RunDat2Hex(const std::vector<std::string>& args) {
    return Convert(args, kDat2Hex, ".dat", &Workspace::OpenDatFile, ".hex", &Workspace::SaveHexFile);
}

const Registration hex2dat{"hex2dat", kHex2Dat, "convert a memory image file into a settings text file", &RunHex2Dat};
const Registration dat2hex{"dat2hex", kDat2Hex, "convert a settings text file into a memory image file", &RunDat2Hex};

}  // namespace
}  // namespace rp770::cli
