#pragma once
// Why a serial device cannot be used, asked of the system without opening
// it: missing, or not readable and writable by this user (and which group
// would give access). Plain C++; no Qt.

#include <string>

namespace rp770::platform {

struct DeviceAccess {
    int error = 0;      // an errno value: ENOENT, EACCES, ...; 0 when it exists and may be used
    std::string group;  // EACCES: the group that owns the device and may use it, when there is one
};

// Windows names its ports rather than paths: there the answer is always 0.
DeviceAccess CheckDeviceAccess(const std::string& device);

}  // namespace rp770::platform
