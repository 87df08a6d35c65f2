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

// One paragraph a line, wrapped for the terminal; the man page is made from this text.
const char* kImportHelp =
    "Reading the table:\n"
    "  Rows may come in any order, and any of them; Plan and Slot are needed, the other columns are taken where "
    "present and unknown ones ignored. A \";\" separator and \",\" decimal marks are read too. An empty switch, "
    "or an empty frequency of a USA, INT, CAN or WX channel, stays as it is; an empty EXP frequency is none; a "
    "Display shorter than 3 characters is filled up with blanks on the right.\n"
    "\n"
    "  A value equal to BASE's is always taken; a changed one only where the channel editor takes it: EXP "
    "frequencies of 137 to 174 MHz on a 25 kHz step, display characters the radio can show, switches the channel "
    "can have, an enabled EXP channel with its RX frequency and display. The frequencies of the channel plans do "
    "not change (RxMHz follows Duplex).\n"
    "\n"
    "  One refused row refuses the whole table: every problem is said as \"line N: reason\" (the header is line "
    "1), nothing is written and the exit status is 1.\n"
    "\n"
    "  The columns are those export-csv writes (rp770-cli export-csv --help lists them).\n";

int RunImportCsv(const std::vector<std::string>& args) {
    CliSpec spec{kSynopsis, 3, 3, {}, {}, {}, {}, {}};
    spec.moreHelp = kImportHelp;
    return RunWithSession(args, spec, [](const CliOptions& options, CliSession& cli) {
        const std::vector<std::string>& files = options.positional;
        if (IsStandardStream(files[0]) && IsStandardStream(files[1])) {
            cli.console().Say("rp770-cli: only one of BASE and IN.csv can be standard input");
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

const Registration reg{"import-csv", kSynopsis,
                       "lay a spreadsheet table of channels (as export-csv writes it) over BASE and save the result; "
                       "one refused row refuses the whole table",
                       &RunImportCsv};

}  // namespace
}  // namespace rp770::cli
