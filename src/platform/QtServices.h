#pragma once
// The window's clock and event pump: Qt's event loop keeps running.

#include "desktop/SteadyClock.h"

namespace rp770::platform {

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
