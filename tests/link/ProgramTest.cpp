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
    EXPECT_EQ(run.rig.Shown().Texts(), std::vector<std::string>{"Complete!!"});
    EXPECT_EQ(run.rig.Shown().boxes[0].title, "Program to Radio");
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
    EXPECT_TRUE(run.rig.Shown().boxes.empty());
    EXPECT_TRUE(run.rig.State().CommError);  // the dialog stays open
    EXPECT_TRUE(run.rig.State().CancelRequested);
    EXPECT_EQ(run.rig.radio.Log().cans, 0);  // no abort after a programming
    for (int a = 0x100; a < 0x1F0; ++a) EXPECT_EQ(run.rig.radio.Memory()[static_cast<size_t>(a)], run.data.image[a]);
    for (int a = 0x210; a < 0x3F0; ++a)
        EXPECT_EQ(run.rig.radio.Memory()[static_cast<size_t>(a)], run.radioBefore[static_cast<size_t>(a)]);
}

// Whether the radio was left holding a mix of old and new data, for every
// way a programming can end, with what the user is told and how far the
// writes went. A programming that never started leaves the radio as it was.
TEST(ProgramTest, HowFarProgrammingGot) {
    using link::ProgramOutcome;
    using Texts = std::vector<std::string>;
    const Texts communication{"Communication Error!!"};
    const struct {
        const char* path;
        const char* faults;
        std::function<void(ProgramRun&)> during;
        ProgramOutcome outcome;
        Texts boxes;
        int writes;  // write requests the radio answered; -1: not compared
        std::function<void(ProgramRun&)> also = nullptr;  // what only this case shows
    } cases[] = {
        {"every write acknowledged", "", nullptr, ProgramOutcome::Complete, {"Complete!!"}, 88},
        {"Cancel", "", [](ProgramRun& r) { r.rig.CancelWhen([&r] { return r.rig.radio.Log().writeRequests == 20; }); },
         ProgramOutcome::Partial, {}, -1},
        {"refused, no re-synchronisation", "error=40,3", [](ProgramRun& r) { r.rig.prompter.answers = {Answer::Cancel}; },
         ProgramOutcome::Partial, {"confirm the synchronization of the communication", "Communication Error!!"},
         40,  // block requests 1-2 are the model check: writes 1-37 are taken, 38-40 refused
         [](ProgramRun& r) {
             EXPECT_EQ(r.rig.Shown().boxes.back().title, "Program to Radio");
             EXPECT_TRUE(r.rig.State().CommError);
         }},
        // Block request 3 is the first single-byte write (0x002): three attempts
        // at it and nothing more, the rest of the row is not tried.
        {"radio silent from the first write", "silent-from=3", nullptr, ProgramOutcome::Partial, communication, 0,
         [](ProgramRun& r) { EXPECT_EQ(r.rig.SentText().find("#CEPWR\t0003\t"), std::string::npos); }},
        {"radio silent half-way", "silent-from=50", nullptr, ProgramOutcome::Partial, communication, 47,
         [](ProgramRun& r) {
             EXPECT_EQ(r.rig.radio.Log().blockRequests, 52);  // 49 answered, then the 50th asked three times
         }},
        {"cable pulled", "",
         [](ProgramRun& r) {
             r.rig.wire.OnYield([&r] {
                 if (r.rig.radio.Log().writeRequests == 30 && r.rig.wire.Port().IsOpen()) r.rig.wire.Unplug();
             });
         },
         ProgramOutcome::Partial, communication, 30},
        // Asked after every yield, the request cancels at once and keeps
        // cancelling although each echo clears the flag.
        {"stop request (Ctrl+C)", "",
         [](ProgramRun& r) { r.rig.link.SetStopRequest([&r] { return r.rig.radio.Log().writeRequests >= 40; }); },
         ProgramOutcome::Partial, {}, 40},
        {"radio busy", "busy", nullptr, ProgramOutcome::NotStarted, {"Radio is busy!!", "Radio not ready!!"}, 0,
         [](ProgramRun& r) {
             EXPECT_EQ(r.rig.radio.Log().blockRequests, 0);
             EXPECT_FALSE(r.rig.State().CommError);  // good echoes: the dialog closes
         }},
        {"wrong model", "model=0x0140", nullptr, ProgramOutcome::NotStarted, {"ModelType Error !!"}, 0},
        {"garbled model check", "checksum=2", nullptr, ProgramOutcome::NotStarted, communication, 0},
        {"data of another model", "", [](ProgramRun& r) { r.data.modelNumber = 3; }, ProgramOutcome::NotStarted,
         {"ModelType Error !!"}, 0,
         [](ProgramRun& r) { EXPECT_EQ(r.rig.Shown().boxes[0].title, "Read from Radio"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        ProgramRun run(*c.faults ? With(c.faults) : sim::Faults{});
        if (c.during) c.during(run);
        run.Run();
        EXPECT_EQ(run.outcome, c.outcome);
        ASSERT_EQ(run.rig.Shown().Texts(), c.boxes);
        const int writes = run.rig.radio.Log().writeRequests;
        if (c.writes >= 0) {
            EXPECT_EQ(writes, c.writes);
        }
        EXPECT_TRUE(c.outcome != ProgramOutcome::Partial || writes < 88);
        if (c.outcome == ProgramOutcome::NotStarted) {
            EXPECT_EQ(run.rig.radio.Memory(), run.radioBefore);
        }
        if (c.also) c.also(run);
    }
}

}  // namespace
}  // namespace rp770::testing
