// rp770-cli export-csv IN.dat|IN.hex OUT.csv: the channels of a settings or
// memory image file as a spreadsheet table. "-" reads standard input or
// writes standard output; a stream is a memory image when it holds bytes no
// text holds.

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"

namespace rp770::cli {

namespace {

const char* kSynopsis = "export-csv IN.dat|IN.hex|- OUT.csv|-";

int RunExportCsv(const std::vector<std::string>& args) {
    CliSpec spec{kSynopsis, 2, 2, {}, {}, {}, {}, {}};
    spec.moreHelp = MessageId::CliHelpExportColumns;
    return RunWithSession(args, spec, [](const CliOptions& options, CliSession& cli) {
        const std::string& in = options.positional[0];
        if (!OutputsSpareInputs(cli.console(), {{options.positional[1], FileContent::ChannelTable}},
                                {{in, ContentOf(KindOf(in))}}))
            return kExitFailure;
        if (cli.Show(cli.session().Open(in, KindOf(in))) != kExitOk) return kExitFailure;
        return cli.Show(cli.session().ExportChannels(options.positional[1]));
    });
}

const Registration reg{"export-csv", kSynopsis, MessageId::CliSummaryExportCsv, &RunExportCsv};

}  // namespace
}  // namespace rp770::cli
