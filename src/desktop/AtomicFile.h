#pragma once
// Saving a file without ever damaging the one it replaces: the bytes go to
// a temporary file beside the target, which replaces the target only when
// it was written, flushed, closed and checked completely. On any failure the
// previous file stays exactly as it was and no temporary file is left.
// The temporary file is created exclusively (nothing planted at its name is
// opened) and private to the user while it is written; the saved file ends
// up with the permissions, the owner and the group of the file it replaces
// (root saving a user's file leaves it the user's), or, when new, with what
// any file the user creates gets. Where the saver may not keep the owner or
// the group (a user saving another user's file that is open to the group),
// the file is saved and the caller is told so.

#include <filesystem>
#include <string>
#include <string_view>

#include "core/Failure.h"

namespace rp770 {

// What the user is told of a file saved without its owner or group, each
// named as "user:group".
std::string OwnerNotKeptNotice(const std::string& file, const std::string& now, const std::string& before);

// A target that exists but is not a regular file (a folder, a device, a
// pipe) is refused. A symbolic link is followed: the file it names is
// replaced and the link stays. A read-only file is refused. `notice`, when
// given, receives what the user must be told of a save that succeeded
// ("boat.dat: saved, but it now belongs to bob:bob instead of ann:crew
// (...)"), and stays untouched otherwise.
Failure WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                            std::string* notice = nullptr);

}  // namespace rp770
