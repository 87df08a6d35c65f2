#pragma once
// The desktop's error log: err.log, one line per report, appended with the
// local date and time; the file is opened and closed for every report, so
// that it is complete on disk after each, and never truncated. A report
// that cannot be written is dropped without a word.

#include <filesystem>
#include <string>
#include <string_view>

#include "core/ErrorLog.h"

namespace rp770 {

inline constexpr const char* kErrorLogFileName = "err.log";

class ErrorLogFile : public ErrorLog {
public:
    explicit ErrorLogFile(std::filesystem::path file) : file_(std::move(file)) {}
    void Report(std::string_view qualifiedName, std::string_view message) override;
    std::string Where() const override { return file_.string(); }

private:
    std::filesystem::path file_;
};

// Whether the program's folder is the user's own, so that the log may lie
// beside the program (a build folder, a copy carried around): the user
// running it owns it and may write in it, and is not the administrator. An
// installed copy (in a system folder, or run as root or through sudo)
// never gets a log beside it.
bool IsUsersOwnFolder(const std::filesystem::path& folder);

// The folder of err.log: the program's folder when it is the user's own,
// else `stateFolder` (the user's state folder), created when missing.
// Empty when neither can be had. Call it in debug mode only: it tries
// writing in the program's folder.
std::filesystem::path ErrorLogFolder(const std::filesystem::path& programFolder,
                                     const std::filesystem::path& stateFolder);

}  // namespace rp770
