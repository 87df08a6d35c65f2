// Cost of the user's files: saving and reading back a whole data set, and
// parsing and applying settings text files of growing size (the parse and
// the lookups must stay linear in the file's size).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "core/MemoryImage.h"
#include "files/DatReader.h"
#include "files/DatWriter.h"
#include "desktop/FileBytes.h"
#include "files/MemorySettingsStore.h"
#include "files/SectionTable.h"
#include "desktop/DiskFiles.h"
#include "session/AppSession.h"

#if !defined(_WIN32)
#include <sys/resource.h>
#endif

namespace {

namespace fs = std::filesystem;

std::string DataFolder() {
    if (const char* dir = std::getenv("RP770_DATA_DIR")) return dir;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

// Answers nothing: every question takes its default.
class QuietAsker : public rp770::Asker {
public:
    rp770::Answer Ask(const rp770::Question& q) override { return q.defaultAnswer; }
};

struct Scratch {
    fs::path folder;
    Scratch() {
        std::random_device device;
        folder = fs::temp_directory_path() / ("rp770-bench-" + std::to_string(device()));
        fs::create_directories(folder);
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
};

double PeakMegabytes() {
#if !defined(_WIN32)
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
#else
    return 0;
#endif
}

struct Session {
    rp770::MemorySettingsStore settings;
    rp770::FolderProgramData program{DataFolder()};
    rp770::DiskFiles files;
    QuietAsker asker;
    rp770::AppSession app{program, {settings, files, asker}};
    rp770::Workspace& ws = app.workspace();
    Session() { (void)app.Start(); }
};

void BM_FormatSettingsText(benchmark::State& state) {
    Session s;
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = rp770::FormatSettingsText(s.ws.data());
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_FormatSettingsText);

void BM_SaveDatFile(benchmark::State& state) {
    Session s;
    Scratch scratch;
    const std::string path = (scratch.folder / "boat.dat").string();
    for (auto _ : state) {
        if (s.app.SaveAs(path).Failed()) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveDatFile);

// Open as the window does it: factory data of the destination, then the file.
void BM_OpenDatFile(benchmark::State& state) {
    Session s;
    Scratch scratch;
    const std::string path = (scratch.folder / "boat.dat").string();
    (void)s.app.SaveAs(path);
    for (auto _ : state) {
        if (s.app.Open(path).Failed()) state.SkipWithError("open failed");
    }
}
BENCHMARK(BM_OpenDatFile);

void BM_SaveAndOpenHexFile(benchmark::State& state) {
    Session s;
    Scratch scratch;
    const std::string path = (scratch.folder / "boat.hex").string();
    for (auto _ : state) {
        if (s.app.SaveHex(path).Failed() || s.app.Open(path).Failed()) state.SkipWithError("hex failed");
    }
}
BENCHMARK(BM_SaveAndOpenHexFile);

// A file of about `megabytes` MB: a whole data set, then channel sections
// numbered on (every one positioned, so applying walks all of them).
std::string GeneratedFile(size_t megabytes, const rp770::DataSet& data) {
    std::string text = rp770::FormatSettingsText(data);
    const size_t target = megabytes << 20;
    for (size_t n = 114; text.size() < target; ++n) {
        text += "[CHUSA" + std::to_string(n) + "]\r\nPosition=" + std::to_string(n % 114) +
                "\r\nEnable=1\r\nLowPower=0\r\nPowUp=1\r\nDuplex=0\r\nTxEnable=1\r\nDispayA=0\r\nScanMemory=1\r\n"
                "ChTag=#TAG " + std::to_string(n) + "\r\n";
    }
    return text;
}

void BM_ParseAndApplyDat(benchmark::State& state) {
    Session s;
    const std::string text = GeneratedFile(static_cast<size_t>(state.range(0)), s.ws.data());
    rp770::DataSet data = s.ws.data();
    for (auto _ : state) {
        if (!rp770::ModelTypeMatches(text, 1)) state.SkipWithError("model type");
        const rp770::SectionTable table = rp770::SectionTable::Parse(text);
        rp770::ApplySections(table, data);
        benchmark::DoNotOptimize(data.plan(0)[5].ChTag.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_ParseAndApplyDat)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

// A million tiny sections, none of them the program's own.
void BM_ParseMillionSections(benchmark::State& state) {
    std::string text = "[MAIN]\r\nMODELTYPE=1\r\n";
    for (int n = 0; n < 1000000; ++n) text += "[S" + std::to_string(n) + "]\r\na=1\r\n";
    Session s;
    rp770::DataSet data = s.ws.data();
    for (auto _ : state) {
        const rp770::SectionTable table = rp770::SectionTable::Parse(text);
        rp770::ApplySections(table, data);
        benchmark::DoNotOptimize(table.sections().size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["file_MB"] = static_cast<double>(text.size()) / (1 << 20);
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_ParseMillionSections)->Unit(benchmark::kMillisecond);

}  // namespace
