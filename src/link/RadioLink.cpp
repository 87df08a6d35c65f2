#include "link/RadioLink.h"

namespace rp770::link {

RadioLink::RadioLink(SerialPort& port, Clock& clock, Pump& pump, Prompter& prompter)
    : pump_(pump), prompter_(prompter), ctx_(port, clock, pump_, prompter_), port_(ctx_), handshake_(ctx_, port_),
      reader_(ctx_, port_, handshake_), writer_(ctx_, port_, handshake_, reader_),
      probe_(ctx_, port_, handshake_, reader_) {
    pump_.state = &ctx_.state;
}

void RadioLink::StoppablePump::Yield() {
    inner_.Yield();
    if (stopRequested && stopRequested()) state->CancelRequested = true;
}

void RadioLink::QuietablePrompter::Message(const std::string& text, const std::string& title, Icon icon) {
    if (!quiet) inner_.Message(text, title, icon);
}

Answer RadioLink::QuietablePrompter::Ask(const std::string& text, const std::string& title, Icon icon, Buttons buttons,
                                         Answer defaultAnswer) {
    return quiet ? defaultAnswer : inner_.Ask(text, title, icon, buttons, defaultAnswer);
}

ProbeReport RadioLink::Probe() {
    prompter_.quiet = true;
    ProbeReport report = probe_.Run();
    prompter_.quiet = false;
    return report;
}

RadioLink::~RadioLink() { port_.ClosePort(); }

}  // namespace rp770::link
