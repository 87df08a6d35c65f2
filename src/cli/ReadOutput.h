#pragma once
// Where the data of a read go, and that they are never thrown away: the
// output is checked before the radio is touched, and data that still cannot
// be saved afterwards go to a recovery file.

#include <optional>
#include <string>
#include <string_view>

namespace rp770::cli {

// Why a file could not be saved at the path now, or nothing when it could:
// standard output ("-"), a FIFO or a device, or a file (not a folder, not a
// read-only file) in a folder that exists and takes new files. Tried
// without leaving anything behind.
std::optional<std::string> WhyOutputCannotBeSaved(const std::string& path);

// Saves the file's bytes meant for the intended path to a recovery file in
// the system's temporary folder, named after it, and says where on stderr.
// False when even that failed (also said).
bool SaveToRecoveryFile(std::string_view bytes, const std::string& intendedPath);

}  // namespace rp770::cli
