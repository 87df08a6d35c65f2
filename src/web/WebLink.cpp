#include "web/WebLink.h"

#include "web/StandInRadio.h"

namespace rp770::web {

WebLink::WebLink(emscripten::val runtime) : clock_(runtime), pump_(runtime, clock_), hooks_(runtime) {}

WebLink::~WebLink() { Disconnect(); }

void WebLink::Disconnect() {
    if (serial_) serial_->Detach();
    link_.reset();  // closes the port
    pump_.Attach(nullptr, nullptr);
    wire_.reset();
    radio_.reset();
    serial_.reset();
}

void WebLink::Connect(link::SerialPort& port, Clock& clock, Pump& pump, const std::string& name) {
    link_ = std::make_unique<link::RadioLink>(port, clock, pump, &hooks_);
    link_->SetObserver(&hooks_);
    link_->State().PortDevice = name;
}

void WebLink::UseSerialPort(emscripten::val port, const std::string& name) {
    Disconnect();
    serial_ = std::make_unique<WebSerialPort>(std::move(port));
    Connect(*serial_, clock_, pump_, name);
    pump_.Attach(serial_.get(), &link_->State());
}

std::string WebLink::UseSimulatedRadio(const std::string& faults) {
    sim::Faults parsed;
    if (std::string error = ParseFaultNames(faults, parsed); !error.empty()) return error;
    Disconnect();
    radio_ = std::make_unique<sim::SimulatedRadio>(parsed);
    wire_ = std::make_unique<sim::VirtualWire>(*radio_);
    Connect(wire_->Port(), wire_->GetClock(), wire_->GetPump(), "the simulated radio");
    return {};
}

}  // namespace rp770::web
