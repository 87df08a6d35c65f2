#include "desktop/SteadyClock.h"

#include <chrono>
#include <thread>

namespace rp770::platform {

double SteadyClock::Now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void SteadyClock::Sleep(int milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace rp770::platform
