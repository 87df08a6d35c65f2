// rp770-cli backups: the radio memories kept, newest first, one a line:
// its path, then (tab-separated) the UTC time, the model, the ATIS code and
// why it was kept. For scripts: not translated.

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "desktop/FolderKeeper.h"

namespace rp770::cli {

namespace {

int RunBackups(const std::vector<std::string>& args) {
    const CliSpec spec{"backups", 0, 0, {}, {}, {}, {}, {}};
    int status = kExitUsage;
    if (!ParseCliOptions(args, spec, status)) return status;
    DesktopRadioKeeper desktop;
    std::string text;
    if (RadioKeeper* keeper = desktop.keeper())
        for (const KeptImage& image : keeper->List())
            text += image.where + "\t" + image.time + "\t" + image.model + "\t" + image.atis + "\t" +
                    std::string(KeepReasonName(image.reason)) + "\n";
    return PrintListing(text) ? kExitOk : kExitFailure;
}

const Registration reg{"backups", "backups", MessageId::CliSummaryBackups, &RunBackups};

}  // namespace
}  // namespace rp770::cli
