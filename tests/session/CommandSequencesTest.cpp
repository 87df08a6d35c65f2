// Random sequences of commands (edits, bulk changes, undo and redo, odd
// files, channel tables, reads and programming through the simulated radio),
// checked after every step: every incomplete EXP channel is marked and came
// from a file or a radio, and nothing incomplete is sent.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "desktop/DiskFiles.h"
#include "files/DatWriter.h"
#include "files/MemorySettingsStore.h"
#include "files/TestData.h"
#include "link/RadioLink.h"
#include "session/AppSession.h"
#include "sim/SimulatedRadio.h"
#include "sim/VirtualWire.h"
#include "workspace/ChannelCsv.h"

namespace rp770 {
namespace {

// Keeps no changes, and goes on wherever a change or a transfer asks.
struct GoingOnAsker : Asker {
    Answer Ask(const Question& q) override {
        return q.buttons == Buttons::YesNoCancel ? Answer::No : q.buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
};

TEST(CommandSequences, IncompleteChannelsComeOnlyFromFilesAndRadiosAndAreNeverSent) {
    testing::TestFolder folder;
    testing::CopyShippedData(folder.path(), true);
    MemorySettingsStore settings;
    GoingOnAsker asker;
    DiskFiles files;
    FolderProgramData program{folder.str()};
    AppSession app{program, {settings, files, asker}};
    Workspace& ws = app.workspace();
    ASSERT_TRUE(app.Start().Ok());
    sim::SimulatedRadio radio;
    sim::VirtualWire wire{radio};
    link::RadioLink link{wire.Port(), wire.GetClock(), wire.GetPump(), &asker};
    app.SetLink(&link);

    // Files and radio memories, some with incomplete channels; two tables, one would make one.
    const std::vector<std::function<void(ChannelRecord&)>> odd = {
        [](ChannelRecord&) {},
        [](ChannelRecord& r) { r.Enable = true; },
        [](ChannelRecord& r) { r.Enable = true, r.Rxfreq = 157.025, r.CHDisplayL = "<b"; },
    };
    std::vector<std::string> dataFiles;
    std::vector<sim::RadioMemory> memories;
    for (size_t k = 0; k < odd.size(); ++k) {
        DataSet d = ws.data();
        odd[k](d.exp[2 + 2 * k]);
        dataFiles.push_back(folder / ("odd" + std::to_string(k) + ".dat"));
        testing::WriteBytes(dataFiles.back(), FormatSettingsText(d));
        EncodeImage(d);
        sim::RadioMemory& memory = memories.emplace_back();
        std::copy_n(d.image.bytes.begin(), memory.size(), memory.begin());
    }
    DataSet table = ws.data();
    table.exp[8].Enable = true;
    table.exp[8].Rxfreq = 157.1;
    testing::WriteBytes(folder / "bad.csv", ExportChannelCsv(table));
    table.exp[8].CHDisplayL = "P8";
    testing::WriteBytes(folder / "good.csv", ExportChannelCsv(table));

    std::set<int> brought;  // EXP channels a file or a radio brought incomplete
    const auto loaded = [&] {
        for (const ChannelRef& ref : ws.IncompleteChannels()) brought.insert(ref.index);
    };
    std::mt19937 random(770);
    const auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
    const char* const frequencies[] = {"", "157.025", "abc"};
    const char* const numbers[] = {"", "P1", "Z"};
    int programmed = 0, refused = 0;
    for (int step = 0; step < 400; ++step) {
        const int n = 1 + static_cast<int>(pick(kExpChannels));
        switch (pick(10)) {
            case 0: (void)ws.SetChannelFlag({Area::EXP, n}, ChannelFlag::Enable, pick(2) == 0); break;
            case 1:  // the channel editor: enabled first, then completed, or taken back
                (void)ws.SetChannelFlag({Area::EXP, n}, ChannelFlag::Enable, true, Completion::Later);
                (void)ws.SetExpFrequency(n, true, frequencies[pick(3)]);
                (void)ws.SetExpDisplay(n, numbers[pick(3)], "");
                if (IsIncompleteExpChannel(ws.data().exp[static_cast<size_t>(n)]) && !brought.count(n)) ws.Undo();
                break;
            case 2: (void)ws.SetExpFrequency(n, pick(2) == 0, frequencies[pick(3)]); break;
            case 3: (void)ws.SetExpDisplay(n, numbers[pick(3)], ""); break;
            case 4: {
                std::vector<ChannelRef> some;
                for (int k = 1; k <= kExpChannels; ++k)
                    if (pick(3) == 0) some.push_back({Area::EXP, k});
                (void)ws.SetChannelFlags(some, ChannelFlag::Enable, pick(3) != 0);
                break;
            }
            case 5: pick(2) ? app.UndoCommand() : app.RedoCommand(); break;
            case 6:
                if (app.OpenFileCommand(dataFiles[pick(dataFiles.size())]).Ok()) loaded();
                break;
            case 7: (void)app.ImportChannels(folder / (pick(2) ? "bad.csv" : "good.csv")); break;
            case 8:
                radio.SetMemory(memories[pick(memories.size())]);
                if (app.ReadFromRadio().completed) loaded();
                break;
            case 9: {
                const sim::RadioMemory before = radio.Memory();
                const bool incomplete = !ws.IncompleteChannels().empty();
                const TransferOutcome outcome = app.ProgramToRadio();
                refused += incomplete;
                programmed += outcome.completed;
                if (incomplete) {
                    EXPECT_EQ(outcome.failure.kind, FailureKind::Refused) << step;
                    EXPECT_EQ(radio.Memory(), before) << step << ": nothing went out";
                    break;
                }
                DataSet held = ws.data();
                std::copy(radio.Memory().begin(), radio.Memory().end(), held.image.bytes.begin());
                DecodeImage(held);
                EXPECT_EQ(IncompleteExpChannels(held), std::vector<int>{}) << step;
                break;
            }
        }
        std::vector<int> marked;
        for (const ChannelRef& ref : ws.IncompleteChannels()) marked.push_back(ref.index);
        ASSERT_EQ(marked, IncompleteExpChannels(ws.data())) << step;
        for (int k : marked) ASSERT_TRUE(brought.count(k)) << "step " << step << ": EXP" << k;
    }
    EXPECT_GT(programmed, 0);
    EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace rp770
