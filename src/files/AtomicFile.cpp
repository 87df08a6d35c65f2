#include "files/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace rp770 {

namespace fs = std::filesystem;

namespace {

std::string RandomSuffix() {
    static std::atomic<unsigned> counter{0};
    std::random_device device;
    const unsigned long long value = (static_cast<unsigned long long>(device()) << 16) ^ counter.fetch_add(1);
    static const char* digits = "0123456789abcdef";
    std::string text;
    for (int i = 0; i < 12; ++i) text += digits[(value >> (4 * i)) & 0xF];
    return text;
}

// A name in the target's folder that is not taken yet.
bool PickTemporaryPath(const fs::path& target, fs::path& temp) {
    const fs::path folder = target.parent_path();
    for (int attempt = 0; attempt < 32; ++attempt) {
        fs::path candidate = folder / ("." + target.filename().string() + ".tmp-" + RandomSuffix());
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(candidate, ec))) {
            temp = std::move(candidate);
            return true;
        }
    }
    return false;
}

Failure WriteTemporary(const fs::path& temp, std::string_view bytes) {
    errno = 0;
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return FailureFromErrno(errno, FailureKind::PathFileAccess);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    const int writeErrno = errno;
    const bool written = static_cast<bool>(out);
    out.close();
    if (!written || out.fail()) return FailureFromErrno(writeErrno ? writeErrno : errno, FailureKind::DeviceIo);
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(temp, ec);
    if (ec || size != bytes.size()) return {FailureKind::DeviceIo};
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

    fs::path temp;
    if (!PickTemporaryPath(target, temp)) return {FailureKind::PathFileAccess, ErrnoText(EEXIST)};
    if (Failure failure = WriteTemporary(temp, bytes)) {
        fs::remove(temp, ec);
        return failure;
    }
    if (replacing) fs::permissions(temp, status.permissions(), fs::perm_options::replace, ec);
    fs::rename(temp, target, ec);
    if (ec) {
        const Failure failure = FailureFromErrno(ec.value(), FailureKind::PathFileAccess);
        fs::remove(temp, ec);
        return failure;
    }
    return {};
}

}  // namespace rp770
