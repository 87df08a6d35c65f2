// rp770-cli import-csv BASE.dat|BASE.hex IN.csv OUT.dat|OUT.hex: a
// spreadsheet table of channels laid over a settings or memory image file,
// saved as another. Any refused row refuses the whole table: every problem
// is said as "line N: reason" and no output file is written. "-" reads
// standard input or writes standard output (of BASE's kind).

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"

namespace rp770::cli {

namespace {

const char* kSynopsis = "import-csv BASE.dat|BASE.hex|- IN.csv|- OUT.dat|OUT.hex|-";

int RunImportCsv(const std::vector<std::string>& args) {
    CliSpec spec{kSynopsis, 3, 3, {}, {}, {}, {}, {}};
    spec.moreHelp = MessageId::CliHelpImport;
    return RunWithSession(args, spec, [](const CliOptions& options, CliSession& cli) {
        const std::vector<std::string>& files = options.positional;
        if (IsStandardStream(files[0]) && IsStandardStream(files[1])) {
            cli.console().Say("rp770-cli: only one of BASE and IN.csv can be standard input");
            return kExitUsage;
        }
        AppSession& session = cli.session();
        if (cli.Show(session.Open(files[0], KindOf(files[0]))) != kExitOk) return kExitFailure;
        if (cli.Show(session.ImportChannels(files[1])) != kExitOk) return kExitFailure;
        // OUT's kind by its name; standard output takes BASE's.
        const bool image = IsStandardStream(files[2]) ? session.openedMemoryImage() : IsMemoryImagePath(files[2]);
        return cli.Show(image ? session.SaveHex(files[2]) : session.SaveAs(files[2]));
    });
}

const Registration reg{"import-csv", kSynopsis, MessageId::CliSummaryImportCsv, &RunImportCsv};

}  // namespace
}  // namespace rp770::cli
