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

// One paragraph or entry a line, wrapped for the terminal; the man page is made from this text.
const char* kColumnsHelp =
    "Columns:\n"
    "  The table is CSV (RFC 4180) in UTF-8 with CR LF line ends, comma separators and \".\" decimal marks: a "
    "header row, then one row per channel, USA, INT, CAN, WX and EXP in turn.\n"
    "\n"
    "  Plan        USA, INT, CAN, WX (models with weather channels only) or EXP\n"
    "  Slot        0-113 for USA, INT and CAN; the position 1-10 for WX; 1-20 for EXP\n"
    "  Channel     the name the channel list shows (16, 01A, WX01[162.550MHz], 3); not read back\n"
    "  Tag         the channel's tag (DISTRESS, ...); not read back\n"
    "  RxMHz       the receive frequency in use (the duplex one with Duplex on), 4 decimals;\n"
    "              empty where there is none\n"
    "  TxMHz       the transmit frequency; empty for a receive-only channel or where there is none\n"
    "  Enable      1 or 0; import also reads yes/no, true/false and on/off, in any case\n"
    "  Scan        scan memory, 1 or 0\n"
    "  Duplex      1 or 0; empty for WX and EXP\n"
    "  TxEnable    1 or 0; empty for WX and EXP\n"
    "  LowPower    1 or 0; empty for WX\n"
    "  PowerUp     1 or 0; empty for WX\n"
    "  Display     the three display characters of an EXP channel; empty elsewhere\n"
    "\n"
    "  No cell runs as a formula in a spreadsheet: a cell of Channel, Tag or Display that begins with =, +, -, @, a "
    "tab or a carriage return, or with an apostrophe, is written with a leading apostrophe, which spreadsheets show "
    "as text ('=1+2, '-1A); import-csv drops one leading apostrophe from Display. The other columns hold numbers and "
    "fixed words and are never marked.\n";

int RunExportCsv(const std::vector<std::string>& args) {
    CliSpec spec{kSynopsis, 2, 2, {}, {}, {}, {}, {}};
    spec.moreHelp = kColumnsHelp;
    return RunWithSession(args, spec, [](const CliOptions& options, CliSession& cli) {
        const std::string& in = options.positional[0];
        if (!OutputsSpareInputs(cli.console(), {{options.positional[1], FileContent::ChannelTable}},
                                {{in, ContentOf(KindOf(in))}}))
            return kExitFailure;
        if (cli.Show(cli.session().Open(in, KindOf(in))) != kExitOk) return kExitFailure;
        return cli.Show(cli.session().ExportChannels(options.positional[1]));
    });
}

const Registration reg{"export-csv", kSynopsis,
                       "write the channels as a spreadsheet table (CSV), one row per channel",
                       &RunExportCsv};

}  // namespace
}  // namespace rp770::cli
