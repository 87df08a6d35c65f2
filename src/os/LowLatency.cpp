#include "os/LowLatency.h"

#include <cerrno>

#if defined(__linux__)
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace rp770::platform {

#if defined(__linux__)

namespace {

class IoctlDriverControl : public SerialDriverControl {
public:
    int Get(int fd, serial_struct& settings) override {
        return ::ioctl(fd, TIOCGSERIAL, &settings) == 0 ? 0 : errno;
    }
    int Set(int fd, const serial_struct& settings) override {
        serial_struct copy = settings;
        return ::ioctl(fd, TIOCSSERIAL, &copy) == 0 ? 0 : errno;
    }
};

}  // namespace

SerialDriverControl& SystemDriverControl() {
    static IoctlDriverControl control;
    return control;
}

LowLatencyReport RequestLowLatency(int fd, SerialDriverControl& control, bool& added) {
    added = false;
    LowLatencyReport report;
    serial_struct settings{};
    if (const int error = control.Get(fd, settings); error != 0) {
        report.state = LowLatencyState::NotOffered;
        report.error = error;
        return report;
    }
    if (settings.flags & ASYNC_LOW_LATENCY) {
        report.state = LowLatencyState::Granted;
        return report;
    }
    settings.flags |= ASYNC_LOW_LATENCY;
    if (const int error = control.Set(fd, settings); error != 0) {
        report.state = LowLatencyState::Refused;
        report.error = error;
        return report;
    }
    // Some drivers accept the call and ignore the flag: only what they kept counts.
    serial_struct kept{};
    if (control.Get(fd, kept) != 0 || !(kept.flags & ASYNC_LOW_LATENCY)) {
        report.state = LowLatencyState::Refused;
        return report;
    }
    added = true;
    report.state = LowLatencyState::Granted;
    return report;
}

void GiveBackLowLatency(int fd, SerialDriverControl& control) {
    serial_struct settings{};
    if (control.Get(fd, settings) != 0 || !(settings.flags & ASYNC_LOW_LATENCY)) return;
    settings.flags &= ~ASYNC_LOW_LATENCY;
    control.Set(fd, settings);
}

#else

namespace {

class NoDriverControl : public SerialDriverControl {
public:
    int Get(int, serial_struct&) override { return ENOTTY; }
    int Set(int, const serial_struct&) override { return ENOTTY; }
};

}  // namespace

SerialDriverControl& SystemDriverControl() {
    static NoDriverControl control;
    return control;
}

LowLatencyReport RequestLowLatency(int, SerialDriverControl&, bool& added) {
    added = false;
    return {LowLatencyState::NotOffered, ENOTTY, std::nullopt, false};
}

void GiveBackLowLatency(int, SerialDriverControl&) {}

#endif

}  // namespace rp770::platform
