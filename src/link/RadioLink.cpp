#include "link/RadioLink.h"

namespace rp770::link {

RadioLink::RadioLink(SerialPort& port, Clock& clock, Pump& pump, Prompter& prompter)
    : pump_(pump), ctx_(port, clock, pump_, prompter), port_(ctx_), handshake_(ctx_, port_),
      reader_(ctx_, port_, handshake_), writer_(ctx_, port_, handshake_, reader_) {
    pump_.state = &ctx_.state;
}

void RadioLink::StoppablePump::Yield() {
    inner_.Yield();
    if (stopRequested && stopRequested()) state->CancelRequested = true;
}

RadioLink::~RadioLink() { port_.ClosePort(); }

}  // namespace rp770::link
