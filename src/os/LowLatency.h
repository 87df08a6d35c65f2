#pragma once
// Asking a Linux serial driver for low latency: read the driver's serial
// settings (TIOCGSERIAL), add ASYNC_LOW_LATENCY, write them back
// (TIOCSSERIAL) and read them again to see whether the flag was kept. The
// FTDI driver turns the flag into a latency timer of 1 ms instead of 16;
// drivers without the setting refuse the request, which is harmless.

#include "os/SerialDevice.h"

struct serial_struct;  // <linux/serial.h>

namespace rp770::platform {

// The driver's serial settings of an open device: the seam through which
// opening asks for low latency, which tests replace to watch it.
class SerialDriverControl {
public:
    virtual ~SerialDriverControl() = default;
    // 0, or the errno value of the failure.
    virtual int Get(int fd, serial_struct& settings) = 0;
    virtual int Set(int fd, const serial_struct& settings) = 0;
};

// The ioctl calls themselves (Linux); elsewhere every call fails with ENOTTY.
SerialDriverControl& SystemDriverControl();

// Asks for low latency. `added` is true when this call set the flag, so
// that it can be given back when the device closes.
LowLatencyReport RequestLowLatency(int fd, SerialDriverControl& control, bool& added);

// Clears the flag again (what an open that set it does when it closes).
void GiveBackLowLatency(int fd, SerialDriverControl& control);

}  // namespace rp770::platform
