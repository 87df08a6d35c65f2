#include "files/FileBytes.h"

#include <cerrno>
#include <exception>
#include <fstream>
#include <system_error>

namespace rp770 {

FileFailure FailureFromErrno(int error, int fallbackNumber) {
    switch (error) {
        case ENOENT: return {53, "File not found"};
        case EACCES:
        case EPERM: return {70, "Permission denied"};
        case ENOSPC: return {61, "Disk full"};
        case EFBIG: return {61, "Disk full"};
        case EIO: return {57, "Device I/O error"};
        default: break;
    }
    return fallbackNumber == 57 ? FileFailure{57, "Device I/O error"} : FileFailure{75, "Path/File access error"};
}

std::optional<std::uintmax_t> RegularFileLength(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) return std::nullopt;
    return size;
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& content, FileFailure* failure) {
    content.clear();
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) {
        if (failure) *failure = {53, "File not found"};
        return false;
    }
    if (!std::filesystem::is_regular_file(status)) {
        if (failure) *failure = {75, "Path/File access error"};
        return false;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (failure) *failure = FailureFromErrno(errno, 75);
        return false;
    }
    try {
        char chunk[1 << 16];
        while (in) {
            in.read(chunk, sizeof chunk);
            content.append(chunk, static_cast<size_t>(in.gcount()));
        }
    } catch (const std::exception&) {  // too large to hold
        content.clear();
        content.shrink_to_fit();
        if (failure) *failure = {7, "Out of memory"};
        return false;
    }
    if (in.bad()) {
        if (failure) *failure = FailureFromErrno(errno, 57);
        content.clear();
        return false;
    }
    return true;
}

}  // namespace rp770
