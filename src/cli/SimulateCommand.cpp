// rp770-cli simulate: a simulated radio on a pseudo-terminal, for trying the
// program (or any serial tool) without a radio.

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "core/CommandLine.h"
#include "messages/MessageText.h"
#include "sim/Faults.h"
#include "sim/RadioMemoryFile.h"
#include "sim/SimulatedRadio.h"
#if defined(RP770_HAVE_PTY)
#include "sim/PtyRadio.h"
#endif

namespace rp770::cli {
namespace {

volatile std::sig_atomic_t stopRequested = 0;
extern "C" void RequestStop(int) { stopRequested = 1; }

constexpr const char* kSynopsis = "simulate [--image IN.hex] [--baud N] [--fault NAME[=ARG]]... [--dump OUT.hex]";

void PrintUsage(std::ostream& out) {
    out << WrapHelpText(MessageText(MessageId::CliHelpSimulate, kSynopsis).Render() + sim::FaultHelp());
}

int Usage(const MessageText& problem) {
    std::cerr << Words(MessageId::CliSimulateProblem, problem) << "\n";
    PrintUsage(std::cerr);
    return 2;
}

int RunSimulate(const std::vector<std::string>& args) {
    std::string imagePath, dumpPath;
    int baud = 4800;
    sim::Faults faults;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--help" || a == "-h") {
            PrintUsage(std::cout);
            return 0;
        }
        if (a == "--image") {
            if (!value(imagePath)) return Usage({MessageId::CliNeedsFile, "--image"});
        } else if (a == "--dump") {
            if (!value(dumpPath)) return Usage({MessageId::CliNeedsFile, "--dump"});
        } else if (a == "--baud") {
            if (!value(v)) return Usage({MessageId::CliNeedsNumber, "--baud"});
            try {
                size_t used = 0;
                baud = std::stoi(v, &used);
                if (used != v.size() || baud < 50 || baud > 4000000) return Usage({MessageId::CliBadBaudRate, v});
            } catch (...) {
                return Usage({MessageId::CliBadBaudRate, v});
            }
        } else if (a == "--fault") {
            std::string error;
            if (!value(v)) return Usage({MessageId::CliNeedsName, "--fault"});
            if (!sim::ApplyFault(faults, v, error)) return Usage(error);
        } else {
            return Usage({MessageId::CliUnknownArgument, a});
        }
    }

    sim::SimulatedRadio radio(faults);
    if (!imagePath.empty()) {
        sim::RadioMemory memory{};
        std::string error;
        if (!sim::LoadRadioMemory(imagePath, memory, error)) {
            std::cerr << Words(MessageId::CliSimulateProblem, error) << "\n";
            return 1;
        }
        radio.SetMemory(memory);
    }
#if defined(RP770_HAVE_PTY)
    sim::PtyRadio pty(radio, baud);
    std::string error;
    if (!pty.Open(error)) {
        std::cerr << Words(MessageId::CliSimulateProblem, error) << "\n";
        return 1;
    }
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::cout << "PORT " << pty.DevicePath() << std::endl;
    pty.Serve([] { return stopRequested != 0; });
    const sim::RadioLog& log = radio.Log();
    std::cerr << Words(MessageId::CliSimulateProblem, MessageText(MessageId::CliSimulatorCounts, log.readRequests, log.writeRequests))
              << "\n";
    if (!dumpPath.empty() && !sim::SaveRadioMemory(dumpPath, radio.Memory(), error)) {
        std::cerr << Words(MessageId::CliSimulateProblem, error) << "\n";
        return 1;
    }
    return 0;
#else
    (void)dumpPath;
    (void)baud;
    std::cerr << Words(MessageId::CliSimulateProblem, MessageText(MessageId::CliNoPseudoTerminals)) << "\n";
    return 1;
#endif
}

const Registration registration{"simulate", kSynopsis,
                                MessageId::CliSummarySimulate,
                                &RunSimulate};

}  // namespace
}  // namespace rp770::cli
