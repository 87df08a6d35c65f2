#include "cli/LinkSession.h"

#include <cctype>

#include "desktop/SteadyClock.h"
#include "desktop/SystemSerialPort.h"
#include "sim/VirtualWire.h"

namespace rp770::cli {

struct LinkSession::Parts {
    std::unique_ptr<sim::VirtualWire> wire;
    std::unique_ptr<platform::SystemSerialPort> port;
    std::unique_ptr<platform::SteadyClock> clock;
    std::unique_ptr<platform::IdlePump> pump;
};

int LinkSession::NumberOf(const std::string& device) {
    if (device.empty() || device.size() > 2) return 0;
    for (char c : device)
        if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    return std::stoi(device);
}

std::unique_ptr<LinkSession> LinkSession::Open(const std::string& device, Asker& asker, const sim::Faults& faults) {
    std::unique_ptr<LinkSession> session(new LinkSession());
    session->parts_ = std::make_unique<Parts>();
    Parts& parts = *session->parts_;
    if (device == "sim") {
        session->radio_ = std::make_unique<sim::SimulatedRadio>(faults);
        parts.wire = std::make_unique<sim::VirtualWire>(*session->radio_);
        session->link_ = std::make_unique<link::RadioLink>(parts.wire->Port(), parts.wire->GetClock(),
                                                           parts.wire->GetPump(), &asker);
        return session;
    }
    parts.port = std::make_unique<platform::SystemSerialPort>();
    parts.clock = std::make_unique<platform::SteadyClock>();
    parts.pump = std::make_unique<platform::IdlePump>();
    session->port_ = parts.port.get();
    session->link_ = std::make_unique<link::RadioLink>(*parts.port, *parts.clock, *parts.pump, &asker);
    session->number_ = NumberOf(device);
    return session;
}

LinkSession::~LinkSession() {
    link_.reset();  // closes the port before the parts go
    parts_.reset();
}

}  // namespace rp770::cli
