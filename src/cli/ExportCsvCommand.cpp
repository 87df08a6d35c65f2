// rp770-cli export-csv IN.dat|IN.hex OUT.csv: the channels of a settings or
// memory image file as a spreadsheet table. "-" reads standard input (a
// memory image when it holds bytes no text holds) or writes standard output.

#include "cli/ChannelCsvHelp.h"
#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/StdioFiles.h"

namespace rp770::cli {

namespace {

const char* kSynopsis = "export-csv IN.dat|IN.hex|- OUT.csv|-";

int RunExportCsv(const std::vector<std::string>& args) {
    CliSpec spec{kSynopsis, 2, 2, {}, {}, {}, {}, {}};
    spec.moreHelp = kChannelCsvColumnsHelp;
    return RunWithSession(args, spec, [](const CliOptions& options, Workspace& ws) {
        StdioFiles stdio;
        const std::string in = stdio.Input(options.positional[0], "");
        const std::string out = stdio.Output(options.positional[1], ".csv");
        if (in.empty() || out.empty() || !OpenDataFile(ws, in) || !ws.ExportChannels(out)) return kExitFailure;
        return stdio.SendOutputs() ? kExitOk : kExitFailure;
    });
}

const Registration reg{"export-csv", kSynopsis,
                       "write the channels as a spreadsheet table (CSV), one row per channel",
                       &RunExportCsv};

}  // namespace
}  // namespace rp770::cli
