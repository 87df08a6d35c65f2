#pragma once
// Result codes of the receive primitives and what a reception brings back.

#include <string>

namespace rp770::link {

enum class Code : int {
    Done = 0,       // completed as expected
    Cancelled = 1,  // CancelRequested was found set
    TimeOut = 3,    // the deadline passed
    ErrorText = 8,  // the characters read are "ERROR"
    Malformed = -1, // a line ended with CR not followed by LF; an unexpected acknowledgement
};

struct Reception {
    Code code = Code::TimeOut;
    std::string text;
};

// The fixed settings of the cable.
inline constexpr const char* kLineSettings = "4800,N,8,1";

// Control bytes of the protocol.
inline constexpr unsigned char kCR = 0x0D;
inline constexpr unsigned char kLF = 0x0A;
inline constexpr unsigned char kTAB = 0x09;
inline constexpr unsigned char kCAN = 0x18;
inline constexpr unsigned char kACK = 0x06;

}  // namespace rp770::link
