// The USB serial adapter model: bytes wait for the latency timer's next
// expiry, a full packet goes at once and restarts the timer.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>

#include "sim/UsbAdapter.h"

namespace rp770::sim {
namespace {

// When each byte reached the host, in milliseconds (rounded to a tenth).
std::vector<double> HandOverTimes(double latency, int packet, const std::vector<double>& arrivalsMs) {
    AdapterBuffer adapter(latency, packet);
    std::vector<double> times;
    std::deque<uint8_t> host;
    const auto drain = [&](double until) {
        while (const auto next = adapter.NextRelease()) {
            if (*next > until) break;
            adapter.ReleaseUpTo(*next, host);
            while (!host.empty()) {
                times.push_back(std::round(*next * 10000) / 10);
                host.pop_front();
            }
        }
    };
    for (const double ms : arrivalsMs) {
        drain(ms / 1000);
        adapter.Arrive(ms / 1000, 0x55);
    }
    drain(1e9);
    return times;
}

TEST(UsbAdapter, HoldsBytesForTheTimerOrUntilAPacketIsFull) {
    const struct {
        const char* what;
        double latency;
        int packet;
        std::vector<double> arrivals;
        std::vector<double> handedOver;
    } cases[] = {
        {"one byte waits for the next expiry", 0.016, 62, {5}, {16}},
        {"bytes arriving together go together", 0.016, 62, {5, 7, 9}, {16, 16, 16}},
        {"a byte right at an expiry waits for the next", 0.016, 62, {16}, {32}},
        {"after a hand-over the timer keeps its beat", 0.016, 62, {5, 20}, {16, 32}},
        {"a full packet goes at once and restarts the timer", 0.016, 2, {1, 3, 4}, {3, 3, 19}},
        {"low latency: the next millisecond", 0.001, 62, {0.2, 2.5}, {1, 3}},
    };
    for (const auto& c : cases) EXPECT_EQ(HandOverTimes(c.latency, c.packet, c.arrivals), c.handedOver) << c.what;
}

TEST(UsbAdapter, ModelsTheCommonAdapters) {
    EXPECT_EQ(FtdiAdapter().latencySeconds, 0.016);
    EXPECT_EQ(FtdiAdapter().lowLatencySeconds, 0.001);
    EXPECT_EQ(FtdiAdapter().packetBytes, 62);
    EXPECT_EQ(Ch340Adapter().packetBytes, 32);
    EXPECT_EQ(Ch340Adapter().lowLatencySeconds, 0);
    EXPECT_EQ(Cp210xAdapter().packetBytes, 64);
}

}  // namespace
}  // namespace rp770::sim
