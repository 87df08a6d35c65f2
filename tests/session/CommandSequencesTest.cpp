// Random sequences of the application's commands (edits, bulk changes, undo
// and redo, odd files, channel tables, reads and programming through the
// simulated radio), checked after every step: every incomplete EXP channel
// is marked and came from a file or a radio, and nothing incomplete is sent.
#include <gtest/gtest.h>

#include <random>

#include "core/MemoryImage.h"
#include "desktop/DiskFiles.h"
#include "files/DatWriter.h"
#include "files/HexFile.h"
#include "files/MemorySettingsStore.h"
#include "files/TestData.h"
#include "link/RadioLink.h"
#include "session/AppSession.h"
#include "sim/SimulatedRadio.h"
#include "sim/VirtualWire.h"
#include "workspace/ChannelCsv.h"

namespace rp770 {
namespace {

using testing::TestFolder;
using testing::WriteBytes;

// The user keeps no changes, and goes on wherever a transfer or a change asks.
struct GoingOnAsker : Asker {
    Answer Ask(const Question& q) override {
        switch (q.buttons) {
            case Buttons::YesNoCancel: return Answer::No;
            case Buttons::YesNo: return Answer::Yes;
            case Buttons::OkCancel: return Answer::Ok;
            case Buttons::RetryCancel:
            case Buttons::Ok: break;
        }
        return Answer::Cancel;
    }
};

std::vector<int> IncompleteOf(const MemoryImage& image, const DataSet& over) {
    DataSet d = over;
    d.image = image;
    DecodeImage(d);
    return IncompleteExpChannels(d);
}

struct Bench {
    TestFolder folder;
    MemorySettingsStore settings;
    GoingOnAsker asker;
    DiskFiles files;
    FolderProgramData program{folder.str()};
    AppSession app{program, {settings, files, asker}};
    Workspace& ws = app.workspace();
    sim::SimulatedRadio radio;
    sim::VirtualWire wire{radio};
    link::RadioLink link{wire.Port(), wire.GetClock(), wire.GetPump(), &asker};
    std::vector<std::string> dataFiles, tables;
    std::vector<sim::RadioMemory> memories;
    std::set<int> broughtIncomplete;  // EXP channels a file or a radio brought incomplete

    Bench() {
        testing::CopyShippedData(folder.path(), true);
        EXPECT_TRUE(app.Start().Ok());
        app.SetLink(&link);
        const DataSet factory = ws.data();
        const auto odd = [&](const char* name, const std::function<void(DataSet&)>& change, bool image) {
            DataSet d = factory;
            change(d);
            EncodeImage(d);
            WriteBytes(folder / name, image ? HexFileBytes(d.image) : FormatSettingsText(d));
            dataFiles.push_back(folder / name);
            sim::RadioMemory m{};
            std::copy_n(d.image.bytes.begin(), m.size(), m.begin());
            memories.push_back(m);
        };
        odd("plain.dat", [](DataSet&) {}, false);
        odd("norx.dat", [](DataSet& d) { d.exp[2].Enable = true; }, false);
        odd("lt.dat", [](DataSet& d) {
            d.exp[4].Enable = true;
            d.exp[4].Rxfreq = 157.025;
            d.exp[4].CHDisplayL = "<b";
        }, false);
        odd("blank.hex", [](DataSet& d) {
            d.exp[6].Enable = true;
            d.exp[6].Rxfreq = 160.5;
        }, true);
        // One table that would enable EXP 8 without a number, one that completes it.
        DataSet t = factory;
        t.exp[8].Enable = true;
        t.exp[8].Rxfreq = 157.1;
        WriteBytes(folder / "bad.csv", ExportChannelCsv(t));
        t.exp[8].CHDisplayL = "P8";
        WriteBytes(folder / "good.csv", ExportChannelCsv(t));
        tables = {folder / "bad.csv", folder / "good.csv"};
    }

    void Loaded() {
        for (const ChannelRef& ref : ws.IncompleteChannels()) broughtIncomplete.insert(ref.index);
    }
};

TEST(CommandSequences, IncompleteChannelsComeOnlyFromFilesAndRadiosAndAreNeverSent) {
    Bench b;
    std::mt19937 random(770);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const char* const frequencies[] = {"", "157.025", "160.5", "abc"};
    const char* const numbers[] = {"", "P1", "12", "Z"};
    int programmed = 0, refused = 0;
    for (int step = 0; step < 400; ++step) {
        const int n = 1 + pick(kExpChannels);
        const int what = pick(11);
        switch (what) {
            case 0: (void)b.ws.SetChannelFlag({Area::EXP, n}, ChannelFlag::Enable, pick(2) == 0); break;
            case 1:
                // The channel editor: enabled first, then completed or taken back.
                if (!b.ws.SetChannelFlag({Area::EXP, n}, ChannelFlag::Enable, true, Completion::Later)) {
                    (void)b.ws.SetExpFrequency(n, true, frequencies[pick(4)]);
                    (void)b.ws.SetExpDisplay(n, numbers[pick(4)], "");
                    if (IsIncompleteExpChannel(b.ws.data().exp[static_cast<size_t>(n)]) && !b.broughtIncomplete.count(n))
                        b.ws.Undo();
                }
                break;
            case 2: (void)b.ws.SetExpFrequency(n, pick(2) == 0, frequencies[pick(4)]); break;
            case 3: (void)b.ws.SetExpDisplay(n, numbers[pick(4)], ""); break;
            case 4: {
                std::vector<ChannelRef> some;
                for (int k = 1; k <= kExpChannels; ++k)
                    if (pick(3) == 0) some.push_back({Area::EXP, k});
                (void)b.ws.SetChannelFlags(some, ChannelFlag::Enable, pick(3) != 0);
                break;
            }
            case 5: b.app.UndoCommand(); break;
            case 6: b.app.RedoCommand(); break;
            case 7:
                if (b.app.OpenFileCommand(b.dataFiles[static_cast<size_t>(pick(4))]).Ok()) b.Loaded();
                break;
            case 8: (void)b.app.ImportChannels(b.tables[static_cast<size_t>(pick(2))]); break;
            case 9:
                b.radio.SetMemory(b.memories[static_cast<size_t>(pick(4))]);
                if (b.app.ReadFromRadio().completed) b.Loaded();
                break;
            case 10: {
                const sim::RadioMemory before = b.radio.Memory();
                const bool incomplete = !b.ws.IncompleteChannels().empty();
                const TransferOutcome outcome = b.app.ProgramToRadio();
                if (incomplete) {
                    ++refused;
                    EXPECT_EQ(outcome.failure.kind, FailureKind::Refused) << "step " << step;
                    EXPECT_FALSE(outcome.synchronised) << "step " << step;
                    EXPECT_EQ(b.radio.Memory(), before) << "step " << step << ": nothing went out";
                } else {
                    programmed += outcome.completed;
                    MemoryImage held;
                    std::copy(b.radio.Memory().begin(), b.radio.Memory().end(), held.bytes.begin());
                    EXPECT_EQ(IncompleteOf(held, b.ws.data()), std::vector<int>{}) << "step " << step;
                }
                break;
            }
        }
        // Marked exactly, and brought by a file or a radio.
        const std::vector<int> incomplete = IncompleteExpChannels(b.ws.data());
        std::vector<int> marked;
        for (const ChannelRef& ref : b.ws.IncompleteChannels()) marked.push_back(ref.index);
        ASSERT_EQ(marked, incomplete) << "step " << step;
        for (int k : incomplete) ASSERT_TRUE(b.broughtIncomplete.count(k)) << "step " << step << " (" << what << "): EXP" << k;
    }
    // The sequence reached both sides of the rule.
    EXPECT_GT(programmed, 0);
    EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace rp770
