// Cost of the conversions between the memory image and the model.
#include <benchmark/benchmark.h>

#include "core/MemoryImage.h"

namespace {

rp770::DataSet FreshData() {
    rp770::DataSet data;
    data.flags = {true, true, true};
    rp770::ResetDataSet(data);
    return data;
}

void BM_DecodeImage(benchmark::State& state) {
    rp770::DataSet data = FreshData();
    for (auto _ : state) {
        rp770::DecodeImage(data);
        benchmark::DoNotOptimize(data.exp[1].Rxfreq);
    }
}
BENCHMARK(BM_DecodeImage);

void BM_EncodeAndFix(benchmark::State& state) {
    rp770::DataSet data = FreshData();
    for (auto _ : state) {
        rp770::EncodeImage(data);
        rp770::FixStartChannel(data);
        benchmark::DoNotOptimize(data.image.bytes[0]);
    }
}
BENCHMARK(BM_EncodeAndFix);

}  // namespace
