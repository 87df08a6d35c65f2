#include "desktop/ErrorLogFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <system_error>

#include "os/ExclusiveFile.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace rp770 {

namespace fs = std::filesystem;

void ErrorLogFile::Report(std::string_view qualifiedName, std::string_view message) {
    try {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
#if defined(_WIN32)
        localtime_s(&local, &now);
#else
        localtime_r(&now, &local);
#endif
        // The date and the time as the user's locale writes them.
        char date[64] = {}, time[64] = {};
        std::strftime(date, sizeof date, "%x", &local);
        std::strftime(time, sizeof time, "%X", &local);
        std::FILE* out = std::fopen(file_.string().c_str(), "ab");
        if (!out) return;
        const std::string line = FormatErrorLine(date, time, qualifiedName, message) + "\r\n";
        std::fwrite(line.data(), 1, line.size(), out);
        std::fclose(out);
    } catch (...) {
        // A report never disturbs its caller.
    }
}

namespace {

#if defined(_WIN32)
// Under the folders programs are installed in, or the system's own.
bool IsSystemFolder(const fs::path& folder) {
    std::error_code ec;
    const fs::path canonical = fs::weakly_canonical(folder, ec);
    for (const char* variable : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432", "SystemRoot"}) {
        const char* value = std::getenv(variable);
        if (!value || !*value) continue;
        const fs::path system = fs::weakly_canonical(value, ec);
        const auto [end, rest] = std::mismatch(system.begin(), system.end(), canonical.begin(), canonical.end());
        if (end == system.end()) return true;
    }
    return false;
}
#endif

}  // namespace

bool IsUsersOwnFolder(const fs::path& folder) {
    if (folder.empty()) return false;
#if defined(_WIN32)
    if (IsSystemFolder(folder)) return false;
#else
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return false;
    const uid_t user = ::geteuid();
    if (user == 0 || status.st_uid != user) return false;
#endif
    return platform::FolderIsWritable(folder);
}

fs::path ErrorLogFolder(const fs::path& programFolder, const fs::path& stateFolder) {
    if (IsUsersOwnFolder(programFolder)) return programFolder;
    if (stateFolder.empty()) return {};
    std::error_code ec;
    fs::create_directories(stateFolder, ec);
    return fs::is_directory(stateFolder, ec) ? stateFolder : fs::path();
}

}  // namespace rp770
