#include "desktop/SerialPortList.h"

#include "desktop/SystemSerialPort.h"

namespace rp770::platform {

SystemPorts SystemSerialPorts() {
    SystemPorts ports;
    for (const SerialPortEntry& entry : ListSerialPorts())
        ports.reported.push_back(SystemPort{entry.device, entry.Description(), entry.stableName, entry.vendorId.has_value()});
    for (int n = 1; n <= kNumberedPorts; ++n)
        ports.numbered.push_back(SystemSerialPort::DeviceName(link::PortAddress{n, {}}));
    return ports;
}

}  // namespace rp770::platform
