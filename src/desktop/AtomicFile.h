#pragma once
// Saving a file without ever damaging the one it replaces: the bytes go to
// a temporary file beside the target, which replaces the target only when
// it was written, flushed, closed and checked completely. On any failure the
// previous file stays exactly as it was and no temporary file is left.
// The temporary file is created exclusively (nothing planted at its name is
// opened) and private to the user while it is written; the saved file ends
// up with the permissions of the file it replaces, or, when new, with those
// any file the user creates gets.

#include <filesystem>
#include <string_view>

#include "core/Failure.h"

namespace rp770 {

// A target that exists but is not a regular file (a folder, a device, a
// pipe) is refused. A symbolic link is followed: the file it names is
// replaced and the link stays.
Failure WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace rp770
