#pragma once
// How fast a transfer went against what the cable itself needs: every byte
// on the line at the line's speed (ten bits a byte at 4800 baud) and the
// pauses the protocol makes. A USB serial adapter that holds received bytes
// for its latency timer makes every exchange wait; where the port could not
// get low latency and a transfer ran more than 5 % over, the user is told
// once, after it ends, what slowed it and how to change that on the system
// (the window, the command line and the page all say it from here). And
// what opening the port got, for the monitor.

#include <cstddef>
#include <string>

#include "link/SerialPort.h"

namespace rp770::link {

inline constexpr double kSlowTransferFactor = 1.05;

// What a transfer puts on the line and the pauses it makes, from its start.
struct TransferPace {
    bool running = false;
    double start = 0;
    double pausedSeconds = 0;
    size_t lineBytes = 0;  // sent by the PC and received from the radio (echoes travel with what they echo)

    void Start(double now) { *this = {true, now, 0, 0}; }
    void Paused(int milliseconds) {
        if (running) pausedSeconds += milliseconds / 1000.0;
    }
    void Carried(size_t bytes) {
        if (running) lineBytes += bytes;
    }
    // The least the transfer could have taken.
    double BoundSeconds(double byteSeconds) const { return static_cast<double>(lineBytes) * byteSeconds + pausedSeconds; }
};

// The seconds a byte takes on the line of the given settings ("4800,N,8,1":
// a start bit, eight data bits and a stop bit at 4800 baud).
double ByteSeconds(const std::string& lineSettings);

// "low latency: granted (latency timer 1 ms)" and the like: what the open got.
std::string LowLatencyText(const PortLatency& latency);

// Whether a transfer that took `seconds` where `boundSeconds` would do is
// worth the advice: more than 5 % over, on a port that could not get low
// latency (refused, not to be asked, or a USB adapter with no such setting).
bool WorthLatencyAdvice(const PortLatency& latency, double seconds, double boundSeconds);

// What slowed the transfer and how to make the next one fast on that system.
std::string SlowTransferAdvice(const PortLatency& latency, double seconds, double boundSeconds);

}  // namespace rp770::link
