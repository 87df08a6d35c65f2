#include "platform/QtServices.h"

#include <QCoreApplication>
#include <QThread>
#include <chrono>

namespace rp770::platform {

double SteadyClock::Now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void SteadyClock::Sleep(int milliseconds) {
    if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void EventLoopPump::Yield() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace rp770::platform
