// rp770-cli dump IN.hex: the hex dump of a memory image file, as the
// window's hex dump shows it after the file was opened. "-" reads standard
// input.

#include <iostream>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/StdioFiles.h"
#include "core/HexDump.h"

namespace rp770::cli {

namespace {

int RunDump(const std::vector<std::string>& args) {
    const CliSpec spec{"dump IN.hex|-", 1, 1, {}, {}, {}, {}, {}};
    return RunWithSession(args, spec, [](const CliOptions& options, Workspace& ws) {
        StdioFiles stdio;
        const std::string in = stdio.Input(options.positional[0], ".hex");
        if (in.empty() || !ws.OpenHexFile(in)) return kExitFailure;
        for (const std::string& line : HexDumpLines(ws.data().image)) std::cout << line << "\n";
        return kExitOk;
    });
}

const Registration reg{"dump", "dump IN.hex|-", "print the hex dump of a memory image file", &RunDump};

}  // namespace
}  // namespace rp770::cli
