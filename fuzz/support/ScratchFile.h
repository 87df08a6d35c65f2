#pragma once
// Files for the loaders that read from disk: a folder of this process in
// /dev/shm (or else the temporary folder), removed when the process ends.

#include <cstddef>
#include <cstdint>
#include <string>

namespace rp770::fuzz {

// The path of a scratch file with the given name, in this process's folder.
std::string ScratchPath(const std::string& name);
// Writes the bytes to the scratch file of that name and gives its path.
std::string WriteScratchFile(const std::string& name, const uint8_t* data, size_t size);
// The whole content of a file; empty when it cannot be read.
std::string ReadBack(const std::string& path);

}  // namespace rp770::fuzz
