// rp770-cli dump IN.hex: the hex dump of a memory image file, as the
// window's hex dump shows it after the file was opened. "-" reads standard
// input.

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "core/HexDump.h"

namespace rp770::cli {

namespace {

int RunDump(const std::vector<std::string>& args) {
    const CliSpec spec{"dump IN.hex|-", 1, 1, {}, {}, {}, {}, {}};
    return RunWithSession(args, spec, [](const CliOptions& options, CliSession& cli) {
        if (cli.Show(cli.session().Open(options.positional[0], FileKind::MemoryImage)) != kExitOk) return kExitFailure;
        std::string text;
        for (const std::string& line : HexDumpLines(cli.session().data().image)) text += line + "\n";
        return PrintListing(text) ? kExitOk : kExitFailure;
    });
}

const Registration reg{"dump", "dump IN.hex|-", MessageId::CliSummaryDump, &RunDump};

}  // namespace
}  // namespace rp770::cli
