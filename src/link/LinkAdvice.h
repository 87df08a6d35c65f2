#pragma once
// What the user is told, after the program's own terse messages, when the
// link fails: which device and why, which stage of the synchronisation
// failed, and what to check.

#include <string>

#include "link/SerialPort.h"
#include "messages/MessageId.h"

namespace rp770::link {

// How a synchronisation ended.
enum class SyncStage {
    Synchronised,
    Cancelled,
    PortNotOpened,  // told with the device and the system's reason
    NoEcho,         // nothing sent came back
    NoAnswer,       // the cable echoes, the radio said nothing
    Silent,         // the echo is not checked (no-echo mode) and nothing came back at all
    Refused,        // the radio answered, but not with the acknowledgements
};

// The texts of the waits the user sees.
inline constexpr MessageId kWaitEcho = MessageId::WaitingForEcho;
inline constexpr MessageId kWaitRadioInSync = MessageId::WaitingForRadioInSync;
inline constexpr MessageId kWaitRadio = MessageId::WaitingForRadio;

// "Cannot open the serial port /dev/ttyUSB0: Permission denied." and what
// to do about it (join the group that owns the device, close the program
// that holds it, check the name). `port` names the port when the error
// does not.
std::string OpenFailureText(const PortError& error, const std::string& port);

// "Synchronisation failed: no echo from the cable. ..." for the stages that
// have no message of their own; empty for the others.
std::string SyncFailureText(SyncStage stage);

}  // namespace rp770::link
