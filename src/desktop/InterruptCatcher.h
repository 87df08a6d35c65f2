#pragma once
// Ctrl+C and requests to terminate while a command-line transfer runs:
// SIGINT and SIGTERM (on Windows the console's Ctrl+C, Ctrl+Break and
// close) no longer end the program on the spot; they are noted, so that
// the transfer can end the way Cancel ends it and the program can put the
// terminal right and say what state the radio is in.

namespace rp770::platform {

class InterruptCatcher {
public:
    InterruptCatcher();   // installs the handlers; one catcher at a time
    ~InterruptCatcher();  // puts the previous handlers back
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;

    // Whether an interrupt came since the catcher was installed.
    static bool Requested();
    // The exit status a shell expects after it: 128 + the signal's number
    // (130 for Ctrl+C, 143 for SIGTERM).
    static int ExitStatus();
};

}  // namespace rp770::platform
