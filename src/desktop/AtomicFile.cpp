#include "desktop/AtomicFile.h"

#include <cerrno>
#include <string>
#include <system_error>

#include "os/ExclusiveFile.h"

namespace rp770 {

namespace fs = std::filesystem;

namespace {

// The bytes in a new file beside the target, made exclusively and private to
// the user while it is written, then given the permissions the saved file
// is to have. On failure the temporary file is removed.
Failure WriteTemporary(const fs::path& target, std::string_view bytes, fs::perms finalPerms, fs::path& temp) {
    platform::ExclusiveFile file;
    if (const int error = file.CreateUnique(target.parent_path(), "." + target.filename().string() + ".tmp-", ""))
        return FailureFromErrno(error, FailureKind::PathFileAccess);
    temp = file.path();
    int error = file.Write(bytes);
    if (error == 0) error = file.SetPermissions(finalPerms);
    const int closeError = file.Close();
    if (error == 0) error = closeError;
    std::error_code ec;
    if (error == 0 && fs::file_size(temp, ec) != bytes.size()) error = EIO;
    if (error != 0) {
        fs::remove(temp, ec);
        return FailureFromErrno(error, FailureKind::DeviceIo);
    }
    return {};
}

}  // namespace

Failure WriteFileAtomically(const fs::path& requested, std::string_view bytes) {
    std::error_code ec;
    fs::path target = requested;
    if (target.filename().empty()) return {FailureKind::PathFileAccess, ErrnoText(EISDIR)};
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (ec) return FailureFromErrno(ec.value(), FailureKind::PathFileAccess);
        target = resolved;
    }
    const fs::file_status status = fs::status(target, ec);
    const bool replacing = fs::exists(status);
    if (replacing && !fs::is_regular_file(status))
        return {FailureKind::PathFileAccess, ErrnoText(fs::is_directory(status) ? EISDIR : EINVAL)};
    // A file the user made read-only is not replaced behind their back.
    constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (replacing && (status.permissions() & anyWrite) == fs::perms::none)
        return {FailureKind::PathFileAccess, ErrnoText(EACCES)};
    if (target.parent_path().empty()) target = fs::path(".") / target;
    if (!fs::is_directory(target.parent_path(), ec)) return {FailureKind::PathNotFound, ErrnoText(ENOENT)};

    // A new file gets what any file the user creates gets; a replaced one
    // keeps its own permissions.
    const fs::perms finalPerms = replacing ? status.permissions() : platform::NormalFilePermissions();
    fs::path temp;
    if (Failure failure = WriteTemporary(target, bytes, finalPerms, temp); failure.Failed()) return failure;
    fs::rename(temp, target, ec);
    if (ec) {
        const Failure failure = FailureFromErrno(ec.value(), FailureKind::PathFileAccess);
        fs::remove(temp, ec);
        return failure;
    }
    return {};
}

}  // namespace rp770
