#pragma once
// The real serial port, over QSerialPort.
//
// Port number n names the platform's default device for n:
//   Windows  "COMn"
//   Linux    "/dev/ttyS<n-1>" (COM1 is /dev/ttyS0)
//   macOS    the n-th serial device in name order ("/dev/cu.*"); when there
//            are fewer, "/dev/cu.serial<n>", which will not open
// A device named by the user ("/dev/ttyUSB0", "COM7", a pseudo-terminal)
// is used as it is.
//
// Works with or without a running event loop: when nothing has been received
// yet, asking how much is there waits at most a millisecond for the line. A
// device that goes away (a USB adapter pulled out) makes the port closed:
// nothing more is read and every write fails.

#include <memory>
#include <string>

#include "link/SerialPort.h"

class QSerialPort;

namespace rp770::platform {

class QtSerialPort : public link::SerialPort {
public:
    QtSerialPort();
    ~QtSerialPort() override;
    QtSerialPort(const QtSerialPort&) = delete;
    QtSerialPort& operator=(const QtSerialPort&) = delete;

    bool Open(const link::PortAddress& address, const std::string& settings) override;
    void Close() override;
    bool IsOpen() const override;
    std::string Settings() const override;
    bool Write(const std::vector<uint8_t>& bytes) override;
    int BytesAvailable() override;
    int ReadByte() override;
    link::PortError LastError() const override { return error_; }

    // The device a port address names on this platform.
    static std::string DeviceName(const link::PortAddress& address);

private:
    void NoteFailure(int error);
    // Why the open failed: the port's error, the device, the system's reason.
    void NoteOpenFailure(const std::string& device);
    void CloseIfLost();

    std::unique_ptr<QSerialPort> port_;
    std::string settings_;
    link::PortError error_;
    bool lost_ = false;
};

}  // namespace rp770::platform
