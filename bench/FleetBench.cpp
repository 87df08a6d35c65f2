// A fleet in real time: the plan programmed and verified into one radio,
// then into four at once, each simulated radio on a pseudo-terminal of its
// own at 4800 baud, through the system's serial port. x_one is the four
// radios' time over the one radio's: at most 1.1 is the aim (the radios
// share nothing but the plan).
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "desktop/DiskFiles.h"
#include "desktop/ExecutablePath.h"
#include "desktop/SteadyClock.h"
#include "desktop/SystemSerialPort.h"
#include "files/DatWriter.h"
#include "files/MemorySettingsStore.h"
#include "fleet/FleetRun.h"
#include "fleet/RadioJobs.h"
#include "fleet/UnattendedAsker.h"
#include "link/RadioLink.h"
#include "sim/PtyRadio.h"
#include "sim/SimulatedRadio.h"

namespace {

using namespace rp770;

constexpr int kBaud = 4800;

// The shipped data: beside the benchmark (the build's bin folder).
std::string DataFolder() { return platform::ExecutableFolder("."); }

struct PtyRadios {
    explicit PtyRadios(size_t count) {
        for (size_t i = 0; i < count; ++i) {
            radios.push_back(std::make_unique<sim::SimulatedRadio>());
            ptys.push_back(std::make_unique<sim::PtyRadio>(*radios.back(), kBaud));
            std::string error;
            if (!ptys.back()->Open(error)) {
                failed = error;
                return;
            }
        }
        for (auto& pty : ptys) servers.emplace_back([this, p = pty.get()] { p->Serve([this] { return stop.load(); }); });
    }
    ~PtyRadios() {
        stop = true;
        for (std::thread& t : servers) t.join();
    }
    std::vector<std::unique_ptr<sim::SimulatedRadio>> radios;
    std::vector<std::unique_ptr<sim::PtyRadio>> ptys;
    std::vector<std::thread> servers;
    std::atomic<bool> stop{false};
    std::string failed;
};

// Seconds to program and verify `count` radios at once; negative on failure.
double ProgramFleet(size_t count, std::string& why) {
    PtyRadios served(count);
    if (!served.failed.empty()) {
        why = served.failed;
        return -1;
    }
    std::vector<fleet::RosterEntry> roster;
    for (size_t i = 0; i < count; ++i)
        roster.push_back({static_cast<int>(i) + 2, served.ptys[i]->DevicePath(), "Boat", "92112345" + std::to_string(60 + i)});
    FolderProgramData program(DataFolder());
    std::string plan;
    {
        MemorySettingsStore settings;
        DiskFiles files;
        fleet::UnattendedAsker asker(false);
        AppSession session(program, SessionServices{settings, files, asker});
        if (session.Start().Failed()) {
            why = "no shipped data in " + DataFolder();
            return -1;
        }
        plan = FormatSettingsText(session.data());
    }
    const auto start = std::chrono::steady_clock::now();
    const auto reports = fleet::RunFleet(
        roster,
        [&](const fleet::RosterEntry& radio) {
            MemorySettingsStore settings;
            DiskFiles files;
            fleet::UnattendedAsker asker(false);
            AppSession session(program, SessionServices{settings, files, asker});
            (void)session.Start();
            platform::SystemSerialPort port;
            platform::SteadyClock clock;
            platform::IdlePump pump;
            link::RadioLink link(port, clock, pump, &asker);
            session.SetLink(&link);
            session.ChooseDevice(radio.port);
            const fleet::RadioReport report = fleet::ProgramRadio(session, plan, "plan.dat", radio);
            session.SetLink(nullptr);
            return report;
        },
        nullptr);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (const fleet::RadioReport& r : reports) {
        if (r.result != fleet::RadioResult::Ok) {
            why = r.radio.port + ": " + r.reason;
            return -1;
        }
    }
    return seconds;
}

void BM_FleetProgramPty(benchmark::State& state) {
    double one = 0;
    double four = 0;
    for (auto _ : state) {
        std::string why;
        one = ProgramFleet(1, why);
        four = one > 0 ? ProgramFleet(4, why) : -1;
        if (one < 0 || four < 0) state.SkipWithError(why.c_str());
    }
    state.counters["one_radio_s"] = one;
    state.counters["four_radios_s"] = four;
    state.counters["x_one"] = one > 0 ? four / one : 0;
}
BENCHMARK(BM_FleetProgramPty)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace
