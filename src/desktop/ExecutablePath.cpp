#include "desktop/ExecutablePath.h"

#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#elif defined(__APPLE__)
#include <mach-o/dyld.h>
#include <vector>
#endif

namespace rp770::platform {

std::string ExecutableFolder(const std::string& fallback) {
    std::filesystem::path exe;
#if defined(_WIN32)
    wchar_t buffer[32768];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(sizeof buffer / sizeof buffer[0]));
    if (length > 0 && length < sizeof buffer / sizeof buffer[0]) exe = std::filesystem::path(std::wstring(buffer, length));
#elif defined(__APPLE__)
    uint32_t size = 0;
    _NSGetExecutablePath(nullptr, &size);
    std::vector<char> buffer(size + 1, '\0');
    if (_NSGetExecutablePath(buffer.data(), &size) == 0) exe = std::filesystem::path(buffer.data());
#else
    std::error_code ec;
    exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) exe.clear();
#endif
    if (exe.empty()) return fallback;
    std::error_code ec2;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(exe, ec2);
    return (ec2 ? exe : canonical).parent_path().string();
}

}  // namespace rp770::platform
