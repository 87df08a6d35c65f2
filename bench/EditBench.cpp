// Cost of the editing session's undo history: every edit keeps a whole
// snapshot of the data set, so an edit costs a copy, and a full history
// (200 steps) holds 200 copies.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "core/MemoryImage.h"
#include "files/MemorySettingsStore.h"
#include "workspace/Workspace.h"

namespace {

// An edit that changes something each time: the scan flag of channel 16, on and off.
void BM_EditOneFlag(benchmark::State& state) {
    rp770::MemorySettingsStore settings;
    rp770::MemoryProgramData program;
    rp770::Workspace ws(program, settings);
    (void)ws.New();
    bool on = true;
    for (auto _ : state) {
        ws.SetChannelFlag({rp770::Area::USA, 30}, rp770::ChannelFlag::Scan, on);
        on = !on;
    }
}
BENCHMARK(BM_EditOneFlag);

// Undo and redo of one step: the snapshot is already there.
void BM_UndoRedo(benchmark::State& state) {
    rp770::MemorySettingsStore settings;
    rp770::MemoryProgramData program;
    rp770::Workspace ws(program, settings);
    (void)ws.New();
    ws.SetChannelFlag({rp770::Area::USA, 30}, rp770::ChannelFlag::Scan, true);
    for (auto _ : state) {
        ws.Undo();
        ws.Redo();
    }
}
BENCHMARK(BM_UndoRedo);

// The size of one snapshot, reported as a counter: the data set's own
// bytes plus the heap its texts and weather channels take (roughly).
void BM_SnapshotSize(benchmark::State& state) {
    rp770::DataSet data;
    data.flags = {true, true, true};
    rp770::ResetDataSet(data);
    size_t bytes = sizeof(rp770::DataSet) + data.wx.capacity() * sizeof(rp770::ChannelRecord);
    auto text = [&bytes](const rp770::ChannelRecord& r) {
        for (const std::string* s : {&r.ChTag, &r.CHDisplayL, &r.CHDisplayR})
            if (s->capacity() > 15) bytes += s->capacity() + 1;
    };
    for (const auto& plan : data.plans)
        for (const auto& r : plan) text(r);
    for (const auto& r : data.exp) text(r);
    for (auto _ : state) benchmark::DoNotOptimize(rp770::DataSet(data));
    state.counters["snapshot_bytes"] = static_cast<double>(bytes);
    state.counters["history_of_200_MiB"] = 200.0 * static_cast<double>(bytes) / (1 << 20);
}
BENCHMARK(BM_SnapshotSize);

}  // namespace
