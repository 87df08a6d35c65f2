#include "link/RadioLink.h"

namespace rp770::link {

RadioLink::RadioLink(SerialPort& port, Clock& clock, Pump& pump, Asker* asker)
    : pump_(pump), ctx_(port, clock, pump_), port_(ctx_), handshake_(ctx_, port_), reader_(ctx_, port_, handshake_),
      writer_(ctx_, port_, handshake_, reader_), probe_(ctx_, port_, handshake_, reader_) {
    pump_.state = &ctx_.state;
    ctx_.asker = asker;
}

void RadioLink::StoppablePump::Yield() {
    inner_.Yield();
    if (stopRequested && stopRequested()) state->CancelRequested = true;
}

ProbeReport RadioLink::Probe() {
    std::vector<Message> before = std::exchange(ctx_.messages, {});
    Asker* asker = std::exchange(ctx_.asker, nullptr);
    ProbeReport report = probe_.Run();
    ctx_.asker = asker;
    ctx_.messages = std::move(before);
    return report;
}

RadioLink::~RadioLink() { port_.ClosePort(); }

}  // namespace rp770::link
