#pragma once
// Where an installed program may write for its user: the folder of files
// the program keeps for itself (the error log, when it may not lie beside
// the program). Plain C++; no Qt.

#include <filesystem>

namespace rp770::platform {

// $XDG_STATE_HOME/rp770, else ~/.local/state/rp770; the user's local
// application-data folder on Windows (%LOCALAPPDATA%\RP770) and
// ~/Library/Application Support/RP770 on macOS. Empty when the system does
// not say where the user's home is. The folder may not exist yet.
std::filesystem::path UserStateFolder();

// The same rule for given values of the variables (the system's own
// variables where these are null or relative).
std::filesystem::path UserStateFolder(const char* xdgStateHome, const char* home);

}  // namespace rp770::platform
