// A whole read and a whole programming over the simulated 4800-baud cable.
//
// Virtual: the simulated radio on the virtual cable, in virtual time, the
// line straight to the PC or through a modelled USB serial adapter. Each run
// reports its virtual duration beside the line's lower bound: every byte on
// the line (both ways; echoes travel with their bytes) at 480 bytes a second,
// plus the pauses the protocol demands (10 ms before each transmission,
// 1000 ms before synchronising, 500 ms after the block phase, 10 ms for each
// skipped row); x_bound is the ratio. The benchmark's own time is the cost
// of simulating it.
//
// Pty: the real serial stack against the simulated radio on a
// pseudo-terminal at 4800 baud, in real time (one run each).
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>
#include <thread>

#include "core/MemoryImage.h"
#include "link/RadioLink.h"
#include "link/WritePlan.h"
#include "desktop/SystemSerialPort.h"
#include "desktop/SteadyClock.h"
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

// The cables measured: straight to the line, or through a modelled USB
// serial adapter (sim/UsbAdapter.h).
struct Cable {
    const char* name;
    std::optional<sim::AdapterModel> adapter;
    sim::AdapterDriver driver = sim::AdapterDriver::GrantsLowLatency;
};
const std::vector<Cable>& Cables() {
    static const std::vector<Cable> cables = {
        {"line", std::nullopt},
        {"ftdi_16ms", sim::FtdiAdapter(), sim::AdapterDriver::RefusesLowLatency},
        {"ftdi_low_latency_1ms", sim::FtdiAdapter(), sim::AdapterDriver::GrantsLowLatency},
        {"ch340", sim::Ch340Adapter()},
        {"cp210x", sim::Cp210xAdapter()},
    };
    return cables;
}

VirtualRun RunVirtual(bool program, const Cable& cable = Cables().front()) {
    sim::SimulatedRadio radio;
    sim::VirtualWire wire(radio, kBaud);
    if (cable.adapter) wire.UseAdapter(*cable.adapter, cable.driver);
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
    state.counters["x_bound"] = seconds / bound;
    state.counters["over_bound_pct"] = (seconds / bound - 1.0) * 100.0;
}

void RunThrough(benchmark::State& state, bool program) {
    const Cable& cable = Cables().at(static_cast<size_t>(state.range(0)));
    state.SetLabel(cable.name);
    VirtualRun run;
    for (auto _ : state) {
        run = RunVirtual(program, cable);
        if (!run.ok) state.SkipWithError(program ? "programming failed" : "read failed");
    }
    Report(state, run.seconds, run.bound);
}

void CableArguments(benchmark::internal::Benchmark* b) {
    for (size_t i = 0; i < Cables().size(); ++i) b->Arg(static_cast<int64_t>(i));
}

void BM_ReadVirtual(benchmark::State& state) { RunThrough(state, false); }
BENCHMARK(BM_ReadVirtual)->Apply(CableArguments)->Unit(benchmark::kMillisecond);

void BM_ProgramVirtual(benchmark::State& state) { RunThrough(state, true); }
BENCHMARK(BM_ProgramVirtual)->Apply(CableArguments)->Unit(benchmark::kMillisecond);

void RunPty(benchmark::State& state, bool program) {
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
            platform::SystemSerialPort port;
            platform::SteadyClock clock;
            platform::IdlePump pump;
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
