#include "platform/QtServices.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace rp770::platform {

void EventLoopClock::Sleep(int milliseconds) {
    if (milliseconds <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void EventLoopPump::Yield() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace rp770::platform
