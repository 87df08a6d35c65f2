// Synchronisation and status check against the simulated radio.
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

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
    EXPECT_TRUE(rig.Shown().boxes.empty());
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
    const std::string refused = link::SyncFailureText(link::SyncStage::Refused);
    for (const Case& c : cases) {
        LinkRig rig(With(c.fault));
        rig.link.SetTitle("Program to Radio");
        EXPECT_EQ(rig.link.SyncRadio(), c.synced) << c.fault;
        if (*c.message) {
            // A failed synchronisation ends with the stage that failed.
            ASSERT_EQ(rig.Shown().boxes.size(), c.synced ? 1u : 2u) << c.fault;
            EXPECT_EQ(rig.Shown().boxes[0].text, c.message);
            EXPECT_EQ(rig.Shown().boxes[0].title, "Program to Radio");
            EXPECT_EQ(rig.Shown().boxes[0].icon, Icon::Critical);
            if (!c.synced) {
                EXPECT_EQ(rig.Shown().boxes[1].text, refused);
            }
        } else {
            EXPECT_TRUE(rig.Shown().boxes.empty()) << c.fault;
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
    EXPECT_EQ(rig.Shown().Texts(), std::vector<std::string>{link::SyncFailureText(link::SyncStage::Refused)});
    EXPECT_GT(rig.wire.Now(), 30.0);  // three acknowledgements awaited 10 s each
    EXPECT_LT(rig.wire.Now(), 40.0);  // ... plus the monitor pauses
}

// An unplugged cable (nothing echoes) is found out at the first send; a
// line that echoes keeps the protocol's waits for the radio.
TEST(HandshakeTest, AFailedSynchronisationSaysWhichStageFailed) {
    const struct {
        std::vector<std::string> faults;
        link::SyncStage stage;
        double fromSeconds, toSeconds;
        bool noEchoMode = false;  // the echo not checked: a silent line may be the cable too
    } cases[] = {
        {{"no-echo", "off"}, link::SyncStage::NoEcho, 0, 6},
        {{"off"}, link::SyncStage::NoAnswer, 60, 80},
        {{"no-echo", "off"}, link::SyncStage::Silent, 60, 80, true},
    };
    for (const auto& c : cases) {
        LinkRig rig(With(c.faults));
        rig.State().NoEchoMode = c.noEchoMode;
        EXPECT_FALSE(rig.link.SyncRadio());
        EXPECT_EQ(rig.link.Handshaking().LastSyncStage(), c.stage);
        EXPECT_GE(rig.wire.Now(), c.fromSeconds);
        EXPECT_LE(rig.wire.Now(), c.toSeconds);
        ASSERT_FALSE(rig.Shown().boxes.empty());
        EXPECT_EQ(rig.Shown().boxes.back().text, link::SyncFailureText(c.stage));
        EXPECT_EQ(rig.Shown().boxes.back().icon, Icon::Warning);
    }
}

// A port that does not open (at the start, or when it is reopened before
// "#CMDSY") is told at once: the program's message, then the device, the
// system's reason and what to do. Nothing is sent to it.
TEST(HandshakeTest, APortThatDoesNotOpenNamesTheDeviceAndTheReason) {
    const struct {
        bool atReopen;
        int systemError;
        const char* group;
        const char* device;  // as the port reports it; else the one the user named
        const char* says;
    } cases[] = {
        {false, ENOENT, "", "", "/dev/ttyUSB7: No such file or directory. Check the name"},
        {false, EACCES, "dialout", "/dev/ttyUSB7",
         "/dev/ttyUSB7: Permission denied. Only members of the group dialout may use it: join it (sudo usermod -a -G "
         "dialout $USER), then log out and back in."},
        {false, EACCES, "", "", "/dev/ttyUSB7: Permission denied. Ask the computer's administrator"},
        {true, EBUSY, "", "/dev/ttyUSB7", "/dev/ttyUSB7: Device or resource busy. Another program is using it"},
        {false, 0, "", "", "/dev/ttyUSB7: the port's own words."},
    };
    for (const auto& c : cases) {
        LinkRig rig;
        rig.State().PortDevice = "/dev/ttyUSB7";
        link::PortError error(2, "the port's own words");
        error.systemError = c.systemError;
        error.deviceGroup = c.group;
        error.device = c.device;
        if (c.atReopen)
            rig.wire.OnYield([&rig, error] {
                if (!rig.radio.Log().lines.empty()) rig.wire.FailOpens(error);
            });
        else
            rig.wire.FailOpens(error);
        EXPECT_FALSE(rig.link.SyncRadio());
        // One box: the program's own words, then which device and why.
        ASSERT_EQ(rig.Shown().boxes.size(), 1u) << c.says;
        const std::string& text = rig.prompter.boxes[0].text;
        EXPECT_EQ(text.rfind("port inicialize error!!\nCannot open the serial port ", 0), 0u) << text;
        EXPECT_NE(text.find(c.says), std::string::npos) << text;
        EXPECT_EQ(rig.radio.Log().syncRequests, 0);
        EXPECT_EQ(rig.wire.PcWrites() == 0, !c.atReopen);
        EXPECT_LT(rig.wire.Now(), c.atReopen ? 5.0 : 0.001);
    }
}

TEST(HandshakeTest, CancelWhileProbingEndsTheSynchronisation) {
    LinkRig rig(With("no-probe"));
    rig.CancelWhen([&rig] { return rig.wire.Now() > 0.5; });
    EXPECT_FALSE(rig.link.SyncRadio());
    EXPECT_EQ(rig.radio.Log().probes, 1);
    EXPECT_TRUE(rig.radio.Log().lines.empty());
    EXPECT_TRUE(rig.Shown().boxes.empty());
}

struct StatusRig : LinkRig {
    explicit StatusRig(const std::string& fault) : LinkRig(fault.empty() ? sim::Faults{} : With(fault)) {
        State().DebugMode = true;
        EXPECT_TRUE(link.SyncRadio());
        observer.monitor.clear();
    }
};

// The status check against a radio that is busy, refuses or garbles its
// answer: what it returns, how often it asked and the questions put to the user.
TEST(StatusCheckTest, BusyRefusedAndGarbledAnswers) {
    const std::string confirm = "confirm the synchronization of the communication";
    const struct {
        const char* fault;
        std::vector<Answer> answers;  // none: the default answer, Cancel
        bool ok;
        int statusRequests;
        std::vector<std::string> boxes;
        std::function<void(StatusRig&)> also;  // what only this case shows
    } cases[] = {
        {"busy=1", {Answer::Retry}, true, 2, {"Radio is busy!!"}, [](StatusRig& rig) {
             EXPECT_EQ(rig.Shown().boxes[0].icon, Icon::Warning);
             EXPECT_EQ(rig.Shown().boxes[0].buttons, Buttons::RetryCancel);
             EXPECT_EQ(rig.observer.monitor,
                       (std::vector<std::string>{"status check..", "status check..", "status check.. OK"}));
         }},
        {"busy", {}, false, 1, {"Radio is busy!!"}, [](StatusRig& rig) {
             EXPECT_EQ(rig.observer.monitor.back(), "status check.. NG!!");
             EXPECT_FALSE(rig.State().CommError);  // only echoes and acknowledgements touch it here
         }},
        {"status-checksum", {}, false, 1, {}, [](StatusRig& rig) {
             const std::string sent = rig.SentText();
             EXPECT_EQ(sent.substr(sent.size() - 8), "#CMDSM\r\n");
         }},
        {"status-error", {Answer::Cancel}, false, 3, {confirm}, [](StatusRig& rig) {
             EXPECT_EQ(rig.Shown().boxes[0].icon, Icon::Question);
             EXPECT_EQ(rig.Shown().boxes[0].buttons, Buttons::OkCancel);
             // Never acknowledged: no further monitor text.
             EXPECT_EQ(rig.observer.monitor, std::vector<std::string>{"status check.."});
         }},
        // Resynchronised after the third refusal: one more attempt.
        {"status-error=3", {Answer::Ok}, true, 4, {confirm}, [](StatusRig& rig) {
             EXPECT_EQ(rig.radio.Log().syncRequests, 4);  // two for the start, two for the question
         }},
        {"status-error=1", {}, true, 2, {}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        StatusRig rig(c.fault);
        rig.prompter.answers = {c.answers.begin(), c.answers.end()};
        EXPECT_EQ(rig.link.Handshaking().StatusCheck(), c.ok);
        EXPECT_EQ(rig.radio.Log().statusRequests, c.statusRequests);
        ASSERT_EQ(rig.Shown().Texts(), c.boxes);
        if (c.also) c.also(rig);
    }
}

TEST(StatusCheckTest, CancelWhileWaitingForTheReply) {
    StatusRig rig("");
    rig.CancelWhen([&rig] { return rig.radio.Log().statusRequests == 1; });
    EXPECT_FALSE(rig.link.Handshaking().StatusCheck());
    EXPECT_TRUE(rig.Shown().boxes.empty());  // cancelled while the acknowledgement was awaited
}

}  // namespace
}  // namespace rp770::testing
