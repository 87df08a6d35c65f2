#include "core/ErrorLog.h"

#include <ctime>
#include <filesystem>
#include <cstdio>

namespace rp770 {

namespace {
struct LogConfig {
    std::string folder;
    bool enabled = false;
};
LogConfig& Config() {
    static LogConfig config;
    return config;
}
}  // namespace

void ConfigureErrorLog(const std::string& folder, bool debugMode) {
    Config().folder = folder;
    Config().enabled = debugMode;
}

std::string ErrorLogPath() {
    if (!Config().enabled) return {};
    return (std::filesystem::path(Config().folder) / "err.log").string();
}

std::string FormatErrorLine(std::string_view date, std::string_view time, std::string_view qualifiedName,
                            std::string_view message) {
    std::string line;
    line.append(date).append(",").append(time).append(":").append(qualifiedName).append(" -> ").append(message);
    return line;
}

void ReportError(std::string_view qualifiedName, std::string_view message) {
    if (!Config().enabled) return;
    try {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
#if defined(_WIN32)
        localtime_s(&local, &now);
#else
        localtime_r(&now, &local);
#endif
        char date[64] = {}, time[64] = {};
        std::strftime(date, sizeof date, "%x", &local);
        std::strftime(time, sizeof time, "%X", &local);
        const std::filesystem::path path = std::filesystem::path(Config().folder) / "err.log";
        std::FILE* out = std::fopen(path.string().c_str(), "ab");
        if (!out) return;
        const std::string line = FormatErrorLine(date, time, qualifiedName, message) + "\r\n";
        std::fwrite(line.data(), 1, line.size(), out);
        std::fclose(out);
    } catch (...) {
        // A report never disturbs its caller.
    }
}

}  // namespace rp770
