#pragma once
// Which serial port the program talks to the radio on: the entries of the
// SerialPort menu (and of `rp770-cli ports`) in their order, the one that is
// checked, and the first choice of a new installation. Plain functions over
// the ports the system reports and the remembered choice; the desktop lists
// the ports (desktop/SerialPortList.h), the window and the command line
// show the entries.
//
// The entries, in order:
//   1. the system's devices, in the order the system reports them;
//   2. a chosen device that is not there now, "(not present)";
//   3. COM1-COM4, those the system did not report;
//   4. the simulated radio.
// Where a numbered port's device is one of the system's (COM1 is /dev/ttyS0
// on Linux, COM1 on Windows), one entry stands for both, at the device's
// place: choosing it chooses the number, as COM1 always did, so the
// remembered "ComNum" keeps naming it.

#include <string>
#include <vector>

#include "files/SettingsStore.h"

namespace rp770 {

// A port the system reports.
struct SystemPort {
    std::string device;       // what opens it: "/dev/ttyUSB0", "COM3"
    std::string description;  // what the system says of it ("FTDI FT232R USB UART, USB 0403:6001"); may be empty
    std::string lastingName;  // a name that survives replugging ("/dev/serial/by-id/usb-FTDI_..."); may be empty
    bool usb = false;         // a USB adapter (programming cables mostly are)
};

struct SystemPorts {
    std::vector<SystemPort> reported;   // in the system's order
    std::vector<std::string> numbered;  // the devices COM1, COM2, ... open here ("/dev/ttyS0", ... on Linux)
};

// The port chosen: COMn by its number, or a device by its name (the
// simulated radio is "sim"); as the link and the settings store keep it.
struct PortSelection {
    int number = 1;
    std::string device;  // empty: the port number
    bool operator==(const PortSelection&) const = default;
};

inline constexpr int kNumberedPorts = 4;  // COM1-COM4

struct PortEntry {
    std::string device;       // what it opens: "/dev/ttyUSB0", "/dev/ttyS1", "COM3", "sim"
    std::string label;        // its name in the menu: the device, "COM2", "Simulated radio" (shown with the
                              // device where they differ, and the description)
    std::string description;  // what is known of it (the system's words, "(not present)"); may be empty
    int number = 0;           // 1-4 for COM1-COM4 (the menu's "COM&n"); 0 otherwise
    PortSelection choice;     // what choosing it selects and remembers
    bool checked = false;     // the current selection
    bool operator==(const PortEntry&) const = default;
};

// The menu's entries for the current selection. A selection outside them
// (a port number above 4) checks none.
std::vector<PortEntry> PortEntries(const SystemPorts& system, const PortSelection& current);

// The first choice of a new installation: the first USB adapter or port with
// a lasting name, else the first port the system reports, else COM1.
PortSelection DefaultPortSelection(const SystemPorts& system);

// The selection a session starts with: the remembered one ("ComPath" in
// the settings store), or the default when none is remembered.
PortSelection StartingPortSelection(const SettingsStore& store, const SystemPorts& system);

}  // namespace rp770
