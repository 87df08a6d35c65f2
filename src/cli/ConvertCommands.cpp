// rp770-cli hex2dat IN.hex OUT.dat and dat2hex IN.dat OUT.hex: a new data set
// on the destination, one file opened, the other saved (a memory image file
// encoded and with the start channel fixed, as it would go to the radio).
// "-" reads standard input, writes standard output.

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"

namespace rp770::cli {

namespace {

int Convert(const std::vector<std::string>& args, const char* synopsis, bool fromImage) {
    const CliSpec spec{synopsis, 2, 2, {}, {}, {}, {}, {}};
    return RunWithSession(args, spec, [&](const CliOptions& options, CliSession& cli) {
        AppSession& session = cli.session();
        const std::string& in = options.positional[0];
        const std::string& out = options.positional[1];
        const FileContent image = FileContent::MemoryImage, text = FileContent::SettingsText;
        if (!OutputsSpareInputs(cli.console(), {{out, fromImage ? text : image}}, {{in, fromImage ? image : text}}))
            return kExitFailure;
        if (cli.Show(session.Open(in, fromImage ? FileKind::MemoryImage : FileKind::Settings)) != kExitOk)
            return kExitFailure;
        return cli.Show(fromImage ? session.SaveAs(out) : session.SaveHex(out));
    });
}

constexpr const char* kHex2Dat = "hex2dat IN.hex|- OUT.dat|-";
constexpr const char* kDat2Hex = "dat2hex IN.dat|- OUT.hex|-";

int RunHex2Dat(const std::vector<std::string>& args) { return Convert(args, kHex2Dat, true); }
int RunDat2Hex(const std::vector<std::string>& args) { return Convert(args, kDat2Hex, false); }

const Registration hex2dat{"hex2dat", kHex2Dat, MessageId::CliSummaryHex2Dat, &RunHex2Dat};
const Registration dat2hex{"dat2hex", kDat2Hex, MessageId::CliSummaryDat2Hex, &RunDat2Hex};

}  // namespace
}  // namespace rp770::cli
