// Cost of building the reports of a full data set (every channel enabled).
#include <benchmark/benchmark.h>

#include "core/MemoryImage.h"
#include "report/PrintedReport.h"
#include "report/RecordingSurface.h"
#include "report/TextReport.h"

namespace {

rp770::DataSet FullData() {
    rp770::DataSet data;
    data.flags = {true, true, true};
    rp770::ResetDataSet(data);
    for (auto& plan : data.plans)
        for (auto& r : plan) r.Enable = true;
    for (int n = 1; n <= rp770::kExpChannels; ++n) data.exp[static_cast<size_t>(n)].Rxfreq = 156.0125 + n * 0.013;
    return data;
}

void BM_BuildTextReport(benchmark::State& state) {
    rp770::DataSet data = FullData();
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = rp770::BuildTextReport(data);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_BuildTextReport);

void BM_PrintReportRecorded(benchmark::State& state) {
    rp770::DataSet data = FullData();
    size_t texts = 0;
    for (auto _ : state) {
        rp770::RecordingSurface surface(15700);
        rp770::PrintReport(data, surface);
        texts = surface.Texts().size();
        benchmark::DoNotOptimize(texts);
    }
    state.counters["texts"] = static_cast<double>(texts);
}
BENCHMARK(BM_PrintReportRecorded);

}  // namespace
