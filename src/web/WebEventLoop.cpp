#include "web/WebEventLoop.h"

#include <emscripten.h>

namespace rp770::web {

double WebClock::Now() { return emscripten_get_now() / 1000.0; }

void WebClock::Sleep(int milliseconds) { runtime_.call<emscripten::val>("sleep", milliseconds).await(); }

void WebPump::Yield() {
    const bool bytesWaiting = port_ && port_->BytesAvailable() > 0;
    if (bytesWaiting && clock_.Now() - lastBreath_ < kBreathSeconds) return;
    if (bytesWaiting)
        runtime_.call<emscripten::val>("breathe").await();
    else
        runtime_.call<emscripten::val>("wait", kWakeMs).await();
    lastBreath_ = clock_.Now();
    // Cancel sets the flag once, as the window's button does: the link's
    // next echo clears it again.
    if (runtime_.call<bool>("takeCancel") && state_) state_->CancelRequested = true;
}

}  // namespace rp770::web
