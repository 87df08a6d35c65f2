#pragma once
// The services the libraries reach the outside world through. The window
// gives Qt implementations (platform/), the tests give scripted ones, so that
// every wait and time-out can be checked without a real clock. The values
// of a message box (icon, buttons, answer) are the engine's own: it asks
// through an Asker (core/Outcome.h); only front ends show boxes.

namespace rp770 {

enum class Icon { None, Information, Warning, Critical, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

// Time. Now() is monotonic seconds (never wraps at midnight); Sleep() is a
// fixed pause.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double Now() = 0;
    virtual void Sleep(int milliseconds) = 0;
};

// "Let the user interface process pending events": the event loop in the
// window, virtual time and the simulated radio in tests.
class Pump {
public:
    virtual ~Pump() = default;
    virtual void Yield() = 0;
};

}  // namespace rp770
