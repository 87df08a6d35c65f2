#pragma once
// The serial ports the system reports, with what it knows of each: on Linux
// from sysfs (/sys/class/tty: the USB adapter's maker, product, vendor and
// product ids and serial number) and /dev/serial/by-id (the name that
// survives replugging); on Windows from the system's list of COM ports;
// on macOS the /dev/cu.* devices. Plain C++ over the system's files and
// calls; no Qt.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

// Where a Linux system describes its terminals; other folders in tests.
struct SysfsFolders {
    std::string ttyClass = "/sys/class/tty";
    std::string byId = "/dev/serial/by-id";
    std::string dev = "/dev";
};

// In the system's order of device names (ttyS2 before ttyS10).
std::vector<SerialPortEntry> ScanSerialPorts();
// Linux's rules over the given folders: a terminal is listed when it has a
// device behind it, unless it is a serial port with no UART (type 0).
std::vector<SerialPortEntry> ScanSysfsSerialPorts(const SysfsFolders& folders);

// What sysfs says of a device's USB adapter (Linux; the device may be
// named through a link): whether it is one, and its latency timer in
// milliseconds where its driver has one (FTDI).
bool IsUsbSerialAdapter(const std::string& device, const SysfsFolders& folders = {});
std::optional<int> LatencyTimerMs(const std::string& device, const SysfsFolders& folders = {});

}  // namespace rp770::platform
