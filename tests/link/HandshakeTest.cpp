// Synchronisation and status check against the simulated radio.
#include <gtest/gtest.h>

#include "link/Frame.h"
#include "LinkRig.h"

namespace rp770::testing {
namespace {

TEST(HandshakeTest, GoodStartOnTheWire) {
    LinkRig rig;
    ASSERT_TRUE(rig.link.SyncRadio());
    ASSERT_TRUE(rig.link.Handshaking().StatusCheck());
    const std::string status = "#CEPSD\t00\t" + link::Hex2(link::FrameChecksum("#CEPSD\t00\t")) + "\r\n";
    EXPECT_EQ(rig.SentText(), "P0ACMD:002\r\n#CMDSY\r\n#CMDSY\r\n#CEPSR\t00\t74\r\n#CMDOK\r\n");
    EXPECT_EQ(rig.RadioText(), "POK\r\n#CMDOK\r\n#CMDOK\r\n#CMDOK\r\n" + status);
    EXPECT_EQ(rig.wire.Opens(), 2);  // opened, then closed and reopened before "#CMDSY"
    EXPECT_TRUE(rig.prompter.boxes.empty());
    EXPECT_FALSE(rig.State().CommError);
    // Nothing but the line, the 10 ms before each of the 7 sends and the 1 s pause.
    const double bytes = static_cast<double>(rig.wire.SentByPc().size() + rig.wire.SentByRadio().size());
    EXPECT_NEAR(rig.wire.Now(), bytes * rig.wire.ByteSeconds() + 7 * 0.010 + 1.0, 1e-6);
}

TEST(HandshakeTest, AnswersToAcmd) {
    struct Case {
        const char* fault;
        bool synced;
        const char* message;  // "" for none
    };
    const Case cases[] = {
        {"acmd=ok", true, ""},
        {"acmd=unknown", true, ""},
        {"acmd=none", true, ""},
        {"acmd=error", false, "ACMD Command error!!"},
        {"acmd=other", false, "error!!"},
        {"acmd=bad-end", true, "error!!"},
    };
    for (const Case& c : cases) {
        LinkRig rig(With(c.fault));
        rig.link.SetTitle("Program to Radio");
        EXPECT_EQ(rig.link.SyncRadio(), c.synced) << c.fault;
        if (*c.message) {
            ASSERT_EQ(rig.prompter.boxes.size(), 1u) << c.fault;
            EXPECT_EQ(rig.prompter.boxes[0].text, c.message);
            EXPECT_EQ(rig.prompter.boxes[0].title, "Program to Radio");
            EXPECT_EQ(rig.prompter.boxes[0].icon, Icon::Critical);
        } else {
            EXPECT_TRUE(rig.prompter.boxes.empty()) << c.fault;
        }
        EXPECT_EQ(rig.radio.Log().syncRequests, c.synced ? 2 : 0) << c.fault;
    }
}

TEST(HandshakeTest, SilenceAfterAcmdCostsOneSecond) {
    LinkRig quiet(With("acmd=none"));
    LinkRig talking;
    ASSERT_TRUE(quiet.link.SyncRadio());
    ASSERT_TRUE(talking.link.SyncRadio());
    // One second of waiting, less the four bytes of "OK" CR LF the talking radio sent.
    EXPECT_NEAR(quiet.wire.Now() - talking.wire.Now(), 1.0 - 4 * talking.wire.ByteSeconds(), 0.002);
}

TEST(HandshakeTest, UnansweredProbesStillSynchronise) {
    LinkRig rig(With("no-probe"));
    rig.State().DebugMode = true;
    EXPECT_TRUE(rig.link.SyncRadio());
    EXPECT_EQ(rig.radio.Log().probes, 3);
    EXPECT_EQ(rig.SentText().substr(0, 3), "PPP");  // no "0": no probe was answered
    EXPECT_NE(std::find(rig.observer.monitor.begin(), rig.observer.monitor.end(), "sync failed!!"),
              rig.observer.monitor.end());
}

TEST(HandshakeTest, OneAcknowledgedSyncIsNotEnough) {
    LinkRig rig(With("sync-once"));
    rig.State().DebugMode = true;
    EXPECT_FALSE(rig.link.SyncRadio());
    EXPECT_EQ(rig.radio.Log().syncRequests, 4);  // pass 1 once, pass 2 three times
    EXPECT_EQ(rig.observer.monitor.back(), "can'not Receive '#CMDOK' !!");
    EXPECT_TRUE(rig.prompter.boxes.empty());
    EXPECT_GT(rig.wire.Now(), 30.0);  // three acknowledgements awaited 10 s each
    EXPECT_LT(rig.wire.Now(), 40.0);  // ... plus the monitor pauses
}

TEST(HandshakeTest, PortThatDoesNotOpenSendsNothing) {
    LinkRig rig;
    rig.wire.FailOpens(link::PortError{2, "no such device"});
    EXPECT_FALSE(rig.link.SyncRadio());
    EXPECT_EQ(rig.wire.PcWrites(), 0);
    EXPECT_EQ(rig.prompter.Texts(), std::vector<std::string>{"port inicialize error!!"});
    EXPECT_LT(rig.wire.Now(), 0.001);
}

TEST(HandshakeTest, PortThatDoesNotReopen) {
    LinkRig rig;
    rig.wire.OnYield([&rig] {
        if (!rig.radio.Log().lines.empty()) rig.wire.FailOpens(link::PortError{5, "busy"});
    });
    EXPECT_FALSE(rig.link.SyncRadio());
    EXPECT_EQ(rig.prompter.Texts(), std::vector<std::string>{"port inicialize error!!"});
    EXPECT_EQ(rig.radio.Log().syncRequests, 0);
}

TEST(HandshakeTest, CancelWhileProbingEndsTheSynchronisation) {
    LinkRig rig(With("no-probe"));
    rig.CancelWhen([&rig] { return rig.wire.Now() > 0.5; });
    EXPECT_FALSE(rig.link.SyncRadio());
    EXPECT_EQ(rig.radio.Log().probes, 1);
    EXPECT_TRUE(rig.radio.Log().lines.empty());
    EXPECT_TRUE(rig.prompter.boxes.empty());
}

struct StatusRig : LinkRig {
    explicit StatusRig(const std::string& fault) : LinkRig(fault.empty() ? sim::Faults{} : With(fault)) {
        State().DebugMode = true;
        EXPECT_TRUE(link.SyncRadio());
        observer.monitor.clear();
    }
};

TEST(StatusCheckTest, BusyThenRetry) {
    StatusRig rig("busy=1");
    rig.prompter.answers = {Answer::Retry};
    EXPECT_TRUE(rig.link.Handshaking().StatusCheck());
    EXPECT_EQ(rig.radio.Log().statusRequests, 2);
    ASSERT_EQ(rig.prompter.boxes.size(), 1u);
    const Box& box = rig.prompter.boxes[0];
    EXPECT_EQ(box.text, "Radio is busy!!");
    EXPECT_EQ(box.icon, Icon::Warning);
    EXPECT_EQ(box.buttons, Buttons::RetryCancel);
    EXPECT_EQ(rig.observer.monitor,
              (std::vector<std::string>{"status check..", "status check..", "status check.. OK"}));
}

TEST(StatusCheckTest, BusyThenCancel) {
    StatusRig rig("busy");
    EXPECT_FALSE(rig.link.Handshaking().StatusCheck());  // the default answer is Cancel
    EXPECT_EQ(rig.radio.Log().statusRequests, 1);
    EXPECT_EQ(rig.observer.monitor.back(), "status check.. NG!!");
    EXPECT_FALSE(rig.State().CommError);  // only echoes and acknowledgements touch it here
}

TEST(StatusCheckTest, WrongChecksumIsAnsweredWithCmdsm) {
    StatusRig rig("status-checksum");
    EXPECT_FALSE(rig.link.Handshaking().StatusCheck());
    const std::string sent = rig.SentText();
    EXPECT_EQ(sent.substr(sent.size() - 8), "#CMDSM\r\n");
    EXPECT_TRUE(rig.prompter.boxes.empty());
}

TEST(StatusCheckTest, ThreeRefusalsAskOnceAfterTheThird) {
    StatusRig rig("status-error");
    rig.prompter.answers = {Answer::Cancel};
    EXPECT_FALSE(rig.link.Handshaking().StatusCheck());
    EXPECT_EQ(rig.radio.Log().statusRequests, 3);
    ASSERT_EQ(rig.prompter.boxes.size(), 1u);
    EXPECT_EQ(rig.prompter.boxes[0].text, "confirm the synchronization of the communication");
    EXPECT_EQ(rig.prompter.boxes[0].icon, Icon::Question);
    EXPECT_EQ(rig.prompter.boxes[0].buttons, Buttons::OkCancel);
    // Never acknowledged: no further monitor text.
    EXPECT_EQ(rig.observer.monitor, std::vector<std::string>{"status check.."});
}

TEST(StatusCheckTest, ResynchronisationGrantsOneMoreAttempt) {
    StatusRig rig("status-error=3");
    rig.prompter.answers = {Answer::Ok};
    EXPECT_TRUE(rig.link.Handshaking().StatusCheck());
    EXPECT_EQ(rig.radio.Log().statusRequests, 4);
    EXPECT_EQ(rig.radio.Log().syncRequests, 4);  // two for the start, two for the question
}

TEST(StatusCheckTest, RetryAfterOneRefusalSucceeds) {
    StatusRig rig("status-error=1");
    EXPECT_TRUE(rig.link.Handshaking().StatusCheck());
    EXPECT_EQ(rig.radio.Log().statusRequests, 2);
    EXPECT_TRUE(rig.prompter.boxes.empty());
}

TEST(StatusCheckTest, CancelWhileWaitingForTheReply) {
    StatusRig rig("");
    rig.CancelWhen([&rig] { return rig.radio.Log().statusRequests == 1; });
    EXPECT_FALSE(rig.link.Handshaking().StatusCheck());
    EXPECT_TRUE(rig.prompter.boxes.empty());  // cancelled while the acknowledgement was awaited
}

}  // namespace
}  // namespace rp770::testing
