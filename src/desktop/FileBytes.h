#pragma once
// Reading a whole file, and the length of one.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "core/Failure.h"

namespace rp770 {

// The whole content of a regular file (symbolic links followed). Anything
// else (missing, a folder, a device, a pipe) is a failure, so that reading
// never blocks or runs forever.
Failure ReadWholeFile(const std::filesystem::path& path, std::string& content);

// The length of a regular file, or nothing when there is no such file.
std::optional<std::uintmax_t> RegularFileLength(const std::filesystem::path& path);

}  // namespace rp770
