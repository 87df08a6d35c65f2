#pragma once
// The serial ports the system reports, as plain data: what the SerialPort
// menu lists and `rp770-cli ports` prints (through session/PortChoice.h).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "session/PortChoice.h"

namespace rp770::platform {

struct SerialPortEntry {
    std::string device;        // what to open: "/dev/ttyUSB0", "COM3"
    std::string manufacturer;  // as the system reports them; empty when it does not
    std::string product;
    std::optional<uint16_t> vendorId;   // USB devices
    std::optional<uint16_t> productId;
    std::string serialNumber;
    std::string stableName;    // Linux: the /dev/serial/by-id link to it, which survives replugging

    // "FTDI FT232R USB UART, USB 0403:6001, serial A50285BI,
    // /dev/serial/by-id/usb-FTDI_..."; empty when nothing is known.
    std::string Description() const;
    // The name to remember: the stable one when there is one.
    const std::string& RememberedName() const { return stableName.empty() ? device : stableName; }
    // True when the name (as remembered or typed) is this port.
    bool Names(const std::string& name) const { return !name.empty() && (name == device || name == stableName); }
};

// In the system's order of device names.
std::vector<SerialPortEntry> ListSerialPorts();

// The same for the port choice, with the devices COM1-COM4 open here.
SystemPorts SystemSerialPorts();

}  // namespace rp770::platform
