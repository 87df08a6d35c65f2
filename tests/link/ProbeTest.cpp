// The connection test against the simulated radio on the virtual cable: what
// it finds for each way the line or the radio can fail, how long it takes,
// that it shows nothing itself and leaves the radio after the abort.
#include <gtest/gtest.h>

#include <cerrno>

#include "LinkRig.h"

namespace rp770::testing {
namespace {

using link::ProbeResult;

TEST(ProbeTest, SaysWhatItFoundWithinAQuarterOfAMinute) {
    const struct {
        std::vector<std::string> faults;
        bool openFails;
        ProbeResult result;
        const char* says;
        int aborts;  // CAN sent: after every synchronisation
        bool found;  // an MR318 answered
        bool noEchoMode = false;
    } cases[] = {
        {{}, false, ProbeResult::Found,
         "The radio answered on /dev/ttyUSB0: MR318 (model code 0x013E). It is ready to be read and programmed.", 1, true},
        {{"model=0x0140"}, false, ProbeResult::Found, "its model code is 0x0140: it is not an MR318", 1, false},
        {{"no-probe", "acmd=none"}, false, ProbeResult::Found, "MR318", 1, true},
        {{}, true, ProbeResult::PortFailed, "Cannot open the serial port /dev/ttyUSB0: Permission denied.", 0, false},
        {{"no-echo", "off"}, false, ProbeResult::NoEcho, "No echo from the cable on /dev/ttyUSB0", 0, false},
        {{"off"}, false, ProbeResult::NoAnswer, "echoes, but no radio answered. Check that the radio is in PC CONTROL", 0,
         false},
        {{"no-echo", "off"}, false, ProbeResult::Silent,
         "Nothing came back on /dev/ttyUSB0. With the echo check off, the cable cannot be told from the radio", 0,
         false, true},
        {{"acmd=error"}, false, ProbeResult::Refused, "refused the synchronisation", 0, false},
        {{"busy"}, false, ProbeResult::NotReady, "did not report ready", 1, false},
        {{"silent-from=1"}, false, ProbeResult::NoModelCode, "model code could not be read", 1, false},
    };
    for (const auto& c : cases) {
        LinkRig rig(With(c.faults));
        rig.State().PortDevice = "/dev/ttyUSB0";
        rig.State().NoEchoMode = c.noEchoMode;
        link::PortError refused(13, "denied");
        refused.systemError = EACCES;
        if (c.openFails) rig.wire.FailOpens(refused);
        const link::ProbeReport report = rig.link.Probe();
        EXPECT_EQ(report.result, c.result) << c.says;
        EXPECT_EQ(report.RadioFound(), c.found) << c.says;
        EXPECT_NE(report.Text().find(c.says), std::string::npos) << report.Text();
        EXPECT_EQ(rig.radio.Log().cans, c.aborts) << c.says;
        EXPECT_LT(rig.wire.Now(), 15.0) << c.says;
        // It shows nothing and leaves the link as it found it.
        EXPECT_TRUE(rig.Shown().boxes.empty()) << c.says;
        EXPECT_FALSE(rig.wire.Port().IsOpen());
        EXPECT_EQ(rig.State().RetryCount, 3);
        EXPECT_FALSE(rig.State().CancelRequested);
    }
}

TEST(ProbeTest, TransfersKeepTheProtocolsLimits) {
    LinkRig rig(With("off"));
    rig.link.Probe();
    const double start = rig.wire.Now();
    EXPECT_FALSE(rig.link.SyncRadio());
    EXPECT_GT(rig.wire.Now() - start, 60.0);  // six "#CMDSY" acknowledgements awaited 10 s each
}

}  // namespace
}  // namespace rp770::testing
