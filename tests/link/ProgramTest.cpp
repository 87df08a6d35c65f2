// Programming the radio: the whole write plan on the wire, the bytes the radio
// never receives, progress, failures and cancel.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "link/Frame.h"
#include "LinkRig.h"

namespace rp770::testing {
namespace {

struct ProgramRun {
    explicit ProgramRun(sim::Faults faults = {}) : rig(faults) {
        rig.link.SetTitle("Program to Radio");
        data = FreshData();
        // A distinct image, different from the radio's memory at every address.
        for (int a = 0; a < 1024; ++a) data.image[a] = static_cast<uint8_t>(~rig.radio.Memory()[static_cast<size_t>(a)]);
        data.image[0] = data.image[1022] = 0x01;
        data.image[1] = data.image[1023] = 0x3E;
        radioBefore = rig.radio.Memory();
        imageBefore = data.image;
    }
    void Run() {
        ASSERT_TRUE(rig.link.SyncRadio());
        outcome = rig.link.ProgramToRadio(data);
    }
    std::vector<sim::RadioLog::Block> Writes() const {
        std::vector<sim::RadioLog::Block> w;
        for (const auto& b : rig.radio.Log().blocks)
            if (b.write) w.push_back(b);
        return w;
    }
    LinkRig rig;
    DataSet data;
    sim::RadioMemory radioBefore;
    MemoryImage imageBefore;
    link::ProgramOutcome outcome = link::ProgramOutcome::NotStarted;
};

bool NeverSent(int a) { return a <= 0x001 || a == 0x017 || (a >= 0x0E0 && a <= 0x0FF) || a >= 0x3F0; }

TEST(ProgramTest, WholeProgramming) {
    ProgramRun run;
    run.Run();
    const auto writes = run.Writes();
    ASSERT_EQ(writes.size(), 88u);
    int singles = 0;
    std::set<int> sent;
    for (const auto& w : writes) {
        if (w.count == 1) ++singles;
        for (int a = w.address; a < w.address + w.count; ++a) sent.insert(a);
    }
    EXPECT_EQ(singles, 29);
    const sim::RadioMemory& radio = run.rig.radio.Memory();
    for (int a = 0; a < 1024; ++a) {
        EXPECT_EQ(sent.count(a) == 0, NeverSent(a)) << a;
        const uint8_t expected = NeverSent(a) ? run.radioBefore[static_cast<size_t>(a)] : run.data.image[a];
        ASSERT_EQ(radio[static_cast<size_t>(a)], expected) << a;
    }
    EXPECT_EQ(run.data.image, run.imageBefore);  // programming never changes the image
    EXPECT_EQ(run.rig.prompter.Texts(), std::vector<std::string>{"Complete!!"});
    EXPECT_EQ(run.rig.prompter.boxes[0].title, "Program to Radio");
    EXPECT_FALSE(run.rig.State().CommError);
    EXPECT_FALSE(run.rig.wire.Port().IsOpen());
    EXPECT_EQ(run.rig.observer.enabled, (std::vector<bool>{false, true}));
}

TEST(ProgramTest, RequestsOnTheWire) {
    ProgramRun run;
    run.data.image[0x002] = 0xFF;
    run.Run();
    const std::string sent = run.rig.SentText();
    EXPECT_NE(sent.find("#CEPWR\t0002\t01\tFF\t73\r\n"), std::string::npos);
    EXPECT_EQ(sent.find("#CEPWR\t0000\t"), std::string::npos);
    EXPECT_EQ(sent.find("#CEPWR\t0017\t"), std::string::npos);
    const std::string row = "#CEPWR\t0020\t10\t" + link::HexBytes(&run.data.image.bytes[0x20], 16) + "\t";
    EXPECT_NE(sent.find(row + link::Hex2(link::FrameChecksum(row)) + "\r\n"), std::string::npos);
}

TEST(ProgramTest, Progress) {
    ProgramRun run;
    run.Run();
    const auto& p = run.rig.observer.progress;
    ASSERT_EQ(p.size(), 65u);  // 0, then one figure per row
    EXPECT_EQ(p[0], 0);
    EXPECT_EQ(p[1], 0);
    EXPECT_EQ(p[1 + 0x3E], 97);
    EXPECT_EQ(p[1 + 0x3F], 99);
}

TEST(ProgramTest, CancelDuringARowStopsAfterIt) {
    ProgramRun run;
    // Row 0x200 is being written (write request 29 singles + rows 0x020-0x0D0 and 0x100-0x1F0 = 29 + 12 + 16 + 1).
    run.rig.CancelWhen([&] { return run.rig.radio.Log().writeRequests == 58; });
    run.Run();
    const auto writes = run.Writes();
    ASSERT_FALSE(writes.empty());
    EXPECT_LE(writes.size(), 58u);
    EXPECT_GE(writes.size(), 57u);
    EXPECT_TRUE(run.rig.prompter.boxes.empty());
    EXPECT_TRUE(run.rig.State().CommError);  // the dialog stays open
    EXPECT_TRUE(run.rig.State().CancelRequested);
    EXPECT_EQ(run.rig.radio.Log().cans, 0);  // no abort after a programming
    for (int a = 0x100; a < 0x1F0; ++a) EXPECT_EQ(run.rig.radio.Memory()[static_cast<size_t>(a)], run.data.image[a]);
    for (int a = 0x210; a < 0x3F0; ++a)
        EXPECT_EQ(run.rig.radio.Memory()[static_cast<size_t>(a)], run.radioBefore[static_cast<size_t>(a)]);
}

TEST(ProgramTest, FailedWriteAfterRetries) {
    ProgramRun run(With("error=40,3"));
    run.rig.prompter.answers = {Answer::Cancel};
    run.Run();
    EXPECT_EQ(run.rig.prompter.Texts(),
              (std::vector<std::string>{"confirm the synchronization of the communication", "Communication Error!!"}));
    EXPECT_EQ(run.rig.prompter.boxes.back().title, "Program to Radio");
    // Block requests 1-2 are the model check: writes 1-37 are taken, 38-40 refused.
    EXPECT_EQ(run.rig.radio.Log().writeRequests, 40);
    EXPECT_TRUE(run.rig.State().CommError);
}

TEST(ProgramTest, SilentRadioTimesOutThreeTimes) {
    ProgramRun run(With("silent-from=50"));
    run.Run();
    EXPECT_EQ(run.rig.prompter.Texts(), std::vector<std::string>{"Communication Error!!"});
    EXPECT_EQ(run.rig.radio.Log().blockRequests, 52);  // 49 answered, then the 50th asked three times
}

TEST(ProgramTest, FailedSingleByteWriteStopsTheRow) {
    // Block request 3 is the first single-byte write (0x002); a silent radio fails it.
    ProgramRun run(With("silent-from=3"));
    run.Run();
    EXPECT_EQ(run.rig.prompter.Texts(), std::vector<std::string>{"Communication Error!!"});
    // Three attempts at 0x002 and nothing more: the rest of the row is not tried.
    EXPECT_EQ(run.rig.SentText().find("#CEPWR\t0003\t"), std::string::npos);
}

TEST(ProgramTest, ModelCheckFailureWritesNothing) {
    for (const char* fault : {"model=0x0140", "checksum=2"}) {
        ProgramRun run(With(fault));
        run.Run();
        EXPECT_EQ(run.rig.radio.Log().writeRequests, 0) << fault;
        EXPECT_EQ(run.rig.radio.Memory(), run.radioBefore) << fault;
        EXPECT_EQ(run.rig.prompter.boxes.size(), 1u) << fault;
    }
    ProgramRun wrongModel;
    wrongModel.data.modelNumber = 3;
    wrongModel.Run();
    EXPECT_EQ(wrongModel.rig.prompter.Texts(), std::vector<std::string>{"ModelType Error !!"});
    EXPECT_EQ(wrongModel.rig.prompter.boxes[0].title, "Read from Radio");
    EXPECT_EQ(wrongModel.rig.radio.Log().writeRequests, 0);
}

TEST(ProgramTest, NotReady) {
    ProgramRun run(With("busy"));
    run.Run();
    EXPECT_EQ(run.rig.prompter.Texts(), (std::vector<std::string>{"Radio is busy!!", "Radio not ready!!"}));
    EXPECT_EQ(run.rig.radio.Log().blockRequests, 0);
    EXPECT_FALSE(run.rig.State().CommError);  // good echoes: the dialog closes
}

TEST(ProgramTest, DeviceGoneMidProgramming) {
    ProgramRun run;
    run.rig.wire.OnYield([&] {
        if (run.rig.radio.Log().writeRequests == 30 && run.rig.wire.Port().IsOpen()) run.rig.wire.Unplug();
    });
    run.Run();
    EXPECT_EQ(run.rig.prompter.Texts(), std::vector<std::string>{"Communication Error!!"});
    EXPECT_EQ(run.rig.radio.Log().writeRequests, 30);
}

// Whether the radio was left holding a mix of old and new data, for every
// way a programming can end.
TEST(ProgramTest, HowFarProgrammingGot) {
    using link::ProgramOutcome;
    const struct {
        const char* path;
        const char* faults;
        std::function<void(ProgramRun&)> during;
        ProgramOutcome outcome;
        int writes = -1;  // write requests the radio saw, when it matters
    } cases[] = {
        {"every write acknowledged", "", nullptr, ProgramOutcome::Complete},
        {"Cancel", "", [](ProgramRun& r) { r.rig.CancelWhen([&r] { return r.rig.radio.Log().writeRequests == 20; }); },
         ProgramOutcome::Partial},
        {"refused, no re-synchronisation", "error=40,3", [](ProgramRun& r) { r.rig.prompter.answers = {Answer::Cancel}; },
         ProgramOutcome::Partial},
        {"radio silent from the first write", "silent-from=3", nullptr, ProgramOutcome::Partial},
        {"radio silent half-way", "silent-from=50", nullptr, ProgramOutcome::Partial},
        {"cable pulled", "",
         [](ProgramRun& r) {
             r.rig.wire.OnYield([&r] {
                 if (r.rig.radio.Log().writeRequests == 30 && r.rig.wire.Port().IsOpen()) r.rig.wire.Unplug();
             });
         },
         ProgramOutcome::Partial},
        // Asked after every yield, the request cancels at once and keeps
        // cancelling although each echo clears the flag.
        {"stop request (Ctrl+C)", "",
         [](ProgramRun& r) { r.rig.link.SetStopRequest([&r] { return r.rig.radio.Log().writeRequests >= 40; }); },
         ProgramOutcome::Partial, 40},
        {"radio busy", "busy", nullptr, ProgramOutcome::NotStarted, 0},
        {"wrong model", "model=0x0140", nullptr, ProgramOutcome::NotStarted, 0},
    };
    for (const auto& c : cases) {
        ProgramRun run(*c.faults ? With(c.faults) : sim::Faults{});
        if (c.during) c.during(run);
        run.Run();
        EXPECT_EQ(run.outcome, c.outcome) << c.path;
        const int writes = run.rig.radio.Log().writeRequests;
        EXPECT_EQ(writes, c.writes >= 0 ? c.writes : writes) << c.path;
        EXPECT_TRUE(c.outcome != ProgramOutcome::Partial || writes < 88) << c.path;
    }
}

}  // namespace
}  // namespace rp770::testing
