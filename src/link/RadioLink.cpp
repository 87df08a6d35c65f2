#include "link/RadioLink.h"

namespace rp770::link {

RadioLink::RadioLink(SerialPort& port, Clock& clock, Pump& pump, Prompter& prompter)
    : ctx_(port, clock, pump, prompter), port_(ctx_), handshake_(ctx_, port_), reader_(ctx_, port_, handshake_),
      writer_(ctx_, port_, handshake_, reader_) {}

RadioLink::~RadioLink() { port_.ClosePort(); }

}  // namespace rp770::link
