#include "link/TransferPace.h"

#include <cmath>

#include "core/DecimalText.h"
#include "core/Failure.h"
#include "link/LineSettings.h"

namespace rp770::link {

namespace {

// The advice, in parts: what happened, why, and the fix on each system.
constexpr const char* kSlowLead = "The transfer took %SECONDS% s, %OVER% % longer than the cable itself needs (%BOUND% s): ";
constexpr const char* kHeldBytes =
    "the USB serial adapter holds the bytes it receives until its latency timer runs out, and every answer of the "
    "radio waits for it.";
constexpr const char* kLinuxRefused = " The adapter's driver refused to shorten the timer";
constexpr const char* kLinuxFix =
    " To make transfers fast, set the timer to 1 ms: RP770's package does it with a udev rule whenever the cable is "
    "plugged in (unplug the cable and plug it in again after installing it), or, until the cable is unplugged: "
    "echo 1 | sudo tee /sys/bus/usb-serial/devices/%TTY%/latency_timer";
constexpr const char* kNoSetting =
    " Its driver has no setting to shorten it: a programming cable with an FTDI adapter, its latency timer set to "
    "1 ms, is faster.";
constexpr const char* kWindowsFix =
    " Windows leaves the timer to the adapter's driver: to make transfers fast, open the Device Manager, Ports (COM & "
    "LPT), the port's Properties, Port Settings, Advanced..., and set the Latency Timer (msec) to 1.";
constexpr const char* kBrowserFix =
    " A browser cannot shorten the timer. On Linux, set the adapter's latency_timer to 1 (RP770's package does it "
    "with a udev rule); on Windows, set the port's Latency Timer (msec) to 1 in the Device Manager (Ports (COM & "
    "LPT), the port's Properties, Port Settings, Advanced...).";
constexpr const char* kOtherFix = " Where the adapter's driver has a latency setting, set it to 1 ms.";

std::string Replaced(std::string text, const std::string& placeholder, const std::string& value) {
    for (size_t at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder, at + value.size()))
        text.replace(at, placeholder.size(), value);
    return text;
}

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
    std::string text = Replaced(Replaced(Replaced(kSlowLead, "%SECONDS%", FixedDecimal(seconds, 1)), "%OVER%",
                                         std::to_string(over)),
                                "%BOUND%", FixedDecimal(boundSeconds, 1));
    text += kHeldBytes;
    switch (latency.system) {
        case HostSystem::Windows: return text + kWindowsFix;
        case HostSystem::Browser: return text + kBrowserFix;
        case HostSystem::Linux:
            if (latency.lowLatency == LowLatency::NotOffered) return text + kNoSetting;
            if (latency.lowLatency == LowLatency::Refused)
                text += std::string(kLinuxRefused) + (latency.error != 0 ? " (" + ErrnoText(latency.error) + ")." : ".");
            return text + Replaced(kLinuxFix, "%TTY%", TerminalName(latency.device));
        case HostSystem::Other: break;
    }
    return text + (latency.lowLatency == LowLatency::NotOffered ? kNoSetting : kOtherFix);
}

}  // namespace rp770::link
