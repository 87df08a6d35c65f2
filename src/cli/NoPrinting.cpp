// The printed report in a build without Qt: asked for, it is refused.
#include "cli/Printing.h"

namespace rp770::cli {

int CheckPrintOptions(const CliOptions& options, Console& console) {
    if (!options.Value("--pdf") && !options.Has("--print")) return kExitOk;
    console.Say(Words(MessageId::CliProblem, MessageText(kCannotPrint)));
    return kExitFailure;
}

int PrintReport(const CliOptions&, CliSession&, const DataSet&, const std::string&) { return kExitOk; }

}  // namespace rp770::cli
