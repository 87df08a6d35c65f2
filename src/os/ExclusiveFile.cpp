#include "os/ExclusiveFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <random>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <fstream>
#endif

namespace rp770::platform {

namespace fs = std::filesystem;

namespace {

std::string RandomLetters() {
    static std::atomic<unsigned> counter{0};
    std::random_device device;
    const unsigned long long value =
        (static_cast<unsigned long long>(device()) << 20) ^ device() ^ counter.fetch_add(1);
    static const char* letters = "0123456789abcdefghijklmnopqrstuv";
    std::string text;
    for (int i = 0; i < 12; ++i) text += letters[(value >> (5 * i)) & 0x1F];
    return text;
}

#if defined(_WIN32)
int ErrnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return EEXIST;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: return ENOENT;
        case ERROR_ACCESS_DENIED: return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return ENOSPC;
        default: return EIO;
    }
}
HANDLE AsHandle(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }
#endif

}  // namespace

ExclusiveFile::~ExclusiveFile() {
    if (IsOpen()) {
#if defined(_WIN32)
        CloseHandle(AsHandle(handle_));
#else
        ::close(static_cast<int>(handle_));
#endif
    }
}

ExclusiveFile::ExclusiveFile(ExclusiveFile&& other) noexcept : handle_(other.handle_), path_(std::move(other.path_)) {
    other.handle_ = kNoHandle;
}

ExclusiveFile& ExclusiveFile::operator=(ExclusiveFile&& other) noexcept {
    if (this != &other) {
        ExclusiveFile gone(std::move(*this));
        handle_ = other.handle_;
        path_ = std::move(other.path_);
        other.handle_ = kNoHandle;
    }
    return *this;
}

int ExclusiveFile::Create(const fs::path& path) {
    if (IsOpen()) return EBUSY;
#if defined(_WIN32)
    const HANDLE h = CreateFileW(path.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) return ErrnoOf(GetLastError());
    handle_ = reinterpret_cast<std::intptr_t>(h);
#else
    int flags = O_WRONLY | O_CREAT | O_EXCL;
#if defined(O_NOFOLLOW)
    flags |= O_NOFOLLOW;
#endif
#if defined(O_CLOEXEC)
    flags |= O_CLOEXEC;
#endif
    const int fd = ::open(path.c_str(), flags, S_IRUSR | S_IWUSR);
    if (fd < 0) return errno;
    handle_ = fd;
#endif
    path_ = path;
    return 0;
}

int ExclusiveFile::CreateUnique(const fs::path& folder, std::string_view prefix, std::string_view suffix) {
    int error = EEXIST;
    for (int attempt = 0; attempt < 64 && error == EEXIST; ++attempt)
        error = Create(folder / (std::string(prefix) + RandomLetters() + std::string(suffix)));
    return error;
}

int ExclusiveFile::Write(std::string_view bytes) {
    if (!IsOpen()) return EBADF;
    while (!bytes.empty()) {
#if defined(_WIN32)
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(AsHandle(handle_), bytes.data(), chunk, &written, nullptr)) return ErrnoOf(GetLastError());
#else
        const ssize_t written = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (written == 0) return EIO;
#endif
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return 0;
}

int ExclusiveFile::SetPermissions(fs::perms perms) {
    if (!IsOpen()) return EBADF;
#if defined(_WIN32)
    (void)perms;
    return 0;
#else
    return ::fchmod(static_cast<int>(handle_), static_cast<mode_t>(perms & fs::perms::mask)) == 0 ? 0 : errno;
#endif
}

int ExclusiveFile::Close() {
    if (!IsOpen()) return EBADF;
    int error = 0;
#if defined(_WIN32)
    const HANDLE h = AsHandle(handle_);
    if (!FlushFileBuffers(h)) error = ErrnoOf(GetLastError());
    if (!CloseHandle(h) && error == 0) error = ErrnoOf(GetLastError());
#else
    const int fd = static_cast<int>(handle_);
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
#endif
    handle_ = kNoHandle;
    return error;
}

fs::perms NormalFilePermissions() {
#if defined(_WIN32)
    return fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::group_write |
           fs::perms::others_read | fs::perms::others_write;
#else
    // Linux tells the mask without changing it; elsewhere it is read by
    // setting it back at once.
    const mode_t mask = [] {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
        const mode_t m = ::umask(022);
        ::umask(m);
        return m;
    }();
    return static_cast<fs::perms>(0666 & ~mask);
#endif
}

int CreatePrivateFolder(const fs::path& parent, std::string_view prefix, fs::path& made) {
    for (int attempt = 0; attempt < 64; ++attempt) {
        const fs::path candidate = parent / (std::string(prefix) + RandomLetters());
#if defined(_WIN32)
        if (CreateDirectoryW(candidate.wstring().c_str(), nullptr)) {
            made = candidate;
            return 0;
        }
        const int error = ErrnoOf(GetLastError());
#else
        if (::mkdir(candidate.c_str(), S_IRWXU) == 0) {
            made = candidate;
            return 0;
        }
        const int error = errno;
#endif
        if (error != EEXIST) return error;
    }
    return EEXIST;
}

bool FolderIsWritable(const fs::path& folder) {
    ExclusiveFile probe;
    if (probe.CreateUnique(folder, ".rp770-probe-", "") != 0) return false;
    probe.Close();
    std::error_code ec;
    fs::remove(probe.path(), ec);
    return true;
}

}  // namespace rp770::platform
