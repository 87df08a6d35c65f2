#include "cli/ReadOutput.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <iostream>

#include "core/Failure.h"
#include "os/ExclusiveFile.h"
#include "messages/MessageText.h"

namespace rp770::cli {

namespace fs = std::filesystem;

namespace {

// "20261208-153012": the local time, in digits whatever the locale.
std::string TimeStamp() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    return std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local) ? text : "";
}

}  // namespace

std::optional<std::string> WhyOutputCannotBeSaved(const std::string& path) {
    if (path == "-") return std::nullopt;
    const fs::path target(path);
    if (target.filename().empty()) return Words(MessageId::CliNamesFolder);
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (fs::exists(status)) {
        if (fs::is_directory(status)) return Words(MessageId::CliIsFolder);
        if (!fs::is_regular_file(status)) return std::nullopt;  // a FIFO or a device takes what comes
        constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        if ((status.permissions() & anyWrite) == fs::perms::none) return Words(MessageId::CliFileReadOnly);
    }
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    if (!fs::is_directory(folder, ec)) return Words(MessageId::CliFolderMissing, folder.string());
    if (!platform::FolderIsWritable(folder))
        return Words(MessageId::CliFolderClosed, folder.string());
    return std::nullopt;
}

bool SaveToRecoveryFile(std::string_view bytes, const std::string& intendedPath) {
    // A file of its own in the temporary folder, open to the user alone:
    // "rp770-recovery-" + time + random letters + the name meant for it.
    std::error_code ec;
    const fs::path temp = fs::temp_directory_path(ec);
    platform::ExclusiveFile file;
    int error = ec ? ec.value() : 0;
    if (!error)
        error = file.CreateUnique(temp, "rp770-recovery-" + TimeStamp() + "-",
                                  "-" + fs::path(intendedPath).filename().string());
    if (!error) error = file.Write(bytes);
    if (!error) error = file.Close();
    if (error) {
        if (file.IsOpen()) file.Close();
        if (!file.path().empty()) fs::remove(file.path(), ec);
        std::cerr << Words(MessageId::CliReadNotSaved, ErrnoText(error)) << "\n";
        return false;
    }
    std::cerr << Words(MessageId::CliReadSavedElsewhere, fs::path(file.path()).make_preferred().string()) << "\n";
    return true;
}

}  // namespace rp770::cli
