// rp770-cli read --port DEVICE OUT.dat|OUT.hex
// rp770-cli program --port DEVICE IN.dat|IN.hex

#include "cli/TransferCommands.h"
#include "core/Titles.h"

#include "cli/CliCommands.h"
#include "cli/ReadOutput.h"
#include "desktop/InterruptCatcher.h"
#include "desktop/SystemSerialPort.h"
#include "link/TransferPace.h"
#include "messages/MessageText.h"

namespace rp770::cli {

std::vector<OptionHelp> LinkOptionHelp(bool questions) {
    std::vector<OptionHelp> help = {
        {"--port DEVICE", MessageId::CliOptionPort},
        {"--debug", MessageId::CliOptionDebug},
        {"--no-echo", MessageId::CliOptionNoEcho},
    };
    if (questions) {
        help.push_back({"--yes", MessageId::CliOptionYes});
        help.push_back({"--no", MessageId::CliOptionNo});
    }
    help.push_back({"--fault NAME[=ARG]", MessageId::CliOptionFault});
    return help;
}

std::unique_ptr<LinkSession> Connect(const CliOptions& o, const std::string& title, CliSession& cli, ProgressBar& bar) {
    const auto port = o.Value("--port");
    if (!port) {
        cli.console().Say(Words(MessageId::CliProblem, MessageText(MessageId::CliPortNeeded)));
        return nullptr;
    }
    sim::Faults faults;  // --fault NAME[=ARG], repeatable: only for the simulated radio "sim"
    if (const auto it = o.repeated.find("--fault"); it != o.repeated.end()) {
        for (const std::string& name : it->second) {
            std::string error;
            if (!sim::ApplyFault(faults, name, error)) {
                cli.console().Say(Words(MessageId::CliProblem, MessageText(MessageId::CliFaultProblem, name, error)));
                return nullptr;
            }
        }
    }
    auto link = LinkSession::Open(*port, cli.asker(), faults);
    // --debug: what opening the port got for latency, each time it changes.
    if (platform::SystemSerialPort* system = link->SystemPort(); system && o.Has("--debug")) {
        system->OnOpened([&bar, said = std::string()](const link::PortLatency& got) mutable {
            if (const std::string text = link::LowLatencyText(got); text != said) bar.ShowMonitor(said = text);
        });
    }
    link::RadioLink& radio = link->Link();
    radio.SetStopRequest(&platform::InterruptCatcher::Requested);
    radio.SetTitle(title);
    radio.SetObserver(&bar);
    cli.console().SetBar(&bar);
    AppSession& session = cli.session();
    session.SetLink(&radio);
    if (link->Number() > 0)
        session.ChoosePort(link->Number());
    else
        session.ChooseDevice(*port);
    return link;
}

int Interrupted(Console& console, const char* what) {
    console.Say(Words(MessageId::CliInterrupted, what));
    return platform::InterruptCatcher::ExitStatus();
}

namespace {

const CliSpec kReadSpec{"read --port DEVICE OUT.dat|OUT.hex", 1, 1, {"--port", "--fault"},
                        {"--debug", "--no-echo", "--yes", "--no"}, {"--port"}, LinkOptionHelp(true), {}};
std::vector<OptionHelp> ProgramOptionHelp() {
    std::vector<OptionHelp> help = LinkOptionHelp(true);
    help.push_back({"--verify", MessageId::CliOptionVerify});
    help.push_back({"--backup", MessageId::CliOptionBackup});
    return help;
}
const CliSpec kProgramSpec{"program --port DEVICE IN.dat|IN.hex", 1, 1, {"--port", "--fault"},
                           {"--debug", "--no-echo", "--yes", "--no", "--verify", "--backup"}, {"--port"},
                           ProgramOptionHelp(), {}};

// One line on a radio this port left partly programmed before.
void SayPartial(CliSession& cli) {
    if (const auto partial = cli.session().PartialOnPort()) cli.console().Say(AppSession::PartialNotice(*partial));
}

// The transfer's messages, after its progress bar has come to its end.
void ShowTransfer(CliSession& cli, ProgressBar& bar, const TransferOutcome& outcome) {
    if (outcome.completed) bar.SetProgress(100);
    cli.console().Say(outcome.messages);
}

int RunRead(const std::vector<std::string>& args) {
    int status = kExitUsage;
    const auto options = ParseCliOptions(args, kReadSpec, status);
    if (!options) return status;
    CliSession cli(*options, true);
    if (status = cli.Start(); status != kExitOk) return status;
    AppSession& session = cli.session();
    // The radio is read only when its data can be kept.
    const std::string& out = options->positional[0];
    if (const auto why = WhyOutputCannotBeSaved(out)) {
        cli.console().Say(Words(MessageId::FileSaveError) + "\n" + Words(MessageId::CliCannotSaveTo, out, *why) + "\n" +
                          Words(MessageId::CliRadioNotRead));
        return kExitFailure;
    }
    ProgressBar bar(options->Has("--debug"));
    {
        const platform::InterruptCatcher interrupts;
        const auto link = Connect(*options, Words(MessageId::ReadFromRadio), cli, bar);
        if (!link) return kExitUsage;
        SayPartial(cli);
        const TransferOutcome read = session.ReadFromRadio();
        ShowTransfer(cli, bar, read);
        // A read that was interrupted is not saved, even if its last block came in.
        if (platform::InterruptCatcher::Requested()) return Interrupted(cli.console(), Words(MessageId::CliInterruptedRead).c_str());
        session.SetLink(nullptr);
        if (!read.completed) {
            cli.console().Say(Words(MessageId::CliNothingRead));
            return kExitFailure;
        }
    }
    const bool image = KindOf(out) == FileKind::MemoryImage;
    const Outcome saved = image ? session.SaveHex(out) : session.SaveAs(out);
    if (cli.Show(saved) == kExitOk) return kExitOk;
    SaveToRecoveryFile(image ? session.workspace().HexBytes() : session.workspace().DatText(), out);
    return kExitFailure;
}

int RunProgram(const std::vector<std::string>& args) {
    int status = kExitUsage;
    const auto options = ParseCliOptions(args, kProgramSpec, status);
    if (!options) return status;
    CliSession cli(*options, true);
    if (status = cli.Start(); status != kExitOk) return status;
    AppSession& session = cli.session();
    const std::string& in = options->positional[0];
    if (cli.Show(session.Open(in, KindOf(in))) != kExitOk) return kExitFailure;
    // Incomplete EXP channels are refused before the radio is reached at all.
    if (cli.Show(session.workspace().CheckProgrammable()) != kExitOk) {
        cli.console().Say(Words(MessageId::CliNothingWritten));
        return kExitFailure;
    }
    ProgressBar bar(options->Has("--debug"));
    const platform::InterruptCatcher interrupts;
    std::unique_ptr<LinkSession> link;
    // --backup: the radio's memory is read and kept first; the confirmation
    // then lists what changes in it.
    if (options->Has("--backup")) {
        if (!(link = Connect(*options, Words(MessageId::ProgramToRadio), cli, bar))) return kExitUsage;
        SayPartial(cli);
        const TransferOutcome backup = session.BackupRadio();
        ShowTransfer(cli, bar, backup);
        if (platform::InterruptCatcher::Requested()) return Interrupted(cli.console(), Words(MessageId::CliInterruptedProgramUntouched).c_str());
        if (!backup.Ok()) {
            cli.console().Say(Words(MessageId::CliNothingWritten));
            return kExitFailure;
        }
        if (RadioKeeper* keeper = session.keeper(); keeper && !keeper->List().empty())
            cli.console().Say(MessageText{MessageId::BackupKept, keeper->List().front().where}.Render());
    }
    // Data the radio would get wrong are programmed only when the user says so.
    if (const Outcome confirmed = session.ConfirmProgramming(); cli.Show(confirmed) != kExitOk) {
        cli.console().Say(Words(MessageId::CliNothingWritten));
        return kExitFailure;
    }
    session.SetVerifyAfterProgramming(options->Has("--verify"));  // for this run: the store is not written
    if (!link) {
        if (!(link = Connect(*options, Words(MessageId::ProgramToRadio), cli, bar))) return kExitUsage;
        SayPartial(cli);
    }
    // A programming that stopped part-way, and what the verification found,
    // are the outcome's to say.
    const TransferOutcome programmed = session.ProgramToRadio();
    session.SetLink(nullptr);
    ShowTransfer(cli, bar, programmed);
    if (!programmed.completed && !programmed.partial) cli.console().Say(Words(MessageId::CliNothingWritten));
    if (platform::InterruptCatcher::Requested()) return Interrupted(cli.console(), Words(MessageId::CliInterruptedProgram).c_str());
    return programmed.Ok() ? kExitOk : kExitFailure;
}

const Registration readReg{"read", kReadSpec.synopsis + " [--yes|--no]", MessageId::CliSummaryRead,
                           &RunRead};
const Registration programReg{"program", kProgramSpec.synopsis + " [--verify] [--backup] [--yes|--no]",
                              MessageId::CliSummaryProgram,
                              &RunProgram};

}  // namespace
}  // namespace rp770::cli
