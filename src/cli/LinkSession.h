#pragma once
// A radio link ready for a command-line transfer, with everything it runs on.
//
//   "sim"          the simulated radio in this process, on a virtual cable
//                  at 4800 baud in virtual time (a transfer takes no time)
//   "1" .. "99"    the platform's default device for that port number
//   anything else  a device name ("/dev/ttyUSB0", "COM7", a pseudo-terminal)

#include <memory>
#include <string>

#include "core/Outcome.h"
#include "link/RadioLink.h"
#include "sim/Faults.h"
#include "sim/SimulatedRadio.h"

namespace rp770::platform {
class SystemSerialPort;
}

namespace rp770::cli {

class LinkSession {
public:
    // Faults apply to "sim" only. The link asks its questions through `asker`.
    static std::unique_ptr<LinkSession> Open(const std::string& device, Asker& asker, const sim::Faults& faults = {});
    ~LinkSession();
    LinkSession(const LinkSession&) = delete;
    LinkSession& operator=(const LinkSession&) = delete;

    link::RadioLink& Link() { return *link_; }
    // The port number ("1" .. "99"), else 0 for a device named.
    int Number() const { return number_; }
    // The same for a port as the command line names it.
    static int NumberOf(const std::string& device);
    // The simulated radio behind "sim"; null for a real port.
    sim::SimulatedRadio* Radio() { return radio_.get(); }
    // The system's serial port behind a device or number; null for "sim".
    platform::SystemSerialPort* SystemPort() { return port_; }

private:
    LinkSession() = default;
    struct Parts;
    std::unique_ptr<Parts> parts_;
    std::unique_ptr<sim::SimulatedRadio> radio_;
    std::unique_ptr<link::RadioLink> link_;
    platform::SystemSerialPort* port_ = nullptr;
    int number_ = 0;
};

}  // namespace rp770::cli
