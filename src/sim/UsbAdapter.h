#pragma once
// A USB serial adapter between the cable's line and the PC, modelled on the
// virtual clock. Bytes that arrive from the line (the echo of what the PC
// sent, and the radio's answers) wait in the adapter until it hands them to
// the host: when a USB packet is full, or when its latency timer runs out,
// whichever comes first. The timer runs on its own, restarting whenever a
// packet goes to the host, so a byte waits for the timer's next expiry.
//
// The adapters modelled, and on what grounds:
//   FTDI    a 16 ms latency timer (the chips' default), 1 ms once the driver
//           grants low latency (Linux's FTDI driver sets the timer to 1 ms
//           for ASYNC_LOW_LATENCY); 62 data bytes to a 64-byte packet (two
//           bytes of each packet are the modem status).
//   CH340   no latency timer: with the buffering bit that Linux's CH341
//           driver sets, received bytes go out at the host's next poll, once
//           a USB frame (1 ms); 32-byte packets (the chip's bulk endpoint).
//   CP210x  no latency timer: received bytes go out at the host's next
//           poll, once a frame (1 ms); 64-byte packets.
// Neither of the last two has a setting for low latency.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace rp770::sim {

struct AdapterModel {
    std::string name;
    double latencySeconds = 0.016;  // the timer, as the adapter starts
    int packetBytes = 62;           // data bytes a packet carries
    double lowLatencySeconds = 0;   // the timer once low latency is granted; 0: no such setting
};

AdapterModel FtdiAdapter();
AdapterModel Ch340Adapter();
AdapterModel Cp210xAdapter();

// The bytes in one adapter, in virtual time.
class AdapterBuffer {
public:
    explicit AdapterBuffer(double latencySeconds, int packetBytes);

    // A byte from the line at `time` (not earlier than any before it).
    void Arrive(double time, uint8_t byte);
    // When the waiting bytes go to the host; nothing when none wait.
    std::optional<double> NextRelease() const;
    // Hands what has gone to the host by `time` over to `host`.
    void ReleaseUpTo(double time, std::deque<uint8_t>& host);
    // Drops what waits (the port was closed).
    void Clear();
    void SetLatency(double seconds) { latency_ = seconds; }
    double Latency() const { return latency_; }

private:
    double TimerExpiryAfter(double time) const;
    // The waiting bytes go to the host at `time`.
    void Send(double time);

    double latency_;
    int packetBytes_;
    double timerStart_ = 0;  // when a full packet last restarted the timer
    std::deque<uint8_t> waiting_;
    double release_ = 0;     // when the waiting bytes go, unless the packet fills first
    std::deque<std::pair<double, uint8_t>> sent_;  // gone to the host, with when
};

}  // namespace rp770::sim
