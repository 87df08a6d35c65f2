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

void Fail(FileFailure* failure, FileFailure value) {
    if (failure) *failure = std::move(value);
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

bool WriteTemporary(const fs::path& temp, std::string_view bytes, FileFailure* failure) {
    errno = 0;
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) {
        Fail(failure, FailureFromErrno(errno, 75));
        return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    const int writeErrno = errno;
    const bool written = static_cast<bool>(out);
    out.close();
    if (!written || out.fail()) {
        Fail(failure, FailureFromErrno(writeErrno ? writeErrno : errno, 57));
        return false;
    }
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(temp, ec);
    if (ec || size != bytes.size()) {
        Fail(failure, {57, "Device I/O error"});
        return false;
    }
    return true;
}

}  // namespace

bool WriteFileAtomically(const fs::path& requested, std::string_view bytes, FileFailure* failure) {
    std::error_code ec;
    fs::path target = requested;
    if (target.filename().empty()) {
        Fail(failure, {75, "Path/File access error"});
        return false;
    }
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (ec) {
            Fail(failure, {75, "Path/File access error"});
            return false;
        }
        target = resolved;
    }
    const fs::file_status status = fs::status(target, ec);
    const bool replacing = fs::exists(status);
    if (replacing && !fs::is_regular_file(status)) {
        Fail(failure, {75, "Path/File access error"});
        return false;
    }
    // A file the user made read-only is not replaced behind their back.
    constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (replacing && (status.permissions() & anyWrite) == fs::perms::none) {
        Fail(failure, {75, "Path/File access error"});
        return false;
    }
    if (target.parent_path().empty()) target = fs::path(".") / target;
    if (!fs::is_directory(target.parent_path(), ec)) {
        Fail(failure, {76, "Path not found"});
        return false;
    }

    fs::path temp;
    if (!PickTemporaryPath(target, temp)) {
        Fail(failure, {75, "Path/File access error"});
        return false;
    }
    if (!WriteTemporary(temp, bytes, failure)) {
        fs::remove(temp, ec);
        return false;
    }
    if (replacing) fs::permissions(temp, status.permissions(), fs::perm_options::replace, ec);
    fs::rename(temp, target, ec);
    if (ec) {
        Fail(failure, FailureFromErrno(ec.value(), 75));
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

}  // namespace rp770
