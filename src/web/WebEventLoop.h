#pragma once
// Time and waiting in the browser. The link runs on the page's one thread:
// every wait hands the thread back to the page (the engine is suspended
// through Asyncify) and resumes when bytes arrive, Cancel is pressed or a
// short timer fires, so the page keeps painting and Cancel gets through.
//
// The JavaScript side is the runtime object of web/engine.js:
//   sleep(ms)     a promise resolved after ms milliseconds
//   wait(ms)      a promise resolved by the first of: bytes arrived, Cancel
//                 pressed, ms milliseconds passed
//   breathe()     a promise resolved as soon as the page has handled what is
//                 pending (no timer, so no 4 ms clamp)
//   takeCancel()  true once for each press of Cancel
// None of its promises ever rejects: a rejected one would leave the engine
// suspended for good.

#include <emscripten/val.h>

#include "core/Services.h"
#include "link/SerialPort.h"
#include "link/TransferEngine.h"

namespace rp770::web {

// While bytes are waiting, the link takes them without handing the thread
// back, but never for longer than this.
inline constexpr double kBreathSeconds = 0.010;
// With nothing to read, a wait wakes at least this often to look at its
// deadline.
inline constexpr int kWakeMs = 20;

class WebClock : public Clock {
public:
    explicit WebClock(emscripten::val runtime) : runtime_(std::move(runtime)) {}
    double Now() override;
    void Sleep(int milliseconds) override;

private:
    emscripten::val runtime_;
};

class WebPump : public Pump {
public:
    WebPump(emscripten::val runtime, Clock& clock) : runtime_(std::move(runtime)), clock_(clock) {}
    // The port whose waiting bytes let a yield return at once, and the state
    // a press of Cancel goes to. Either may be null.
    void Attach(link::SerialPort* port, link::LinkState* state) {
        port_ = port;
        state_ = state;
    }
    void Yield() override;

private:
    emscripten::val runtime_;
    Clock& clock_;
    link::SerialPort* port_ = nullptr;
    link::LinkState* state_ = nullptr;
    double lastBreath_ = 0;
};

}  // namespace rp770::web
