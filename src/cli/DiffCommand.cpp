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
    spec.moreHelp =
        "Output:\n"
        "  One line per differing field, AREA CHANNEL: FIELD A-VALUE -> B-VALUE, in the order of the report:\n"
        "\n"
        "    Groups USA: Priority CH 16 -> 09\n"
        "    Common: Dual Watch off -> on\n"
        "    USA 21A: Scan off -> on\n"
        "    EXP 3: RX 157.0125 -> 157.0250\n"
        "\n"
        "  The areas are Groups, Common, ATIS, USA, INT, CAN, WX and EXP; texts are quoted.\n"
        "\n"
        "Exit status:\n"
        "  0           the two are the same (nothing is printed)\n"
        "  1           they differ\n"
        "  2           trouble: a missing or refused file, output that could not be written, or a wrong\n"
        "              command line\n";
    return RunWithSession(
        args, spec,
        [](const CliOptions& options, CliSession& cli) {
            const std::vector<std::string>& files = options.positional;
            if (IsStandardStream(files[0]) && IsStandardStream(files[1])) {
                cli.console().Say("rp770-cli: only one of A and B can be standard input");
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

const Registration reg{"diff", kSynopsis,
                       "compare two settings or memory image files field by field, each read as the window opens "
                       "it; exit 0 when the same, 1 when they differ, 2 on trouble",
                       &RunDiff, kExitTrouble};

}  // namespace
}  // namespace rp770::cli
