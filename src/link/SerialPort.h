#pragma once
// The PC end of the programming cable. The radio link reaches the port only
// through this interface: the desktop gives a real serial port, the tests a
// virtual wire to a simulated radio.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rp770::link {

// The device name of the simulated radio, wherever a port is chosen.
inline constexpr const char* kSimulatedRadioDevice = "sim";

// Which port to open: a device named by the user, or else port number n
// (the platform's default device for n, "COMn" on Windows).
struct PortAddress {
    int number = 1;
    std::string device;  // wins when not empty
};

// Why the last open (or the port itself) failed: the port's own number and
// text for the error log; for the user, the device and the system's reason.
struct PortError {
    PortError() = default;
    PortError(int errorNumber, std::string errorText) : number(errorNumber), text(std::move(errorText)) {}

    int number = 0;
    std::string text;
    std::string device;       // the device that was to be opened; empty: not known
    int systemError = 0;      // the reason as an errno value (ENOENT, EACCES, EBUSY...); 0: not known
    std::string deviceGroup;  // access refused: the group that owns the device, where groups grant it
};

// What became of the request for low latency the port made when it opened:
// whether received bytes reach the program at once, or wait in a USB
// adapter for its latency timer (16 ms on FTDI adapters).
enum class LowLatency {
    NotApplicable,  // nothing holds bytes back that the program could change (a virtual cable)
    Granted,        // the driver hands them over at once
    Refused,        // the driver has the setting but refused it
    NotOffered,     // the driver has no such setting
    CannotAsk,      // the system offers no such request (Windows: a setting of the driver; a browser)
};

// The system the port belongs to, for advice on how to change its latency.
enum class HostSystem { Other, Linux, Windows, Browser };

struct PortLatency {
    LowLatency lowLatency = LowLatency::NotApplicable;
    HostSystem system = HostSystem::Other;
    bool usbAdapter = false;            // the port is a USB serial adapter
    int error = 0;                      // why it was refused or not offered (an errno value); 0: not said
    std::optional<int> latencyTimerMs;  // the adapter's latency timer, where the system tells it
    std::string device;                 // the device opened
};

class SerialPort {
public:
    virtual ~SerialPort() = default;
    // Opens the port with line settings such as "4800,N,8,1". False, with
    // LastError() telling why, when the device is missing, busy or refuses
    // the settings.
    virtual bool Open(const PortAddress& address, const std::string& settings) = 0;
    virtual void Close() = 0;
    // False once the port was closed, never opened, or lost (a USB adapter
    // pulled out): a lost port reads nothing and refuses every write.
    virtual bool IsOpen() const = 0;
    // The line settings in force, as text ("4800,N,8,1"); empty when closed.
    virtual std::string Settings() const = 0;
    // Queues the bytes for sending. False when nothing could be written.
    virtual bool Write(const std::vector<uint8_t>& bytes) = 0;
    // Received bytes waiting to be read.
    virtual int BytesAvailable() = 0;
    // The next received byte, or -1 when none is waiting.
    virtual int ReadByte() = 0;
    virtual PortError LastError() const = 0;
    // What the last open got for latency.
    virtual PortLatency Latency() const { return {}; }
};

}  // namespace rp770::link
