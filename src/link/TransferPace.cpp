#include "link/TransferPace.h"

#include <cmath>

#include "core/DecimalText.h"
#include "core/Failure.h"
#include "link/LineSettings.h"
#include "messages/MessageText.h"

namespace rp770::link {

namespace {

// The terminal's name for the sysfs path ("ttyUSB0" of "/dev/ttyUSB0").
std::string TerminalName(const std::string& device) {
    const size_t slash = device.find_last_of('/');
    const std::string name = slash == std::string::npos ? device : device.substr(slash + 1);
    return name.empty() || name.rfind("tty", 0) != 0 ? "ttyUSB0" : name;
}

std::string TimerText(const PortLatency& latency) {
    return latency.latencyTimerMs ? " (latency timer " + std::to_string(*latency.latencyTimerMs) + " ms)" : "";
}

}  // namespace

double ByteSeconds(const std::string& lineSettings) {
    const auto line = ParseLineSettings(lineSettings);
    if (!line || line->baud <= 0) return 10.0 / 4800;
    // A start bit, the data bits, a parity bit if any, the stop bits.
    const double bits = 1 + line->dataBits + (line->parity == 'N' ? 0 : 1) + line->stopBits2 / 2.0;
    return bits / line->baud;
}

std::string LowLatencyText(const PortLatency& latency) {
    const std::string reason = latency.error != 0 ? ": " + ErrnoText(latency.error) : "";
    switch (latency.lowLatency) {
        case LowLatency::Granted: return "low latency: granted" + TimerText(latency);
        case LowLatency::Refused: return "low latency: refused by the driver" + reason + TimerText(latency);
        case LowLatency::NotOffered: return "low latency: not offered by the driver" + TimerText(latency);
        case LowLatency::CannotAsk: return "low latency: not asked (the driver's own setting on this system)";
        case LowLatency::NotApplicable: break;
    }
    return "low latency: nothing holds received bytes back";
}

bool WorthLatencyAdvice(const PortLatency& latency, double seconds, double boundSeconds) {
    if (boundSeconds <= 0 || seconds <= kSlowTransferFactor * boundSeconds) return false;
    switch (latency.lowLatency) {
        case LowLatency::Refused:
        case LowLatency::CannotAsk: return true;
        case LowLatency::NotOffered: return latency.usbAdapter;
        default: return false;
    }
}

std::string SlowTransferAdvice(const PortLatency& latency, double seconds, double boundSeconds) {
    const long over = std::lround((seconds / boundSeconds - 1) * 100);
    // What happened and why, then the fix on each system: sentences of their own.
    std::string text = Words(MessageId::SlowTransfer, FixedDecimal(seconds, 1), std::to_string(over),
                             FixedDecimal(boundSeconds, 1));
    const auto then = [&text](const std::string& sentence) { return text + " " + sentence; };
    switch (latency.system) {
        case HostSystem::Windows: return then(Words(MessageId::SlowFixWindows));
        case HostSystem::Browser: return then(Words(MessageId::SlowFixBrowser));
        case HostSystem::Linux:
            if (latency.lowLatency == LowLatency::NotOffered) return then(Words(MessageId::SlowNoSetting));
            if (latency.lowLatency == LowLatency::Refused)
                text = then(latency.error != 0 ? Words(MessageId::SlowDriverRefusedBecause, ErrnoText(latency.error))
                                               : Words(MessageId::SlowDriverRefused));
            return then(Words(MessageId::SlowFixLinux, TerminalName(latency.device)));
        case HostSystem::Other: break;
    }
    return then(Words(latency.lowLatency == LowLatency::NotOffered ? MessageId::SlowNoSetting : MessageId::SlowFixOther));
}

}  // namespace rp770::link
