#include "link/LinkAdvice.h"

#include <cerrno>

#include "core/Failure.h"
#include "link/Frame.h"
#include "link/ProbeReport.h"

namespace rp770::link {

namespace {

constexpr const char* kPcControl = "hold [PRESET] while turning the radio on, until its display shows PC CONTROL";

// With the echo check off, a silent line says nothing of the cable.
constexpr const char* kSilentLine =
    "With the echo check off, the cable cannot be told from the radio: check that the cable is plugged in and on "
    "the port chosen, and that the radio is in PC CONTROL mode: ";

}  // namespace

std::string OpenFailureText(const PortError& error, const std::string& port) {
    const std::string device = error.device.empty() ? port : error.device;
    std::string reason = error.systemError != 0 ? ErrnoText(error.systemError) : error.text;
    if (reason.empty()) reason = "the system gave no reason";
    // The simulated radio is named as such, not by its device name.
    const std::string what =
        device == kSimulatedRadioDevice ? "the simulated radio's cable" : "the serial port " + device;
    std::string text = "Cannot open " + what + ": " + reason + ".";
    switch (error.systemError) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            text += " Check the name, and that the cable (or its USB adapter) is plugged in.";
            break;
        case EACCES:
        case EPERM:
            if (!error.deviceGroup.empty())
                text += " Only members of the group " + error.deviceGroup + " may use it: join it (sudo usermod -a -G " +
                        error.deviceGroup + " $USER), then log out and back in.";
            else
                text += " Ask the computer's administrator for access to it.";
            break;
        case EBUSY:
            text += " Another program is using it: close that program, then try again.";
            break;
        default:
            break;
    }
    return text;
}

std::string SyncFailureText(SyncStage stage) {
    switch (stage) {
        case SyncStage::NoEcho:
            return "Synchronisation failed: no echo from the cable. Nothing that was sent came back, so the cable is "
                   "not connected, or it is on another port. Check the cable and the port chosen.";
        case SyncStage::NoAnswer:
            return std::string("Synchronisation failed: the cable echoes, but the radio did not answer. Check that "
                               "the radio is connected and in PC CONTROL mode: ") + kPcControl + ".";
        case SyncStage::Silent:
            return std::string("Synchronisation failed: nothing at all came back. ") + kSilentLine + kPcControl + ".";
        case SyncStage::Refused:
            return std::string("Synchronisation failed: the radio answered but refused. Turn it off, start it in PC "
                               "CONTROL mode again (") + kPcControl + ") and try again.";
        default:
            return "";
    }
}

std::string ProbeReport::Text() const {
    // The simulated radio is named as such, not by its device name.
    const bool simulated = port == kSimulatedRadioDevice;
    const std::string on = simulated ? " on the simulated radio's cable" : " on " + port;
    switch (result) {
        case ProbeResult::PortFailed:
            return openFailure;
        case ProbeResult::NoEcho:
            return "No echo from the cable" + on + ": nothing that was sent came back. The cable is not connected, "
                   "or this is the wrong port.";
        case ProbeResult::NoAnswer:
            return "The cable" + on + " echoes, but no radio answered. Check that the radio is in PC CONTROL mode: " +
                   std::string(kPcControl) + ".";
        case ProbeResult::Silent:
            return "Nothing came back" + on + ". " + kSilentLine + kPcControl + ".";
        case ProbeResult::Refused:
            return "A radio answered" + on + " but refused the synchronisation. Turn it off, start it in PC CONTROL "
                   "mode again and test again.";
        case ProbeResult::NotReady:
            return "The radio answered" + on + " but did not report ready (it may be busy). Wait a moment, or start "
                   "it in PC CONTROL mode again, and test again.";
        case ProbeResult::NoModelCode:
            return "The radio answered" + on + " but its model code could not be read. Test again; if it fails "
                   "again, check the cable's connectors.";
        case ProbeResult::Found:
            if (supported)
                return (simulated ? std::string("The simulated radio answered") : "The radio answered" + on) +
                       ": MR318 (model code 0x" + Hex4(modelCode) + "). It is ready to be read and programmed.";
            return "A radio answered" + on + ", but its model code is 0x" + Hex4(modelCode) +
                   ": it is not an MR318, so it cannot be read or programmed.";
        case ProbeResult::Cancelled:
            return "The connection test was cancelled.";
    }
    return "";
}

}  // namespace rp770::link
