#pragma once
// The browser's radio link: the link over the chosen port with the page's
// clock, pump, questions and progress. The port is a Web Serial port (a real
// one, or the stand-in of web/standin-serial.js), or the simulated radio on
// a virtual cable, where a transfer takes no real time.

#include <cstdint>
#include <emscripten/val.h>
#include <memory>
#include <string>
#include <vector>

#include "link/ProbeReport.h"
#include "link/RadioLink.h"
#include "sim/SimulatedRadio.h"
#include "sim/VirtualWire.h"
#include "web/PageHooks.h"
#include "web/WebEventLoop.h"
#include "web/WebSerialPort.h"

namespace rp770::web {

struct WebTransfer {
    bool synchronised = false;  // the radio answered the synchronisation
    bool completed = false;     // read and accepted, or programmed entirely
    bool partial = false;       // programming stopped after it had begun writing
    std::vector<uint8_t> image; // a completed read: the memory image read
    std::vector<Message> messages;  // what the link said, in order
};

class WebLink {
public:
    // `runtime`: the JavaScript side of waits, messages and progress
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

    // Debug mode: monitor texts, each with its pause.
    void SetDebugMode(bool on);

    // The whole read, over a copy of `current` (a memory image; the factory
    // image when it is not a whole one): the read keeps its model-code bytes.
    WebTransfer Read(const std::vector<uint8_t>& current);
    // Programs the image as it is (the caller encodes its edits first); says
    // so when the radio was left partly programmed. Bytes that are not a
    // whole image are refused before anything is sent.
    WebTransfer Program(const std::vector<uint8_t>& image);
    link::ProbeReport TestConnection();

private:
    // Lets go of the port in use, without waiting for it to close.
    void Disconnect();
    void Connect(link::SerialPort& port, Clock& clock, Pump& pump, const std::string& name);
    bool Synchronise();

    WebClock clock_;
    WebPump pump_;
    PageHooks hooks_;
    std::unique_ptr<WebSerialPort> serial_;
    std::unique_ptr<sim::SimulatedRadio> radio_;
    std::unique_ptr<sim::VirtualWire> wire_;
    std::unique_ptr<link::RadioLink> link_;
    bool debugMode_ = false;
};

}  // namespace rp770::web
