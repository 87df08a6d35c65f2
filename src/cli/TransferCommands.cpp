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
#include "workspace/Messages.h"
#include "workspace/ProgramCheck.h"

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
    width_ = 0;
    last_ = -1;  // a bar after a message starts afresh
}

void TerminalObserver::SetProgress(int percent) {
    if (!bar_ || percent == last_) return;
    if (percent == 0 && last_ < 0 && activity_.empty()) return;  // nothing started yet
    last_ = percent;
    Draw();
}

void TerminalObserver::ShowActivity(const std::string& text) {
    if (!bar_ || text == activity_) return;
    activity_ = text;
    if (!drawn_ && text.empty()) return;
    Draw();
}

void TerminalObserver::Draw() {
    std::string line;
    if (last_ >= 0) {
        const int filled = std::clamp(last_, 0, 100) * 40 / 100;
        line = "[" + std::string(static_cast<size_t>(filled), '#') + std::string(static_cast<size_t>(40 - filled), ' ') +
               "] " + std::to_string(last_) + "%";
    }
    if (!activity_.empty()) line += (line.empty() ? "" : "  ") + activity_;
    // Spaces cover what the line held before.
    const size_t shown = line.size();
    if (shown < width_) line += std::string(width_ - shown, ' ');
    std::cerr << "\r" << line << std::flush;
    width_ = shown;
    drawn_ = true;
}

void TerminalObserver::ShowMonitor(const std::string& text) {
    if (!debug_ || text.empty()) return;
    EndBar();
    std::cerr << "monitor: " << text << "\n";
}

std::vector<OptionHelp> LinkOptionHelp(bool questions) {
    std::vector<OptionHelp> help = {
        {"--port DEVICE", "the serial port: a device (/dev/ttyUSB0, /dev/serial/by-id/..., COM3), a port number (1 is "
                          "COM1, /dev/ttyS0 on Linux) or sim for the built-in simulated radio; rp770-cli ports lists "
                          "the ports; required"},
        {"--debug", "show the transfer monitor's texts and log errors in err.log (where, the first line says)"},
        {"--no-echo", "do not check the echo of the serial cable"},
    };
    if (questions) {
        help.push_back({"--yes", "answer the radio's questions with yes (at most three times each)"});
        help.push_back({"--no", "answer the radio's questions with no"});
    }
    help.push_back({"--fault NAME[=ARG]", "with --port sim: make the simulated radio misbehave (repeatable; see "
                                          "simulate --help)"});
    return help;
}

TerminalPrompter::Policy PolicyOf(const CliOptions& o) {
    if (o.Has("--yes")) return TerminalPrompter::Policy::Yes;
    if (o.Has("--no")) return TerminalPrompter::Policy::No;
    return TerminalPrompter::Policy::Ask;
}

std::unique_ptr<LinkSession> Connect(const CliOptions& o, const std::string& title, Prompter& prompter,
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

int Interrupted(TerminalObserver& observer, const char* what) {
    observer.EndBar();
    std::cerr << "Interrupted: " << what << "\n";
    return platform::InterruptCatcher::ExitStatus();
}

namespace {

const CliSpec kReadSpec{"read --port DEVICE OUT.dat|OUT.hex", 1, 1, {"--port", "--fault"}, {"--debug", "--no-echo", "--yes", "--no"}, {"--port"}, LinkOptionHelp(true), {}};
std::vector<OptionHelp> ProgramOptionHelp() {
    std::vector<OptionHelp> help = LinkOptionHelp(true);
    help.push_back({"--verify", "after a complete programming, read the radio back and compare every byte written; "
                                "the bytes that differ are listed and the exit status is 1"});
    return help;
}
const CliSpec kProgramSpec{"program --port DEVICE IN.dat|IN.hex", 1, 1, {"--port", "--fault"}, {"--debug", "--no-echo", "--yes", "--no", "--verify"}, {"--port"}, ProgramOptionHelp(), {}};

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
        std::cerr << msg::FileSaveError << "\n" << out << ": " << *why << "\nThe radio was not read.\n";
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
    // Data the radio would get wrong are programmed only when the user says so.
    if (const auto findings = ProgrammingFindings(ws.data()); !findings.empty() &&
        prompter.Ask(ProgrammingQuestion(findings, std::nullopt), "Program to Radio", Icon::Warning, Buttons::YesNo,
                     Answer::No) != Answer::Yes) {
        std::cerr << "Nothing was written to the radio.\n";
        return kExitFailure;
    }
    const platform::InterruptCatcher interrupts;
    auto link = Connect(*options, "Program to Radio", prompter, observer);
    if (!link) return kExitFailure;
    // A programming that stopped part-way, and what the verification found,
    // have been said through the session.
    const bool verify = options->Has("--verify");
    const TransferResult result = ws.ProgramToRadio(link->Link(), {verify});
    link.reset();
    if (!result.completed && !result.partial) std::cerr << "Nothing was written to the radio.\n";
    if (platform::InterruptCatcher::Requested()) return Interrupted(observer, "the programming was stopped.");
    return result.completed && (!verify || result.verified) ? kExitOk : kExitFailure;
}

const Registration readReg{"read", kReadSpec.synopsis + " [--yes|--no]",
                           "read the radio and save its data as a settings (.dat) or memory image (.hex) file",
                           &RunRead};
const Registration programReg{"program", kProgramSpec.synopsis + " [--verify] [--yes|--no]",
                              "program a settings (.dat) or memory image (.hex) file into the radio; with --verify, "
                              "read it back and compare",
                              &RunProgram};

}  // namespace
}  // namespace rp770::cli
