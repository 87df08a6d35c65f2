#pragma once
// The real serial port, over the system's serial device (os/SerialDevice.h):
// termios on POSIX systems, the Win32 API on Windows. No event loop is
// needed: asking how much has been received waits at most a millisecond
// when nothing has come yet.
//
// Port number n names the platform's default device for n:
//   Windows  "COMn"
//   Linux    "/dev/ttyS<n-1>" (COM1 is /dev/ttyS0)
//   macOS    the n-th serial device in name order ("/dev/cu.*"); when there
//            are fewer, "/dev/cu.serial<n>", which will not open
// A device named by the user ("/dev/ttyUSB0", "COM7", a pseudo-terminal)
// is used as it is.
//
// Opening asks the driver for low latency (Latency() tells what it got). A
// device that goes away (a USB adapter pulled out) makes the port closed:
// nothing more is read and every write fails.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/SerialPort.h"
#include "os/SerialDevice.h"

namespace rp770::platform {

class SystemSerialPort : public link::SerialPort {
public:
    // `control`: the driver's settings the low latency is asked through
    // (tests watch it); the system's own when null.
    explicit SystemSerialPort(SerialDriverControl* control = nullptr);
    ~SystemSerialPort() override;
    SystemSerialPort(const SystemSerialPort&) = delete;
    SystemSerialPort& operator=(const SystemSerialPort&) = delete;

    bool Open(const link::PortAddress& address, const std::string& settings) override;
    void Close() override;
    bool IsOpen() const override;
    std::string Settings() const override;
    bool Write(const std::vector<uint8_t>& bytes) override;
    int BytesAvailable() override;
    int ReadByte() override;
    link::PortError LastError() const override { return error_; }
    link::PortLatency Latency() const override { return latency_; }

    // Called after every successful open with what it got for latency.
    void OnOpened(std::function<void(const link::PortLatency&)> notice) { opened_ = std::move(notice); }

    // The device a port address names on this platform.
    static std::string DeviceName(const link::PortAddress& address);

private:
    // The device went away: the port is closed, and says why.
    void Lose(int error);

    SerialDevice device_;
    std::string settings_;
    std::vector<uint8_t> pending_;  // received, not read yet; read from `next_` on
    size_t next_ = 0;
    link::PortError error_;
    link::PortLatency latency_;
    std::function<void(const link::PortLatency&)> opened_;
};

}  // namespace rp770::platform
