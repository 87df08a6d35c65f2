#pragma once
// The real clock and event pump.

#include "core/Services.h"

namespace rp770::platform {

class SteadyClock : public Clock {
public:
    double Now() override;
    void Sleep(int milliseconds) override;
};

// The window's pauses: the event loop keeps running (the window repaints)
// while a timer counts the pause down.
class EventLoopClock : public SteadyClock {
public:
    void Sleep(int milliseconds) override;
};

// Lets Qt process pending events (repaints, the Cancel button).
class EventLoopPump : public Pump {
public:
    void Yield() override;
};

}  // namespace rp770::platform
