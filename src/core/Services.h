#pragma once
// The services the libraries reach the outside world through. The window
// gives Qt implementations (platform/), the tests give scripted ones, so that
// every message, wait and time-out can be checked without a screen or a
// real clock.

#include <string>

namespace rp770 {

enum class Icon { None, Information, Warning, Critical, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

// Every message box of the program goes through here.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void Message(const std::string& text, const std::string& title, Icon icon) = 0;
    virtual Answer Ask(const std::string& text, const std::string& title, Icon icon, Buttons buttons,
                       Answer defaultAnswer) = 0;
};

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
