#pragma once
// Reading a whole file, and the failures file operations report: a number
// and a description, which the error log shows run together ("53File not
// found").

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace rp770 {

struct FileFailure {
    int number = 0;
    std::string description;
    std::string LogText() const { return std::to_string(number) + description; }
};

// The failure for the errno value of a failed open, read or write.
FileFailure FailureFromErrno(int error, int fallbackNumber);

// The whole content of a regular file (symbolic links followed). Anything
// else (missing, a folder, a device, a pipe) is a failure, so that reading
// never blocks or runs forever.
bool ReadWholeFile(const std::filesystem::path& path, std::string& content, FileFailure* failure = nullptr);

// The length of a regular file, or nothing when there is no such file.
std::optional<std::uintmax_t> RegularFileLength(const std::filesystem::path& path);

}  // namespace rp770
