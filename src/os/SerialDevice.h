#pragma once
// A serial device of the system, held by this program alone while it is
// open: on POSIX systems a terminal device through termios (TIOCEXCL and an
// exclusive flock), on Windows a COM port through the Win32 API. Opening
// sets the line and asks the driver for low latency, so that received bytes
// reach the program as soon as they arrive (a USB adapter otherwise holds
// them for its latency timer). Reads wait at most the time given; nothing
// here runs an event loop. Plain C++ over the system's calls; no Qt.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rp770::platform {

struct SerialLine {
    int baud = 4800;
    char parity = 'N';  // N, E, O, M or S
    int dataBits = 8;
    int stopBits2 = 2;  // stop bits times two
};

// What became of the request for low latency made at the last open.
enum class LowLatencyState {
    NotAsked,    // no open yet, or the system has no such request (Windows: it is the driver's setting)
    Granted,     // the driver hands received bytes over at once (FTDI: a 1 ms latency timer)
    Refused,     // the driver has the setting but did not take it
    NotOffered,  // the driver has no such setting (a pseudo-terminal, a built-in port, many adapters)
};

struct LowLatencyReport {
    LowLatencyState state = LowLatencyState::NotAsked;
    int error = 0;                      // why it was refused or not offered (an errno value); 0: not said
    std::optional<int> latencyTimerMs;  // the adapter's latency timer, where the system tells it
    bool usbAdapter = false;            // the device is a USB serial adapter
};

class SerialDriverControl;

class SerialDevice {
public:
    // `control`: the driver's settings through which the low latency is
    // asked (Linux); the system's own when null.
    explicit SerialDevice(SerialDriverControl* control = nullptr);
    ~SerialDevice();  // closes the device
    SerialDevice(const SerialDevice&) = delete;
    SerialDevice& operator=(const SerialDevice&) = delete;

    // Opens the device for this program alone and sets the line (no flow
    // control, raw bytes). 0, or the failure as an errno value: ENOENT,
    // EACCES, EBUSY when another program holds the device, EINVAL for a line
    // the device cannot take.
    int Open(const std::string& device, const SerialLine& line);
    // Gives the driver back the latency it had before, then closes.
    void Close();
    bool IsOpen() const;

    // Appends what has been received, waiting at most `waitMs` for the first
    // byte. 0, or the failure (EIO: the device went away).
    int Read(std::vector<uint8_t>& into, int waitMs);
    // Hands every byte to the driver, waiting at most two seconds for room.
    // 0, or the failure.
    int Write(const uint8_t* bytes, size_t count);

    const LowLatencyReport& LowLatency() const { return lowLatency_; }

private:
    struct Handle;
    Handle* handle_;
    SerialDriverControl* control_;
    LowLatencyReport lowLatency_;
    bool lowLatencyAdded_ = false;  // this open set the driver's flag: closing clears it
};

}  // namespace rp770::platform
