#include "desktop/FileSettingsStore.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>
#include <thread>

#include "desktop/AtomicFile.h"
#include "desktop/SettingsIniText.h"
#include "os/ExclusiveFile.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <csignal>
#include <pwd.h>
#include <unistd.h>
#endif

namespace rp770::platform {

namespace fs = std::filesystem;

namespace {

constexpr const char* kApplication = "RP770";
constexpr auto kStaleLock = std::chrono::seconds(30);  // as old as the window's QSettings lets a lock get
constexpr int kLockAttempts = 150;
constexpr auto kLockRetry = std::chrono::milliseconds(20);

bool IsAbsolute(const char* value) { return value && *value && fs::path(value).is_absolute(); }

std::optional<std::string> ReadWhole(const fs::path& file, int& error) {
    error = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::error_code ec;
        error = fs::exists(file, ec) ? EACCES : ENOENT;
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int ProcessId() {
#if defined(_WIN32)
    return static_cast<int>(GetCurrentProcessId());
#else
    return static_cast<int>(::getpid());
#endif
}

// A lock whose holder has gone, or which has been held far too long.
bool IsStale(const fs::path& lock) {
    std::error_code ec;
    const auto written = fs::last_write_time(lock, ec);
    if (ec) return false;
    if (fs::file_time_type::clock::now() - written > kStaleLock) return true;
#if !defined(_WIN32)
    int error = 0;
    const auto text = ReadWhole(lock, error);
    if (!text) return false;
    const long pid = std::strtol(text->c_str(), nullptr, 10);
    if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) return true;
#endif
    return false;
}

// The lock file the window's QSettings takes while it writes the file.
class SettingsLock {
public:
    explicit SettingsLock(fs::path file) : path_(file.string() + ".lock") {
        for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
            ExclusiveFile lock;
            const int error = lock.Create(path_);
            if (error == 0) {
                lock.Write(std::to_string(ProcessId()) + "\nrp770\n\n");
                lock.Close();
                held_ = true;
                return;
            }
            if (error != EEXIST) return;
            std::error_code ec;
            if (IsStale(path_)) {
                fs::remove(path_, ec);
                continue;
            }
            std::this_thread::sleep_for(kLockRetry);
        }
    }
    ~SettingsLock() {
        std::error_code ec;
        if (held_) fs::remove(path_, ec);
    }
    SettingsLock(const SettingsLock&) = delete;
    SettingsLock& operator=(const SettingsLock&) = delete;
    bool Held() const { return held_; }

private:
    fs::path path_;
    bool held_ = false;
};

}  // namespace

fs::path UserSettingsFile(const char* xdgConfigHome, const char* home, const char* appData) {
#if defined(_WIN32)
    (void)xdgConfigHome;
    (void)home;
    if (!IsAbsolute(appData)) return {};
    return fs::path(appData) / kApplication / (std::string(kApplication) + ".ini");
#else
    (void)appData;
    fs::path config;
    if (IsAbsolute(xdgConfigHome))
        config = xdgConfigHome;
    else if (IsAbsolute(home))
        config = fs::path(home) / ".config";
    else
        return {};
    return config / kApplication / (std::string(kApplication) + ".conf");
#endif
}

fs::path UserSettingsFile() {
#if defined(_WIN32)
    return UserSettingsFile(nullptr, nullptr, std::getenv("APPDATA"));
#else
    const char* home = std::getenv("HOME");
    if (!IsAbsolute(home)) {
        // No $HOME: the home the system has for the user.
        if (const passwd* user = ::getpwuid(::getuid()); user && IsAbsolute(user->pw_dir)) home = user->pw_dir;
    }
    return UserSettingsFile(std::getenv("XDG_CONFIG_HOME"), home, nullptr);
#endif
}

FileSettingsStore::FileSettingsStore() : file_(UserSettingsFile()) {}

FileSettingsStore::FileSettingsStore(fs::path file) : file_(std::move(file)) {}

std::optional<std::string> FileSettingsStore::Get(const std::string& section, const std::string& key) const {
    if (file_.empty()) return std::nullopt;
    int error = 0;
    const auto text = ReadWhole(file_, error);
    if (!text) return std::nullopt;
    const auto values = ReadSettingsIni(*text);
    const auto found = values.find(section.empty() ? key : section + "/" + key);
    if (found == values.end()) return std::nullopt;
    return found->second;
}

void FileSettingsStore::Set(const std::string& section, const std::string& key, const std::string& value) {
    if (file_.empty()) return;
    std::error_code ec;
    fs::create_directories(file_.parent_path(), ec);
    const SettingsLock lock(file_);
    if (!lock.Held()) return;
    int error = 0;
    const auto text = ReadWhole(file_, error);
    if (!text && error != ENOENT) return;
#if defined(_WIN32)
    const char* newline = "\r\n";
#else
    const char* newline = "\n";
#endif
    (void)WriteFileAtomically(file_, WithSettingsIniValue(text.value_or(""), section, key, value, newline));
}

}  // namespace rp770::platform
