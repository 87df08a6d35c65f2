#pragma once
// The simulated radio's memory in a file: the raw 1024 bytes, address 0
// first (the layout of a memory image file).

#include <string>

#include "sim/SimulatedRadio.h"

namespace rp770::sim {

// False, with a reason, unless the file holds exactly 1024 bytes.
bool LoadRadioMemory(const std::string& path, RadioMemory& memory, std::string& error);
bool SaveRadioMemory(const std::string& path, const RadioMemory& memory, std::string& error);

}  // namespace rp770::sim
