// A transfer through a USB serial adapter, on the virtual clock: where the
// port got no low latency and the transfer ran more than 5 % over what the
// cable needs, the user is told once, after it ends, what slowed it and how
// to fix it on that system.
#include <gtest/gtest.h>

#include <optional>

#include "LinkRig.h"
#include "link/TransferPace.h"

namespace rp770::testing {
namespace {

struct Adapted {
    sim::AdapterModel model;
    sim::AdapterDriver driver;
    link::HostSystem system;
};

// The messages after "Complete!!" of a read through the adapter.
std::vector<std::string> AfterRead(LinkRig& rig) {
    DataSet data = FreshData();
    EXPECT_TRUE(rig.link.SyncRadio());
    EXPECT_TRUE(rig.link.ReadFromRadio(data));
    std::vector<std::string> said;
    for (const Message& m : rig.link.TakeMessages())
        if (m.text != "Complete!!") said.push_back(m.text);
    return said;
}

TEST(TransferPace, ASlowTransferIsExplainedWhereLowLatencyCouldNotBeHad) {
    sim::AdapterModel slowWithoutSetting = sim::Ch340Adapter();
    slowWithoutSetting.latencySeconds = 0.016;
    const struct {
        const char* what;
        std::optional<Adapted> adapter;
        const char* advice;  // a part of it; null: none
    } cases[] = {
        {"straight to the line", std::nullopt, nullptr},
        {"FTDI, low latency granted", Adapted{sim::FtdiAdapter(), sim::AdapterDriver::GrantsLowLatency, link::HostSystem::Linux}, nullptr},
        {"CH340, fast by itself", Adapted{sim::Ch340Adapter(), sim::AdapterDriver::GrantsLowLatency, link::HostSystem::Linux}, nullptr},
        {"FTDI, refused on Linux", Adapted{sim::FtdiAdapter(), sim::AdapterDriver::RefusesLowLatency, link::HostSystem::Linux},
         "The transfer took 16.5 s, 10 % longer than the cable itself needs (14.9 s): the USB serial adapter holds"},
        {"FTDI, refused on Linux: the fix", Adapted{sim::FtdiAdapter(), sim::AdapterDriver::RefusesLowLatency, link::HostSystem::Linux},
         "refused to shorten the timer. To make transfers fast, set the timer to 1 ms: RP770's package does it"},
        {"FTDI on Windows", Adapted{sim::FtdiAdapter(), sim::AdapterDriver::CannotBeAsked, link::HostSystem::Windows},
         "and set the Latency Timer (msec) to 1."},
        {"in a browser", Adapted{sim::FtdiAdapter(), sim::AdapterDriver::CannotBeAsked, link::HostSystem::Browser},
         "A browser cannot shorten the timer."},
        {"a slow adapter with no setting", Adapted{slowWithoutSetting, sim::AdapterDriver::GrantsLowLatency, link::HostSystem::Linux},
         "Its driver has no setting to shorten it"},
    };
    for (const auto& c : cases) {
        LinkRig rig;
        if (c.adapter) rig.wire.UseAdapter(c.adapter->model, c.adapter->driver, c.adapter->system);
        const std::vector<std::string> said = AfterRead(rig);
        if (!c.advice) {
            EXPECT_TRUE(said.empty()) << c.what << ": " << (said.empty() ? "" : said[0]);
            continue;
        }
        ASSERT_EQ(said.size(), 1u) << c.what;
        EXPECT_NE(said[0].find(c.advice), std::string::npos) << c.what << ": " << said[0];
    }
}

TEST(TransferPace, IsSaidOnceAndOnlyAfterATransferThatCompleted) {
    LinkRig rig;
    rig.wire.UseAdapter(sim::FtdiAdapter(), sim::AdapterDriver::RefusesLowLatency);
    EXPECT_EQ(AfterRead(rig).size(), 1u);
    EXPECT_TRUE(AfterRead(rig).empty()) << "the same device again";

    LinkRig failing(With("silent-from=20"));
    failing.wire.UseAdapter(sim::FtdiAdapter(), sim::AdapterDriver::RefusesLowLatency);
    DataSet data = FreshData();
    ASSERT_TRUE(failing.link.SyncRadio());
    EXPECT_FALSE(failing.link.ReadFromRadio(data));
    for (const Message& m : failing.link.TakeMessages()) EXPECT_EQ(m.text.find("latency"), std::string::npos) << m.text;
}

TEST(TransferPace, TheMonitorSaysWhatTheOpenGot) {
    link::PortLatency latency;
    latency.lowLatency = link::LowLatency::Granted;
    latency.latencyTimerMs = 1;
    EXPECT_EQ(link::LowLatencyText(latency), "low latency: granted (latency timer 1 ms)");
    latency.lowLatency = link::LowLatency::Refused;
    latency.error = EPERM;
    latency.latencyTimerMs = 16;
    EXPECT_EQ(link::LowLatencyText(latency), "low latency: refused by the driver: Operation not permitted (latency timer 16 ms)");
    EXPECT_DOUBLE_EQ(link::ByteSeconds("4800,N,8,1"), 10.0 / 4800);
    EXPECT_DOUBLE_EQ(link::ByteSeconds("9600,E,8,2"), 12.0 / 9600);
}

}  // namespace
}  // namespace rp770::testing
