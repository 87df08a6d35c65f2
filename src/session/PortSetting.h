#pragma once
// The remembered serial port, kept in the settings store under "ComPath":
// "ComNum" holds the port number as decimal text (default 1); "ComDevice"
// holds a device the user named instead (absent or empty: none). The link
// only takes the port it is given (LinkState); remembering it is the
// session's.

#include "files/SettingsStore.h"
#include "link/TransferEngine.h"

namespace rp770 {

inline constexpr const char* kPortSection = "ComPath";
inline constexpr const char* kPortNumberKey = "ComNum";
inline constexpr const char* kPortDeviceKey = "ComDevice";

// Reads PortNumber (and PortDevice) into the state. A value that is not a
// 16-bit number gives the default 1; any other number is taken as it is.
void LoadPortSetting(const SettingsStore& store, link::LinkState& state);
// Writes PortNumber as decimal text; the device only when one is named or
// one was stored before (so that picking a numbered port forgets it).
void SavePortSetting(SettingsStore& store, const link::LinkState& state);

}  // namespace rp770
