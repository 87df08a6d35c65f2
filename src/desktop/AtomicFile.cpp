#include "desktop/AtomicFile.h"

#include <cerrno>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "messages/MessageText.h"
#include "os/ExclusiveFile.h"

#if !defined(_WIN32)
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace rp770 {

namespace fs = std::filesystem;

namespace {

#if !defined(_WIN32)
struct Owner {
    uid_t user;
    gid_t group;
    bool operator==(const Owner&) const = default;
};

std::string UserName(uid_t user) {
    std::vector<char> buffer(16384);
    passwd entry{}, *found = nullptr;
    if (::getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found) == 0 && found) return found->pw_name;
    return std::to_string(user);
}

std::string GroupName(gid_t group) {
    std::vector<char> buffer(16384);
    struct group entry {};
    struct group* found = nullptr;
    if (::getgrgid_r(group, &entry, buffer.data(), buffer.size(), &found) == 0 && found) return found->gr_name;
    return std::to_string(group);
}

std::string OwnerText(const Owner& owner) { return UserName(owner.user) + ":" + GroupName(owner.group); }

// Gives the new file the old one's owner and group, as far as the saver
// may (root may give it to anyone; a user may give a file of their own to
// a group they belong to). What the file ended up with, or nothing when
// that cannot be told.
std::optional<Owner> KeepOwner(const fs::path& temp, const Owner& old) {
    // Both, else the group alone; what came of it is read back below.
    if (::lchown(temp.c_str(), old.user, old.group) != 0) {
        const int groupOnly = ::lchown(temp.c_str(), static_cast<uid_t>(-1), old.group);
        (void)groupOnly;
    }
    struct stat now {};
    if (::lstat(temp.c_str(), &now) != 0) return std::nullopt;
    return Owner{now.st_uid, now.st_gid};
}
#endif

// The bytes in a new file beside the target, made exclusively and private to
// the user while it is written, then given the owner and the permissions
// the saved file is to have. On failure the temporary file is removed.
Failure WriteTemporary(const fs::path& target, std::string_view bytes, fs::perms finalPerms, fs::path& temp,
                       const std::optional<fs::path>& replaced, std::string* notice) {
    platform::ExclusiveFile file;
    if (const int error = file.CreateUnique(target.parent_path(), "." + target.filename().string() + ".tmp-", ""))
        return FailureFromErrno(error, FailureKind::PathFileAccess);
    temp = file.path();
    int error = file.Write(bytes);
#if !defined(_WIN32)
    // The owner first: a change of owner clears the set-id bits.
    struct stat old {};
    if (error == 0 && replaced && ::stat(replaced->c_str(), &old) == 0) {
        const Owner wanted{old.st_uid, old.st_gid};
        const std::optional<Owner> got = KeepOwner(temp, wanted);
        if (got && *got != wanted && notice)
            *notice = OwnerNotKeptNotice(target.string(), OwnerText(*got), OwnerText(wanted));
    }
#else
    (void)replaced;
    (void)notice;
#endif
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

std::string OwnerNotKeptNotice(const std::string& file, const std::string& now, const std::string& before) {
    return Words(MessageId::OwnerNotKept, file, now, before);
}

Failure WriteFileAtomically(const fs::path& requested, std::string_view bytes, std::string* notice) {
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
    // keeps its own permissions, and its owner and group where the saver may
    // set them.
    const fs::perms finalPerms = replacing ? status.permissions() : platform::NormalFilePermissions();
    fs::path temp;
    const std::optional<fs::path> replaced = replacing ? std::optional<fs::path>(target) : std::nullopt;
    if (Failure failure = WriteTemporary(target, bytes, finalPerms, temp, replaced, notice); failure.Failed())
        return failure;
    fs::rename(temp, target, ec);
    if (ec) {
        const Failure failure = FailureFromErrno(ec.value(), FailureKind::PathFileAccess);
        fs::remove(temp, ec);
        return failure;
    }
    return {};
}

}  // namespace rp770
