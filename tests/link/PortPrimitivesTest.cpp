// The send and receive primitives on the virtual cable: codes, time-outs in
// virtual seconds, echoes, cancel, stale bytes and a port that fails or goes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>

#include "link/LinkAdvice.h"
#include "link/LinkCodes.h"
#include "LinkRig.h"
#include "support/RecordingErrorLog.h"

namespace rp770::testing {
namespace {

using link::Code;

sim::Bytes B(const std::string& s) { return sim::Bytes(s.begin(), s.end()); }

class PrimitivesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.link.Port().PortInit()); }
    double Elapsed() const { return rig.wire.Now() - start; }
    void Mark() { start = rig.wire.Now(); }
    LinkRig rig;
    link::LinkPort& port = rig.link.Port();
    double start = 0;
};

TEST_F(PrimitivesTest, WaitByteSkipsOtherBytes) {
    rig.wire.SendFromRadio(B("xyz\r!"));
    Mark();
    EXPECT_EQ(port.WaitByte('\r', 1), Code::Done);
    EXPECT_NEAR(Elapsed(), 4 * rig.wire.ByteSeconds(), 1e-9);
    EXPECT_EQ(port.ReadChars(1, 1).text, "!");
}

TEST_F(PrimitivesTest, TimeOutsTakeTheirTime) {
    struct Case {
        const char* name;
        std::function<Code()> run;
        double seconds;
    };
    const Case cases[] = {
        {"WaitByte", [&] { return port.WaitByte('P', 1); }, 1},
        {"ReadReplyLine", [&] { return port.ReadReplyLine(1).code; }, 1},
        {"ReadChars", [&] { return port.ReadChars(6, 10).code; }, 10},
        {"ReadToLineEnd", [&] { return port.ReadToLineEnd(10).code; }, 10},
    };
    for (const Case& c : cases) {
        Mark();
        EXPECT_EQ(c.run(), Code::TimeOut) << c.name;
        EXPECT_GT(Elapsed(), c.seconds) << c.name;
        EXPECT_LT(Elapsed(), c.seconds + 0.002) << c.name;
    }
}

TEST_F(PrimitivesTest, ReadCharsErrorWithoutLineEndIsDrainedAtOnce) {
    // What follows "ERROR" without a pause belongs to it; a byte after a
    // pause does not, and no line end is waited for.
    rig.wire.SendFromRadio(B("ERROR\r"));
    rig.wire.SendFromRadio(B("X"), 0.5);
    Mark();
    EXPECT_EQ(port.ReadChars(6, 10).code, Code::ErrorText);
    EXPECT_LT(Elapsed(), 6 * rig.wire.ByteSeconds() + link::kLineGapSeconds + 0.002);
    EXPECT_EQ(port.ReadChars(1, 1).text, "X");
}

TEST(WaitNoticeTest, LongWaitsSayWhatTheyWaitForEachSecond) {
    const struct {
        const char* name;
        std::vector<std::string> faults;
        std::function<void(LinkRig&)> run;
        std::string what;
        int lastSecond;
    } cases[] = {
        {"echo", {"no-echo", "off"}, [](LinkRig& r) { r.link.Port().SendByte('P'); }, Words(link::kWaitEcho), 100},
        {"reply", {}, [](LinkRig& r) { r.link.Port().ReadChars(6, 10); }, Words(link::kWaitRadio), 10},
        {"sync", {"off"}, [](LinkRig& r) { r.link.SyncRadio(); }, Words(link::kWaitRadioInSync), 10},
    };
    for (const auto& c : cases) {
        LinkRig rig(With(c.faults));
        ASSERT_TRUE(rig.link.Port().PortInit());
        c.run(rig);
        const auto& seen = rig.observer.activity;
        auto saw = [&seen](const std::string& text) { return std::find(seen.begin(), seen.end(), text) != seen.end(); };
        EXPECT_TRUE(saw(c.what + " 1 s")) << c.name;
        EXPECT_TRUE(saw(c.what + " " + std::to_string(c.lastSecond) + " s")) << c.name;
        EXPECT_FALSE(saw(c.what + " " + std::to_string(c.lastSecond + 1) + " s")) << c.name;
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.back(), "") << c.name << ": the line is cleared when the link is done";
    }
}

// Each read takes what belongs to it and leaves the rest for the next one:
// "error" ends ReadChars with its line end, a lone CR ends a reply line as
// malformed, and ReadToLineEnd drops what lies between CR and LF.
TEST_F(PrimitivesTest, ReadsTakeTheirLineAndLeaveTheRest) {
    const struct {
        const char* sent;
        std::function<link::Reception()> read;
        Code code;
        const char* text;
        const char* rest;  // read next; "": nothing more is read
    } cases[] = {
        {"error\r\nAB", [&] { return port.ReadChars(6, 10); }, Code::ErrorText, "error", "AB"},
        {"\t00\t74\rjunk\nZ", [&] { return port.ReadToLineEnd(10); }, Code::Done, "\t00\t74", "Z"},
        {"OK\r\n", [&] { return port.ReadReplyLine(1); }, Code::Done, "OK", ""},
        {"OK\rX", [&] { return port.ReadReplyLine(1); }, Code::Malformed, "OK", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sent);
        rig.wire.SendFromRadio(B(c.sent));
        const auto r = c.read();
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.text, c.text);
        if (!*c.rest) continue;
        const auto next = port.ReadChars(static_cast<int>(std::strlen(c.rest)), 1);
        EXPECT_EQ(next.code, Code::Done);
        EXPECT_EQ(next.text, c.rest);
    }
}

TEST_F(PrimitivesTest, CancelWinsOverAByteOfTheSamePass) {
    rig.wire.SendFromRadio(B("P"));
    rig.wire.OnYield([this] {
        if (rig.wire.Port().BytesAvailable() > 0) rig.State().CancelRequested = true;
    });
    EXPECT_EQ(port.WaitByte('P', 1), Code::Cancelled);
}

TEST_F(PrimitivesTest, GoodEchoClearsTheFlags) {
    rig.State().CommError = true;
    rig.State().CancelRequested = true;
    port.SendText("#CMDSY");
    EXPECT_FALSE(rig.State().CommError);
    EXPECT_FALSE(rig.State().CancelRequested);
    EXPECT_EQ(rig.SentText(), "#CMDSY\r\n");
    // 10 ms pause, then eight bytes on the line.
    EXPECT_NEAR(rig.wire.Now(), 0.010 + 8 * rig.wire.ByteSeconds(), 1e-9);
}

TEST_F(PrimitivesTest, NoEchoModeLeavesTheFlags) {
    rig.State().NoEchoMode = true;
    rig.State().CommError = true;
    rig.State().CancelRequested = true;
    port.SendText("#CMDSY");
    EXPECT_TRUE(rig.State().CommError);
    EXPECT_TRUE(rig.State().CancelRequested);
    rig.State().CommError = false;
    port.SendByte('P');
    EXPECT_FALSE(rig.State().CommError);
}

TEST(EchoMismatchTest, StopsAtOnceAndLeavesTheRestForTheFlush) {
    sim::Faults faults;
    faults.corruptEcho = 1;
    LinkRig rig(faults);
    ASSERT_TRUE(rig.link.Port().PortInit());
    rig.link.Port().SendText("ZZ");
    EXPECT_TRUE(rig.State().CommError);
    EXPECT_NEAR(rig.wire.Now(), 0.010 + rig.wire.ByteSeconds(), 1e-9);
    rig.wire.AdvanceTo(rig.wire.Now() + 0.1);
    EXPECT_GE(rig.wire.Port().BytesAvailable(), 3);  // the rest of the echo (and the radio's answer)
    rig.link.Port().FlushInput();
    EXPECT_EQ(rig.wire.Port().BytesAvailable(), 0);
}

TEST(EchoTimeOutTest, SilentCableEndsAfterOneHundredSeconds) {
    sim::Faults faults;
    faults.noEcho = true;
    faults.noProbe = true;
    LinkRig rig(faults);
    ASSERT_TRUE(rig.link.Port().PortInit());
    rig.link.Port().SendByte('P');
    EXPECT_TRUE(rig.State().CommError);
    EXPECT_GT(rig.wire.Now(), 100.0);
    EXPECT_LT(rig.wire.Now(), 100.02);
}

TEST_F(PrimitivesTest, ReopeningDiscardsStaleBytes) {
    rig.wire.SendFromRadio(B("stale\r\n"));
    rig.wire.AdvanceTo(1);
    ASSERT_GT(rig.wire.Port().BytesAvailable(), 0);
    EXPECT_TRUE(port.PortInitCP());
    EXPECT_EQ(rig.wire.Port().BytesAvailable(), 0);
    // PortOpen changes nothing on an open port.
    rig.wire.SendFromRadio(B("x"));
    rig.wire.AdvanceTo(2);
    EXPECT_TRUE(port.PortOpen());
    EXPECT_EQ(rig.wire.Port().BytesAvailable(), 1);
    EXPECT_EQ(rig.wire.Opens(), 2);
    EXPECT_EQ(rig.wire.LastSettings(), "4800,N,8,1");
}

TEST_F(PrimitivesTest, MonitorOnlyInDebugMode) {
    port.ShowMonitor("status check..");
    EXPECT_TRUE(rig.observer.monitor.empty());
    EXPECT_EQ(rig.wire.Now(), 0);
    rig.State().DebugMode = true;
    port.ShowMonitor("status check..");
    EXPECT_EQ(rig.observer.monitor, std::vector<std::string>{"status check.."});
    EXPECT_DOUBLE_EQ(rig.wire.Now(), 0.5);
}

TEST_F(PrimitivesTest, NothingIsSentToAClosedPort) {
    port.ClosePort();
    port.SendText("#CMDSY");
    EXPECT_EQ(rig.wire.PcWrites(), 0);
    EXPECT_TRUE(rig.State().CommError);
    EXPECT_EQ(port.WaitByte('P', 10), Code::TimeOut);
    EXPECT_LT(rig.wire.Now(), 0.1);  // a closed port cannot answer: no waiting for it
}

TEST_F(PrimitivesTest, PulledOutMidWait) {
    rig.wire.OnYield([this] {
        if (rig.wire.Now() > 0.5 && rig.wire.Port().IsOpen()) rig.wire.Unplug();
    });
    EXPECT_EQ(port.ReadChars(6, 10).code, Code::TimeOut);
    EXPECT_LT(rig.wire.Now(), 0.51);
    EXPECT_FALSE(port.PortOpen());
}

TEST(PortInitFailureTest, LoggedUnderTheProcedureName) {
    testing::RecordingErrorLog log;
    LinkRig rig;
    rig.link.SetErrorLog(log);
    rig.wire.FailOpens(link::PortError{5, "device busy"});
    EXPECT_FALSE(rig.link.Port().PortInit());
    EXPECT_FALSE(rig.link.Port().PortInitCP());
    EXPECT_FALSE(rig.link.Port().PortOpen());
    EXPECT_EQ(log.reports, (std::vector<std::string>{"frmRadio.PortInit -> 5device busy",
                                                     "frmRadio.PortInitCP -> 5device busy",
                                                     "frmRadio.PortOpen -> 5device busy"}));
}

TEST(PortOpenFailure, NamesTheDeviceOrTheSimulatedRadio) {
    link::PortError missing(5, "");
    missing.systemError = ENOENT;
    EXPECT_EQ(link::OpenFailureText(missing, "/dev/ttyUSB0").rfind("Cannot open the serial port /dev/ttyUSB0: ", 0), 0u);
    link::PortError pulled(5, "the cable is pulled out");
    EXPECT_EQ(link::OpenFailureText(pulled, link::kSimulatedRadioDevice),
              "Cannot open the simulated radio's cable: the cable is pulled out.");
}

}  // namespace
}  // namespace rp770::testing
