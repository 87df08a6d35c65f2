// rp770-cli diff A B: the differences between two settings or memory image
// files, each read as the window opens it, one line per differing field.
// As diff(1): exit 0 and nothing printed when they are the same, 1 when they
// differ, 2 on trouble (output that could not be written included). Either
// may be a stream ("-", a FIFO, <(...)): told by its bytes.

#include <optional>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "workspace/DataDiff.h"

namespace rp770::cli {

namespace {

const char* kSynopsis = "diff A.dat|A.hex|- B.dat|B.hex|-";
constexpr int kExitSame = 0;
constexpr int kExitDiffer = 1;
constexpr int kExitTrouble = 2;

int RunDiff(const std::vector<std::string>& args) {
    CliSpec spec{kSynopsis, 2, 2, {}, {}, {}, {}, {}};
    spec.moreHelp = MessageId::CliHelpDiff;
    return RunWithSession(
        args, spec,
        [](const CliOptions& options, CliSession& cli) {
            const std::vector<std::string>& files = options.positional;
            if (IsStandardStream(files[0]) && IsStandardStream(files[1])) {
                cli.console().Say(Words(MessageId::CliProblem, MessageText(MessageId::CliOneStandardInputAB)));
                return kExitTrouble;
            }
            std::optional<DataSet> sides[2];
            for (size_t i = 0; i < 2; ++i) {
                Outcome read;
                sides[i] = cli.session().ReadDataFile(files[i], read, KindOf(files[i]));
                if (cli.Show(read, kExitTrouble) != kExitOk) return kExitTrouble;
            }
            std::string lines;
            const std::vector<Difference> differences = CompareDataSets(*sides[0], *sides[1]);
            for (const Difference& d : differences) lines += DifferenceLine(d) + "\n";
            if (!PrintListing(lines)) return kExitTrouble;
            return differences.empty() ? kExitSame : kExitDiffer;
        },
        kExitTrouble);
}

const Registration reg{"diff", kSynopsis, MessageId::CliSummaryDiff, &RunDiff, kExitTrouble};

}  // namespace
}  // namespace rp770::cli
