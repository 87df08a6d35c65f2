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
            cli.console().Say(Words(MessageId::CliProblem, MessageText(MessageId::CliOneStandardInputImport)));
            return kExitUsage;
        }
        // OUT is BASE itself (updated in place, in its own kind), or of the kind its name says.
        const bool inPlace = IsSameFile(files[2], files[0]);
        const FileContent base = ContentOf(KindOf(files[0]));
        const FileContent out = inPlace                      ? base
                                : IsMemoryImagePath(files[2]) ? FileContent::MemoryImage
                                                              : FileContent::SettingsText;
        if (!OutputsSpareInputs(cli.console(), {{files[2], out}}, {{files[0], base}, {files[1], FileContent::ChannelTable}}))
            return kExitFailure;
        AppSession& session = cli.session();
        if (cli.Show(session.Open(files[0], KindOf(files[0]))) != kExitOk) return kExitFailure;
        if (cli.Show(session.ImportChannels(files[1])) != kExitOk) return kExitFailure;
        // Standard output and an update in place take BASE's kind.
        const bool image = IsStandardStream(files[2]) || inPlace ? session.openedMemoryImage() : IsMemoryImagePath(files[2]);
        return cli.Show(image ? session.SaveHex(files[2]) : session.SaveAs(files[2]));
    });
}

const Registration reg{"import-csv", kSynopsis, MessageId::CliSummaryImportCsv, &RunImportCsv};

}  // namespace
}  // namespace rp770::cli
