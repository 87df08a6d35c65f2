#pragma once
// The serial ports the system reports (os/SerialPortScan.h), for the port
// choice: what the SerialPort menu lists and `rp770-cli ports` prints
// (through session/PortChoice.h).

#include "os/SerialPortScan.h"
#include "session/PortChoice.h"

namespace rp770::platform {

// In the system's order of device names.
inline std::vector<SerialPortEntry> ListSerialPorts() { return ScanSerialPorts(); }

// The same for the port choice, with the devices COM1-COM4 open here.
SystemPorts SystemSerialPorts();

}  // namespace rp770::platform
