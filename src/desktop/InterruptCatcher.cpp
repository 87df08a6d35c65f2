#include "desktop/InterruptCatcher.h"

#include <atomic>
#include <csignal>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace rp770::platform {

namespace {

// Written by the handler, which may run at any moment (on Windows on a
// thread of its own): a lock-free atomic is safe there.
std::atomic<int> caughtSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

#if defined(_WIN32)

BOOL WINAPI OnConsoleEvent(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
            caughtSignal = SIGINT;
            return TRUE;
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
            caughtSignal = SIGTERM;
            return TRUE;
        default:
            return FALSE;
    }
}

#else

struct sigaction previousInt, previousTerm;

void OnSignal(int signal) { caughtSignal = signal; }

#endif

}  // namespace

InterruptCatcher::InterruptCatcher() {
    caughtSignal = 0;
#if defined(_WIN32)
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
#else
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no restart: a question waiting for an answer on the terminal ends too
    sigaction(SIGINT, &action, &previousInt);
    sigaction(SIGTERM, &action, &previousTerm);
#endif
}

InterruptCatcher::~InterruptCatcher() {
#if defined(_WIN32)
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
#else
    sigaction(SIGINT, &previousInt, nullptr);
    sigaction(SIGTERM, &previousTerm, nullptr);
#endif
}

bool InterruptCatcher::Requested() { return caughtSignal != 0; }

int InterruptCatcher::ExitStatus() { return 128 + caughtSignal; }

}  // namespace rp770::platform
