#pragma once
// Files made new: created here and now or not at all (never over another
// file, never through a planted link), readable and writable by the user
// alone. The recovery file, the last place for data that must not be lost,
// is one of them.

#include <string>
#include <string_view>

namespace rp770::platform {

enum class NewFile { Written, NameTaken, Failed };

// Writes the bytes to a file that must not exist yet; `why` tells what went
// wrong otherwise. A file that could not be written completely is removed.
NewFile WriteNewFile(const std::string& path, std::string_view bytes, std::string& why);

// Writes the bytes to a new file in the system's temporary folder, named
// "rp770-recovery-" + a time stamp + "-" + the name of the file they were
// meant for. Returns its path, or the empty text (with `why`) on failure.
std::string SaveRecoveryFile(const std::string& intendedPath, std::string_view bytes, std::string& why);

}  // namespace rp770::platform
