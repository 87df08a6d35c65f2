#pragma once
// The browser's radio link: the link over the chosen port with the page's
// clock, pump, questions and progress, for the session to drive. The port
// is a Web Serial port (a real one, or the stand-in of
// web/standin-serial.js), or the simulated radio on a virtual cable, where a
// transfer takes no real time.

#include <emscripten/val.h>
#include <memory>
#include <string>

#include "link/RadioLink.h"
#include "sim/SimulatedRadio.h"
#include "sim/VirtualWire.h"
#include "web/PageHooks.h"
#include "web/WebEventLoop.h"
#include "web/WebSerialPort.h"

namespace rp770::web {

class WebLink {
public:
    // `runtime`: the JavaScript side of waits, questions and progress
    // (WebEventLoop.h, PageHooks.h).
    explicit WebLink(emscripten::val runtime);
    ~WebLink();
    WebLink(const WebLink&) = delete;
    WebLink& operator=(const WebLink&) = delete;

    // A port object of web/serial.js; `name` is how messages call it.
    void UseSerialPort(emscripten::val port, const std::string& name);
    // The simulated radio on a virtual cable, misbehaving as the fault names
    // say ("busy=2 silent-from=10", as the command line's simulator takes
    // them). Empty when every name was understood, else why not (and the
    // port stays as it was).
    std::string UseSimulatedRadio(const std::string& faults);
    // The link itself, for the session to drive; null before a port is chosen.
    // A new port gives a new link.
    link::TransferEngine* Engine() { return link_.get(); }
    // The simulated radio in use; null for a serial port.
    sim::SimulatedRadio* SimulatedRadio() { return radio_.get(); }

private:
    // Lets go of the port in use, without waiting for it to close.
    void Disconnect();
    void Connect(link::SerialPort& port, Clock& clock, Pump& pump, const std::string& name);

    WebClock clock_;
    WebPump pump_;
    PageHooks hooks_;
    std::unique_ptr<WebSerialPort> serial_;
    std::unique_ptr<sim::SimulatedRadio> radio_;
    std::unique_ptr<sim::VirtualWire> wire_;
    std::unique_ptr<link::RadioLink> link_;
};

}  // namespace rp770::web
