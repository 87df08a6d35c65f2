// Reading the radio: the whole read, the model check and every way a read
// can fail or be cancelled. A read that does not complete never touches the
// image.
#include <gtest/gtest.h>

#include "link/Frame.h"
#include "LinkRig.h"

namespace rp770::testing {
namespace {

struct ReadRun {
    explicit ReadRun(sim::Faults faults = {}) : rig(faults) {
        data = FreshData();
        data.image[0] = 0xAA;  // the image's own model-code bytes are never taken from the radio
        data.image[1] = 0xBB;
        before = data.image;
    }
    bool Run() {
        if (!rig.link.SyncRadio()) return false;
        return rig.link.ReadFromRadio(data);
    }
    LinkRig rig;
    DataSet data;
    MemoryImage before;
};

TEST(ReadTest, WholeRead) {
    ReadRun run;
    run.rig.State().DebugMode = true;
    ASSERT_TRUE(run.Run());
    const sim::RadioLog& log = run.rig.radio.Log();
    ASSERT_EQ(log.blocks.size(), 66u);  // two for the model check, then 64
    EXPECT_EQ(log.blocks[0].address, 0x000);
    EXPECT_EQ(log.blocks[0].count, 2);
    EXPECT_EQ(log.blocks[1].address, 0x3FE);
    EXPECT_EQ(log.blocks[1].count, 2);
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(log.blocks[static_cast<size_t>(i) + 2].address, i * 16);
        EXPECT_EQ(log.blocks[static_cast<size_t>(i) + 2].count, 16);
    }
    const sim::RadioMemory& radio = run.rig.radio.Memory();
    EXPECT_EQ(run.data.image[0], 0xAA);
    EXPECT_EQ(run.data.image[1], 0xBB);
    for (int a = 2; a < 1024; ++a) ASSERT_EQ(run.data.image[a], radio[static_cast<size_t>(a)]) << a;
    for (int a = 1024; a < kImageBufferSize; ++a) ASSERT_EQ(run.data.image[a], run.before[a]) << a;
    // Decoded: the common setup comes from the radio's bytes.
    EXPECT_EQ(run.data.common.TxPoDisplay, radio[0x00A]);
    EXPECT_EQ(run.data.common.ResumeTime, radio[0x011]);

    EXPECT_EQ(run.rig.Shown().Texts(), std::vector<std::string>{"Complete!!"});
    EXPECT_EQ(run.rig.Shown().boxes[0].icon, Icon::Information);
    EXPECT_EQ(run.rig.Shown().boxes[0].title, "Read from Radio");
    EXPECT_FALSE(run.rig.State().CommError);
    EXPECT_FALSE(run.rig.wire.Port().IsOpen());
    EXPECT_EQ(run.rig.observer.enabled, (std::vector<bool>{false, true}));
    const auto& p = run.rig.observer.progress;
    ASSERT_EQ(p.size(), 65u);  // 0, then one figure per block
    EXPECT_EQ(p[0], 0);
    EXPECT_EQ(p[1], 0);
    EXPECT_EQ(p.back(), 99);
    const auto& m = run.rig.observer.monitor;
    for (const char* text : {"model check...", "radio reading...", ""})
        EXPECT_NE(std::find(m.begin(), m.end(), text), m.end()) << text;
}

TEST(ReadTest, EveryBlockOnTheWire) {
    ReadRun run;
    ASSERT_TRUE(run.Run());
    const std::string sent = run.rig.SentText();
    EXPECT_NE(sent.find("#CEPRD\t0000\t02\t68\r\n#CMDOK\r\n#CEPRD\t03FE\t02\t"), std::string::npos);
    EXPECT_NE(sent.find("#CEPRD\t0010\t10\t6A\r\n#CMDOK\r\n"), std::string::npos);
    const std::string radio = run.rig.RadioText();
    const std::string data = link::HexBytes(run.rig.radio.Memory().data() + 0x10, 16);
    const std::string reply = "#CEPDT\t0010\t10\t" + data + "\t";
    EXPECT_NE(radio.find("#CMDOK\r\n" + reply + link::Hex2(link::FrameChecksum(reply)) + "\r\n"), std::string::npos);
}

struct FailureCase {
    std::vector<std::string> faults;
    std::vector<std::string> messages;
    std::vector<std::string> titles;
};

TEST(ReadTest, FailuresLeaveTheImageAlone) {
    // Block request 12 is ReadData's block 10 (two model-check reads come first).
    const FailureCase cases[] = {
        {{"checksum=12"}, {"Communication Error!!"}, {"Read from Radio"}},
        {{"address=12"}, {"address error!!", "Communication Error!!"}, {"Read from Radio", "Read from Radio"}},
        {{"count=12"}, {"data error!!", "Communication Error!!"}, {"Read from Radio", "Read from Radio"}},
        {{"length=12"}, {"data error!!", "Communication Error!!"}, {"Read from Radio", "Read from Radio"}},
        {{"header=12"}, {"Communication Error!!"}, {"Read from Radio"}},
        {{"silent-from=12"}, {"Communication Error!!"}, {"Read from Radio"}},
        {{"checksum=1"}, {"Communication Error!!"}, {"Model Check"}},
        {{"silent-from=2"}, {"Communication Error!!"}, {"Model Check"}},
        {{"model=0x0140"}, {"ModelType Error !!"}, {"Read from Radio"}},
        {{"model-tail=0x0000"}, {"ModelType Error !!"}, {"Read from Radio"}},
        {{"busy"}, {"Radio is busy!!", "Radio not ready!!"}, {"Read from Radio", "Read from Radio"}},
        {{"error=12,3"}, {"confirm the synchronization of the communication", "Communication Error!!"},
         {"Read from Radio", "Read from Radio"}},
    };
    for (const FailureCase& c : cases) {
        ReadRun run(With(c.faults));
        run.rig.prompter.answers = {Answer::Cancel};
        EXPECT_FALSE(run.Run()) << c.faults[0];
        EXPECT_EQ(run.data.image, run.before) << c.faults[0];
        EXPECT_EQ(run.rig.Shown().Texts(), c.messages) << c.faults[0];
        std::vector<std::string> titles;
        for (const Box& b : run.rig.Shown().boxes) titles.push_back(b.title);
        EXPECT_EQ(titles, c.titles) << c.faults[0];
        EXPECT_EQ(run.rig.observer.enabled.back(), true) << c.faults[0];
    }
}

TEST(ReadTest, SilentRadioCostsThreeTimesTenSeconds) {
    ReadRun silent(With("silent-from=12"));
    ReadRun good;
    EXPECT_FALSE(silent.Run());
    EXPECT_EQ(silent.rig.radio.Log().blockRequests, 14);  // block 10 was asked three times
    // Sync, status and eleven blocks cost the same in both runs; then three 10 s waits.
    ASSERT_TRUE(good.Run());
    EXPECT_GT(silent.rig.wire.Now(), 30.0);
    EXPECT_LT(silent.rig.wire.Now(), 31.0 + good.rig.wire.Now() * 14.0 / 66.0);
}

// Block 10 comes back garbled, or is refused: what the PC answers, how often
// it asks, whether it synchronises again and how the read ends. A garbled
// block is not asked for again; one refusal is retried; three refusals ask
// whether to synchronise again, and the read then completes.
TEST(ReadTest, ABadOrRefusedBlock) {
    const struct {
        const char* fault;
        std::vector<Answer> answers;
        bool ok;
        int requests;  // block requests, retries included; each one a read request
        int syncRequests;
        const char* answered;  // by the PC, after the reply to block 10; null: not looked for
        bool commError;
        std::vector<std::string> boxes;
    } cases[] = {
        {"checksum=12", {}, false, 12, 2, "#CMDSM\r\n", true, {"Communication Error!!"}},
        {"header=12", {}, false, 12, 2, "#CMDER\r\n", true, {"Communication Error!!"}},
        {"error=12", {}, true, 67, 2, nullptr, false, {"Complete!!"}},
        {"error=12,3", {Answer::Ok}, true, 69, 4, nullptr, false,
         {"confirm the synchronization of the communication", "Complete!!"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        ReadRun run(With(c.fault));
        run.rig.prompter.answers = {c.answers.begin(), c.answers.end()};
        EXPECT_EQ(run.Run(), c.ok);
        const sim::RadioLog& log = run.rig.radio.Log();
        EXPECT_EQ(log.readRequests, c.requests);
        EXPECT_EQ(log.blockRequests, c.requests);
        EXPECT_EQ(log.syncRequests, c.syncRequests);
        if (c.answered) {
            EXPECT_NE(run.rig.SentText().find(c.answered), std::string::npos);
        }
        EXPECT_EQ(run.rig.State().CommError, c.commError);
        EXPECT_EQ(run.rig.Shown().Texts(), c.boxes);
    }
}

TEST(ReadTest, AnyOtherModelIsRejected) {
    ReadRun run;
    run.data.modelNumber = 2;
    run.before = run.data.image;
    EXPECT_FALSE(run.Run());
    EXPECT_EQ(run.rig.Shown().Texts(), std::vector<std::string>{"ModelType Error !!"});
    EXPECT_EQ(run.rig.radio.Log().readRequests, 2);
    EXPECT_EQ(run.data.image, run.before);
}

TEST(ReadTest, LostOrChangedBytesNeverReachTheImage) {
    // Byte 1 of the reply to block 10 sits after: P, OK, 3 x #CMDOK, status, 11 blocks.
    for (const char* fault : {"drop=700", "corrupt=700", "drop=701", "corrupt=1500", "drop-echo=900",
                              "corrupt-echo=900"}) {
        ReadRun run(With(fault));
        const bool ok = run.Run();
        if (ok) {
            for (int a = 2; a < 1024; ++a)
                ASSERT_EQ(run.data.image[a], run.rig.radio.Memory()[static_cast<size_t>(a)]) << fault;
        } else {
            EXPECT_EQ(run.data.image, run.before) << fault;
            EXPECT_FALSE(run.rig.Shown().boxes.empty()) << fault;
        }
    }
}

TEST(ReadTest, CancelAtSeveralPoints) {
    struct Point {
        const char* name;
        std::function<bool(LinkRig&)> when;
        bool abortSent;
        bool quiet;  // no box at all; else only "cancel!!" boxes
    };
    const Point points[] = {
        {"model check", [](LinkRig& r) { return r.radio.Log().readRequests == 1; }, false, false},
        {"block 10 awaits its acknowledgement", [](LinkRig& r) { return r.radio.Log().readRequests == 12; }, true,
         false},
        // The request's echo is in; the first byte of the acknowledgement is arriving.
        {"block 10's acknowledgement arriving",
         [](LinkRig& r) { return r.radio.Log().readRequests == 12 && r.wire.Port().BytesAvailable() > 0; }, true, true},
        {"block 10's data arriving", [](LinkRig& r) { return r.RadioText().size() > 700; }, true, false},
        {"last block", [](LinkRig& r) { return r.radio.Log().readRequests == 66; }, true, false},
    };
    for (const Point& p : points) {
        ReadRun run;
        run.rig.CancelWhen([&] { return p.when(run.rig); });
        ASSERT_TRUE(run.rig.link.SyncRadio());
        EXPECT_FALSE(run.rig.link.ReadFromRadio(run.data)) << p.name;
        EXPECT_EQ(run.data.image, run.before) << p.name;
        EXPECT_EQ(run.rig.radio.Log().cans, p.abortSent ? 1 : 0) << p.name;
        EXPECT_TRUE(run.rig.State().CancelRequested) << p.name;
        if (p.abortSent) {
            // Nothing after the abort: the read stopped there, and its echo
            // left no error, so the dialog closes.
            EXPECT_EQ(run.rig.SentText().back(), '\x18') << p.name;
            EXPECT_FALSE(run.rig.State().CommError) << p.name;
        }
        if (p.quiet) {
            EXPECT_TRUE(run.rig.Shown().boxes.empty()) << p.name;
        }
        for (const std::string& t : run.rig.Shown().Texts()) EXPECT_EQ(t, "cancel!!") << p.name;
    }
}

TEST(ReadTest, DeviceGoneMidRead) {
    ReadRun run;
    run.rig.wire.OnYield([&] {
        if (run.rig.radio.Log().readRequests == 20 && run.rig.wire.Port().IsOpen()) run.rig.wire.Unplug();
    });
    const double start = run.rig.wire.Now();
    EXPECT_FALSE(run.Run());
    EXPECT_EQ(run.data.image, run.before);
    EXPECT_EQ(run.rig.Shown().Texts().back(), "Communication Error!!");
    EXPECT_LT(run.rig.wire.Now() - start, 10.0);  // no waiting on a port that is gone
}

TEST(ReadTest, NotReadyWhenTheStatusIsNeverAcknowledged) {
    ReadRun run(With("status-error"));
    run.rig.prompter.answers = {Answer::Cancel};
    ASSERT_TRUE(run.rig.link.SyncRadio());
    EXPECT_FALSE(run.rig.link.ReadFromRadio(run.data));
    EXPECT_EQ(run.rig.Shown().Texts().back(), "Radio not ready!!");
    EXPECT_EQ(run.rig.radio.Log().readRequests, 0);
}

TEST(ApplyReadImageTest, KeepsModelCodeAndTheSecondKilobyte) {
    MemoryImage image;
    image.bytes.fill(0x11);
    link::Buffer buffer(0x600, 0x22);
    link::RadioReader::ApplyReadImage(buffer, image);
    for (int a = 0; a < 0x600; ++a) {
        const bool kept = a <= 1 || (a >= 0x400 && a <= 0x4FF);
        ASSERT_EQ(image[a], kept ? 0x11 : 0x22) << a;
    }
    EXPECT_EQ(image[0x600], 0x11);
}

}  // namespace
}  // namespace rp770::testing
