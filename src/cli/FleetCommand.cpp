// rp770-cli fleet PLAN.dat ROSTER.csv [--yes] [--record FILE] [--backup]
// rp770-cli fleet --read ROSTER.csv DIR
//
// Many radios at once, one cable each, as the roster names them: the plan
// programmed into every radio with the radio's own ATIS code and verified,
// or every radio read into a file of its own. Each radio runs on a thread of
// its own with its own session and link; a line on standard output says
// how each ended, as it ends.

#include <cerrno>
#include "core/Titles.h"
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <set>
#include <system_error>

#include "cli/CliCommands.h"
#include "cli/CliFiles.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/LinkSession.h"
#include "core/Failure.h"
#include "desktop/DiskFiles.h"
#include "desktop/FileSettingsStore.h"
#include "desktop/InterruptCatcher.h"
#include "desktop/StandardStreams.h"
#include "desktop/SystemSerialPort.h"
#include "files/MemorySettingsStore.h"
#include "files/ReadLimits.h"
#include "fleet/FleetRun.h"
#include "fleet/RadioJobs.h"
#include "fleet/UnattendedAsker.h"
#include "messages/MessageText.h"

namespace rp770::cli {

namespace {

namespace fs = std::filesystem;
using fleet::RadioReport;
using fleet::RadioResult;
using fleet::RosterEntry;

// A refusal before any radio is touched, on one line.
std::string Untouched(const MessageText& problem) {
    return Words(MessageId::CliProblem, problem) + " " + Words(MessageId::CliNoRadioTouched);
}

const CliSpec kSpec{
    "fleet PLAN.dat|PLAN.hex ROSTER.csv [--yes] [--record FILE]",
    2,
    2,
    {"--record"},
    {"--yes", "--read", "--backup"},
    {},
    {{"--yes", MessageId::CliOptionFleetYes},
     {"--record FILE", MessageId::CliOptionFleetRecord},
     {"--backup", MessageId::CliOptionFleetBackup},
     {"--read", MessageId::CliOptionFleetRead}},
    {},
    MessageId::CliHelpFleet};

// The key under which two names of one port are the same port.
std::string PortKey(const std::string& port) {
    if (port == link::kSimulatedRadioDevice) return port;
    const int number = LinkSession::NumberOf(port);
    std::string device = number > 0 ? platform::SystemSerialPort::DeviceName({number, {}}) : port;
#if defined(_WIN32)
    if (device.rfind("\\\\.\\", 0) == 0) device.erase(0, 4);
    for (char& c : device)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return device;
#else
    std::error_code ec;
    const fs::path real = fs::canonical(device, ec);
    return ec ? device : real.string();
#endif
}

// The record, opened for appending before any radio is touched.
class Record {
public:
    ~Record() {
        if (file_) std::fclose(file_);
    }
    // 0, or the errno value of the failure.
    int Open(const std::string& name) {
        errno = 0;
        file_ = std::fopen(name.c_str(), "ab");
        if (!file_) return errno ? errno : EIO;
        std::error_code ec;
        const auto size = fs::file_size(name, ec);
        std::string start;
        if (!ec && size == 0) start = std::string(fleet::kRecordHeader) + "\r\n";
        // A last line someone left without its end is ended first.
        if (!ec && size > 0 && !EndsLine(name)) start = "\r\n";
        return Append(start);
    }
    int Append(const std::string& text) {
        if (!file_ || text.empty()) return 0;
        if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() || std::fflush(file_) != 0)
            return errno ? errno : EIO;
        return 0;
    }

private:
    static bool EndsLine(const std::string& name) {
        std::FILE* in = std::fopen(name.c_str(), "rb");
        if (!in) return true;
        bool ends = std::fseek(in, -1, SEEK_END) == 0 && std::fgetc(in) == '\n';
        std::fclose(in);
        return ends;
    }
    std::FILE* file_ = nullptr;
};

// One radio: a session and a link of its own, on this thread alone.
RadioReport RunRadio(const CliOptions& options, const RosterEntry& radio, const std::string& plan,
                     fleet::NameClaims& names, RadioKeeper* keeper) {
    const bool reading = options.Has("--read");
    FolderProgramData program(options.dataDir);
    platform::FileSettingsStore userStore;
    ReadOnlyOverlayStore settings(userStore);
    CliFiles files;
    fleet::UnattendedAsker asker(options.Has("--yes"));
    AppSession session(program, SessionServices{settings, files, asker, NoErrorLog(), keeper});
    if (const Outcome started = options.destination ? session.StartOn(*options.destination) : session.Start();
        started.Failed()) {
        RadioReport report;
        report.radio = radio;
        report.reason = started.messages.empty() ? started.failure.Reason() : started.messages.front().Shown();
        if (reading) report.result = RadioResult::Failed;
        return report;
    }
    const auto link = LinkSession::Open(radio.port, asker);
    link->Link().SetStopRequest(&platform::InterruptCatcher::Requested);
    link->Link().SetTitle(Words(reading ? MessageId::ReadFromRadio : MessageId::ProgramToRadio));
    session.SetLink(&link->Link());
    if (link->Number() > 0)
        session.ChoosePort(link->Number());
    else
        session.ChooseDevice(radio.port);
    RadioReport report = reading ? fleet::ReadRadio(session, radio, options.positional[1], names)
                                 : fleet::ProgramRadio(session, plan, options.positional[0], radio,
                                                       options.Has("--backup"));
    session.SetLink(nullptr);
    return report;
}

int RunFleetCommand(const std::vector<std::string>& args) {
    int status = kExitUsage;
    const auto options = ParseCliOptions(args, kSpec, status);
    if (!options) return status;
    const bool reading = options->Has("--read");
    if (reading && options->Value("--record")) {
        std::cerr << Words(MessageId::CliProblem, MessageText(MessageId::CliRecordWithRead)) << "\n";
        return kExitUsage;
    }
    CliSession cli(*options);
    if (status = cli.Start(); status != kExitOk) return status;
    AppSession& session = cli.session();
    CliFiles files;

    // The roster, whole, before anything else.
    const std::string& rosterName = options->positional[reading ? 0 : 1];
    std::string rosterText;
    if (const Failure failure = files.Read(rosterName, rosterText, kRosterLimit); failure.Failed()) {
        cli.console().Say(WithReason(Words(MessageId::FileReadError), rosterName, failure));
        return kExitFailure;
    }
    const fleet::Roster roster = fleet::ReadRoster(rosterText, &PortKey);
    if (roster.problem) {
        cli.console().Say(Untouched(roster.problem->line > 0
                                        ? MessageText(MessageId::CliRosterProblemAt, rosterName, roster.problem->line,
                                                      roster.problem->text)
                                        : MessageText(MessageId::CliRosterProblem, rosterName, roster.problem->text)));
        return kExitUsage;
    }

    // What every radio shares: the plan's bytes (read once, refused here if
    // they would be refused there), the record, the folder the reads go to.
    std::string plan;
    Record record;
    if (reading) {
        const std::string& folder = options->positional[1];
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (!fs::is_directory(folder, ec)) {
            cli.console().Say(Untouched({MessageId::CliFleetNoFolder, folder, ErrnoText(ec ? ec.value() : ENOTDIR)}));
            return kExitFailure;
        }
    } else {
        const std::string& planName = options->positional[0];
        // Either kind, up to the larger limit: a memory image of the wrong length is refused when opened.
        if (const Failure failure = files.Read(planName, plan, kSettingsTextLimit); failure.Failed()) {
            cli.console().Say(WithReason(Words(MessageId::FileReadError), planName, failure));
            return kExitFailure;
        }
        if (cli.Show(session.OpenBytes(plan, planName)) != kExitOk) return kExitFailure;
        if (const auto name = options->Value("--record")) {
            if (const int error = record.Open(*name); error != 0) {
                cli.console().Say(Untouched({MessageId::CliFleetNoRecord, *name, ErrnoText(error)}));
                return kExitFailure;
            }
        }
    }

    const platform::InterruptCatcher interrupts;
    fleet::NameClaims names;
    DesktopRadioKeeper keeper;  // shared by the radios' threads: it keeps one image at a time
    bool outputLost = false;
    const std::vector<RadioReport> reports = fleet::RunFleet(
        roster.radios, [&](const RosterEntry& radio) { return RunRadio(*options, radio, plan, names, keeper.keeper()); },
        [&](const RadioReport& report) {
            if (record.Append(fleet::RecordLine(report, fleet::UtcTimestamp(std::time(nullptr)))) != 0)
                cli.console().Say(Words(MessageId::CliProblem, MessageText(MessageId::CliFleetRecordLost, report.radio.port)));
            if (!outputLost) outputLost = platform::WriteStandardOutput(fleet::ReportLine(report)) != 0;
        });

    // What the links advised, once each; then how the fleet went.
    std::set<std::string> said;
    size_t ok = 0;
    for (const RadioReport& report : reports) {
        ok += report.result == RadioResult::Ok ? 1 : 0;
        for (const std::string& note : report.notes)
            if (said.insert(note).second) cli.console().Say(note);
    }
    cli.console().Say(Words(MessageId::CliFleetOutcome, ok, reports.size()));
    if (platform::InterruptCatcher::Requested()) return platform::InterruptCatcher::ExitStatus();
    return ok == reports.size() && !outputLost ? kExitOk : kExitFailure;
}

const Registration reg{"fleet", kSpec.synopsis + " | fleet --read ROSTER.csv DIR",
                       MessageId::CliSummaryFleet,
                       &RunFleetCommand};

}  // namespace
}  // namespace rp770::cli
