#pragma once
// The real clock, and the waits of a program without an event loop: the
// link's polling passes need no yield, since the serial port's own read
// waits for the line.

#include "core/Services.h"

namespace rp770::platform {

class SteadyClock : public Clock {
public:
    double Now() override;
    void Sleep(int milliseconds) override;
};

// Nothing to let run between the passes of a wait.
class IdlePump : public Pump {
public:
    void Yield() override {}
};

}  // namespace rp770::platform
