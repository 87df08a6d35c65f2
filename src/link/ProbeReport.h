#pragma once
// What a connection test found, and how it is said to the user.

#include <cstdint>
#include <string>

namespace rp770::link {

enum class ProbeResult {
    PortFailed,   // the port could not be opened
    NoEcho,       // nothing sent came back: no cable, or the wrong port
    NoAnswer,     // the cable echoes, but no radio answered
    Silent,       // the echo was not checked, and nothing at all came back
    Refused,      // a radio answered but refused the synchronisation
    NotReady,     // synchronised, but the radio did not report ready
    NoModelCode,  // ready, but its model code could not be read
    Found,        // the radio answered with its model code
    Cancelled,
};

struct ProbeReport {
    ProbeResult result = ProbeResult::Cancelled;
    std::string port;         // the port as the user named it
    std::string openFailure;  // PortFailed: the device and the system's reason, with advice
    uint16_t modelCode = 0;   // Found: the first copy
    bool supported = false;   // Found: both copies name the MR318

    // A radio of the supported model answered: the one success.
    bool RadioFound() const { return result == ProbeResult::Found && supported; }
    // The finding in plain words, with what to check.
    std::string Text() const;
};

}  // namespace rp770::link
