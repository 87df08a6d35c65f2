// rp770-cli diff A B: the differences between two settings or memory image
// files, each read as the window opens it, one line per differing field.
// As diff(1): exit 0 and nothing printed when they are the same, 1 when they
// differ, 2 on trouble.

#include <iostream>
#include <optional>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/StdioFiles.h"
#include "platform/StandardStreams.h"
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
        "  2           trouble: a missing or refused file, or a wrong command line\n";
    bool compared = false;
    const int status = RunWithSession(args, spec, [&](const CliOptions& options, Workspace& ws) {
        compared = true;
        const std::vector<std::string>& files = options.positional;
        if (StdioFiles::IsStandardStream(files[0]) && StdioFiles::IsStandardStream(files[1])) {
            std::cerr << "rp770-cli: only one of A and B can be standard input\n";
            return kExitTrouble;
        }
        StdioFiles stdio;
        std::optional<DataSet> sides[2];
        for (int i = 0; i < 2; ++i) {
            const std::string path = stdio.Input(files[static_cast<size_t>(i)], "");
            if (path.empty() || !(sides[i] = ws.ReadDataFile(path))) return kExitTrouble;
        }
        const std::vector<Difference> differences = CompareDataSets(*sides[0], *sides[1]);
        for (const Difference& d : differences) std::cout << DifferenceLine(d) << "\n";
        if (std::string error; !platform::FlushStandardOutput(error)) {
            std::cerr << "rp770-cli: cannot write to standard output: " << error << "\n";
            return kExitTrouble;
        }
        return differences.empty() ? kExitSame : kExitDiffer;
    });
    // The session could not start (no data folder, say): trouble as well.
    return compared || status == kExitOk ? status : kExitTrouble;
}

const Registration reg{"diff", kSynopsis,
                       "compare two settings or memory image files field by field, each read as the window opens "
                       "it; exit 0 when the same, 1 when they differ, 2 on trouble",
                       &RunDiff};

}  // namespace
}  // namespace rp770::cli
