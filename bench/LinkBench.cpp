// A whole read and a whole programming over the simulated 4800-baud cable.
//
// Virtual: the simulated radio on the virtual cable, in virtual time. Each run
// reports its virtual duration beside the line's lower bound: every byte on
// the line (both ways; echoes travel with their bytes) at 480 bytes a second,
// plus the pauses the protocol demands (10 ms before each transmission,
// 1000 ms before synchronising, 500 ms after the block phase, 10 ms for each
// skipped row). The benchmark's own time is the cost of simulating it.
//
// Pty: the real serial stack against the simulated radio on a
// pseudo-terminal at 4800 baud, in real time (one run each).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "core/MemoryImage.h"
#include "link/RadioLink.h"
#include "link/WritePlan.h"
#include "platform/QtSerialPort.h"
#include "platform/QtServices.h"
#include "sim/PtyRadio.h"
#include "sim/SimulatedRadio.h"
#include "sim/VirtualWire.h"

namespace {

using namespace rp770;

constexpr int kBaud = 4800;

DataSet Data() {
    DataSet data;
    data.flags = {true, true, true};
    ResetDataSet(data);
    return data;
}

int SkippedRows(int lastAddress) {
    int n = 0;
    for (const auto& row : link::WritePlan(lastAddress)) n += row.writes.empty() ? 1 : 0;
    return n;
}

struct VirtualRun {
    double seconds = 0;
    double bound = 0;
    bool ok = false;
};

VirtualRun RunVirtual(bool program) {
    sim::SimulatedRadio radio;
    sim::VirtualWire wire(radio, kBaud);
    link::RadioLink link(wire.Port(), wire.GetClock(), wire.GetPump());
    DataSet data = Data();
    VirtualRun run;
    if (link.SyncRadio()) {
        if (program) {
            link.ProgramToRadio(data);
            run.ok = !link.State().CommError;
        } else {
            run.ok = link.ReadFromRadio(data);
        }
    }
    run.seconds = wire.Now();
    const double bytes = static_cast<double>(wire.SentByPc().size() + wire.SentByRadio().size());
    run.bound = bytes * wire.ByteSeconds() + 0.010 * wire.PcWrites() + 1.0 + 0.5 +
                (program ? 0.010 * SkippedRows(data.image.lastAddress) : 0.0);
    return run;
}

void Report(benchmark::State& state, double seconds, double bound) {
    state.counters["seconds"] = seconds;
    state.counters["bound_s"] = bound;
    state.counters["over_bound_pct"] = (seconds / bound - 1.0) * 100.0;
}

void BM_ReadVirtual(benchmark::State& state) {
    VirtualRun run;
    for (auto _ : state) {
        run = RunVirtual(false);
        if (!run.ok) state.SkipWithError("read failed");
    }
    Report(state, run.seconds, run.bound);
}
BENCHMARK(BM_ReadVirtual)->Unit(benchmark::kMillisecond);

void BM_ProgramVirtual(benchmark::State& state) {
    VirtualRun run;
    for (auto _ : state) {
        run = RunVirtual(true);
        if (!run.ok) state.SkipWithError("programming failed");
    }
    Report(state, run.seconds, run.bound);
}
BENCHMARK(BM_ProgramVirtual)->Unit(benchmark::kMillisecond);

void RunPty(benchmark::State& state, bool program) {
    static int argc = 1;
    static char name[] = "bench_link";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
    const VirtualRun reference = RunVirtual(program);
    double seconds = 0;
    for (auto _ : state) {
        sim::SimulatedRadio radio;
        sim::PtyRadio pty(radio, kBaud);
        std::string error;
        if (!pty.Open(error)) {
            state.SkipWithError(("no pseudo-terminal: " + error).c_str());
            return;
        }
        std::atomic<bool> stop{false};
        std::thread server([&] { pty.Serve([&] { return stop.load(); }); });
        {
            platform::QtSerialPort port;
            platform::SteadyClock clock;
            platform::EventLoopPump pump;
            link::RadioLink link(port, clock, pump);
            link.State().PortDevice = pty.DevicePath();
            DataSet data = Data();
            const auto start = std::chrono::steady_clock::now();
            bool ok = link.SyncRadio();
            if (ok && program) {
                link.ProgramToRadio(data);
                ok = !link.State().CommError;
            } else if (ok) {
                ok = link.ReadFromRadio(data);
            }
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (!ok) state.SkipWithError("transfer failed");
        }
        stop = true;
        server.join();
    }
    Report(state, seconds, reference.bound);
}

void BM_ReadPty(benchmark::State& state) { RunPty(state, false); }
BENCHMARK(BM_ReadPty)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

void BM_ProgramPty(benchmark::State& state) { RunPty(state, true); }
BENCHMARK(BM_ProgramPty)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace
