// rp770-cli read --port DEVICE OUT.dat|OUT.hex
// rp770-cli program --port DEVICE IN.dat|IN.hex

#include "cli/TransferCommands.h"

#include <algorithm>
#include <iostream>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/LinkSession.h"
#include "cli/ReadOutput.h"
#include "core/Codecs.h"
#include "platform/InterruptCatcher.h"
#include "platform/Terminal.h"

namespace rp770::cli {

void TerminalPrompter::Message(const std::string& text, const std::string& title, Icon) {
    bar_.EndBar();
    std::cerr << text;
    if (!title.empty()) std::cerr << "  (" << title << ")";
    std::cerr << "\n";
}

Answer TerminalPrompter::Ask(const std::string& text, const std::string& title, Icon, Buttons buttons,
                             Answer defaultAnswer) {
    const bool retry = buttons == Buttons::RetryCancel;
    const bool yesNo = buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel;
    const Answer yes = retry ? Answer::Retry : (yesNo ? Answer::Yes : Answer::Ok);
    const Answer no = yesNo ? Answer::No : Answer::Cancel;
    bar_.EndBar();
    std::cerr << text << "  (" << title << ")\n";
    const bool automatic = policy_ != Policy::Ask || !platform::StdinIsTerminal();
    if (automatic) {
        Answer a = policy_ == Policy::Yes ? yes : policy_ == Policy::No ? no : defaultAnswer;
        const char* why = policy_ == Policy::Yes ? " (--yes)\n" : policy_ == Policy::No ? " (--no)\n" : " (not a terminal)\n";
        if (a == yes && ++automaticYes_[text] > kAutomaticYes) {
            a = no;
            why = " (said yes often enough)\n";
        }
        std::cerr << "  -> " << (a == yes ? (retry ? "Retry" : yesNo ? "Yes" : "OK") : (yesNo ? "No" : "Cancel")) << why;
        return a;
    }
    std::cerr << (retry ? "  Retry? [y/N] " : "  OK? [y/N] ") << std::flush;
    std::string line;
    if (!std::getline(std::cin, line)) {  // end of input, or Ctrl+C
        std::cerr << "\n";
        return defaultAnswer;
    }
    return (!line.empty() && (line[0] == 'y' || line[0] == 'Y')) ? yes : no;
}

TerminalObserver::TerminalObserver(bool debug) : debug_(debug), bar_(platform::StderrIsTerminal()) {}

TerminalObserver::~TerminalObserver() { EndBar(); }

void TerminalObserver::EndBar() {
    if (drawn_) std::cerr << "\n";
    drawn_ = false;
}

void TerminalObserver::SetProgress(int percent) {
    if (!bar_ || percent == last_) return;
    last_ = percent;
    if (percent == 0 && !drawn_) return;  // nothing started yet
    const int filled = std::clamp(percent, 0, 100) * 40 / 100;
    std::cerr << "\r[" << std::string(static_cast<size_t>(filled), '#') << std::string(static_cast<size_t>(40 - filled), ' ')
              << "] " << percent << "%" << std::flush;
    drawn_ = true;
}

void TerminalObserver::ShowMonitor(const std::string& text) {
    if (!debug_ || text.empty()) return;
    EndBar();
    std::cerr << "monitor: " << text << "\n";
}

namespace {

const std::vector<OptionHelp> kTransferOptionHelp = {
    {"--port DEVICE", "the serial port: a device (/dev/ttyUSB0, COM3), a port number (1 is COM1, /dev/ttyS0 on "
                      "Linux) or sim for the built-in simulated radio; required"},
    {"--debug", "show the transfer monitor's texts and log errors in err.log (where, the first line says)"},
    {"--no-echo", "do not check the echo of the serial cable"},
    {"--yes", "answer the radio's questions with yes (at most three times each)"},
    {"--no", "answer the radio's questions with no"},
    {"--fault NAME[=ARG]", "with --port sim: make the simulated radio misbehave (repeatable; see simulate --help)"},
};
const CliSpec kReadSpec{"read --port DEVICE OUT.dat|OUT.hex", 1, 1, {"--port", "--fault"}, {"--debug", "--no-echo", "--yes", "--no"}, {"--port"}, kTransferOptionHelp, {}};
const CliSpec kProgramSpec{"program --port DEVICE IN.dat|IN.hex", 1, 1, {"--port", "--fault"}, {"--debug", "--no-echo", "--yes", "--no"}, {"--port"}, kTransferOptionHelp, {}};

TerminalPrompter::Policy PolicyOf(const CliOptions& o) {
    if (o.Has("--yes")) return TerminalPrompter::Policy::Yes;
    if (o.Has("--no")) return TerminalPrompter::Policy::No;
    return TerminalPrompter::Policy::Ask;
}

// Opens the link as the transfer dialog has it; the transfer itself (with
// its synchronisation) is the editing session's.
std::unique_ptr<LinkSession> Connect(const CliOptions& o, const std::string& title, TerminalPrompter& prompter,
                                     TerminalObserver& observer) {
    const auto port = o.Value("--port");
    if (!port) {
        std::cerr << "rp770-cli: --port DEVICE is needed (a device such as /dev/ttyUSB0 or COM3, a port number, or sim)\n";
        return nullptr;
    }
    sim::Faults faults;  // --fault NAME[=ARG], repeatable: only for the simulated radio "sim"
    if (const auto it = o.repeated.find("--fault"); it != o.repeated.end()) {
        for (const std::string& name : it->second) {
            std::string error;
            if (!sim::ApplyFault(faults, name, error)) {
                std::cerr << "rp770-cli: --fault " << name << ": " << error << "\n";
                return nullptr;
            }
        }
    }
    auto session = LinkSession::Open(*port, prompter, faults);
    link::RadioLink& radio = session->Link();
    radio.SetStopRequest(&platform::InterruptCatcher::Requested);
    radio.State().DebugMode = o.Has("--debug");
    radio.State().NoEchoMode = o.Has("--no-echo");
    radio.SetTitle(title);
    radio.SetObserver(&observer);
    return session;
}

// Ctrl+C or a request to terminate ended the transfer: the terminal is put
// right and the shell told.
int Interrupted(TerminalObserver& observer, const char* what) {
    observer.EndBar();
    std::cerr << "Interrupted: " << what << "\n";
    return platform::InterruptCatcher::ExitStatus();
}

void SayNotSynchronised() {
    if (!platform::InterruptCatcher::Requested())
        std::cerr << "The radio did not answer: check the cable, the port and that the radio shows PC CONTROL.\n";
}

int RunRead(const std::vector<std::string>& args) {
    int exitCode = kExitUsage;
    const auto options = ParseCliOptions(args, kReadSpec, exitCode);
    if (!options) return exitCode;
    CliSession session(*options);
    if (const int status = session.Open(); status != kExitOk) return status;
    Workspace& ws = session.workspace();
    // The radio is read only when its data can be kept.
    const std::string& out = options->positional[0];
    if (const auto why = WhyOutputCannotBeSaved(out)) {
        std::cerr << "FileSave Error!!\n" << out << ": " << *why << "\nThe radio was not read.\n";
        return kExitFailure;
    }
    TerminalObserver observer(options->Has("--debug"));
    TerminalPrompter prompter(PolicyOf(*options), observer);
    session.prompter().beforeMessage = [&observer] { observer.EndBar(); };
    TransferResult result;
    {
        const platform::InterruptCatcher interrupts;
        auto link = Connect(*options, "Read from Radio", prompter, observer);
        if (!link) return kExitFailure;
        result = ws.ReadFromRadio(link->Link());
        // A read that was interrupted is not saved, even if its last block came in.
        if (platform::InterruptCatcher::Requested()) return Interrupted(observer, "nothing was read; no file was written.");
    }
    if (!result.synchronised) SayNotSynchronised();
    if (!result.completed) {
        std::cerr << "Nothing was read; no file was written.\n";
        return kExitFailure;
    }
    observer.SetProgress(100);
    if (SaveDataFile(ws, out)) return kExitOk;
    SaveToRecoveryFile(ws.data(), out);
    return kExitFailure;
}

int RunProgram(const std::vector<std::string>& args) {
    int exitCode = kExitUsage;
    const auto options = ParseCliOptions(args, kProgramSpec, exitCode);
    if (!options) return exitCode;
    CliSession session(*options);
    if (const int status = session.Open(); status != kExitOk) return status;
    Workspace& ws = session.workspace();
    const std::string& in = options->positional[0];
    if (!OpenDataFile(ws, in)) return kExitFailure;
    TerminalObserver observer(options->Has("--debug"));
    TerminalPrompter prompter(PolicyOf(*options), observer);
    session.prompter().beforeMessage = [&observer] { observer.EndBar(); };
    const platform::InterruptCatcher interrupts;
    auto link = Connect(*options, "Program to Radio", prompter, observer);
    if (!link) return kExitFailure;
    // A programming that stopped part-way has said so through the session.
    const TransferResult result = ws.ProgramToRadio(link->Link());
    link.reset();
    if (!result.synchronised) SayNotSynchronised();
    if (!result.completed && !result.partial) std::cerr << "Nothing was written to the radio.\n";
    if (platform::InterruptCatcher::Requested()) return Interrupted(observer, "the programming was stopped.");
    return result.completed ? kExitOk : kExitFailure;
}

const Registration readReg{"read", kReadSpec.synopsis + " [--debug] [--no-echo] [--yes|--no]",
                           "read the radio and save its data as a settings (.dat) or memory image (.hex) file",
                           &RunRead};
const Registration programReg{"program", kProgramSpec.synopsis + " [--debug] [--no-echo] [--yes|--no]",
                              "program a settings (.dat) or memory image (.hex) file into the radio", &RunProgram};

}  // namespace
}  // namespace rp770::cli
