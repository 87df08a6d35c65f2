#include "desktop/FileBytes.h"

#include <cerrno>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace rp770 {

std::optional<std::uintmax_t> RegularFileLength(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) return std::nullopt;
    return size;
}

Failure ReadWholeFile(const std::filesystem::path& path, std::string& content) {
    content.clear();
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) return FailureFromErrno(ec ? ec.value() : ENOENT, FailureKind::FileNotFound);
    if (!std::filesystem::is_regular_file(status))
        return {FailureKind::PathFileAccess,
                ErrnoText(std::filesystem::is_directory(status) ? EISDIR : EINVAL)};
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) return FailureFromErrno(errno, FailureKind::PathFileAccess);
    try {
        // One buffer of the file's length, filled in place: growing a string
        // chunk by chunk would hold up to three times the file at its peak.
        // Whatever the file gained since its length was taken is appended.
        const std::uintmax_t length = std::filesystem::file_size(path, ec);
        if (!ec && length > 0) {
            if (length > content.max_size()) throw std::length_error("file too large");
            content.resize(static_cast<size_t>(length));
            in.read(content.data(), static_cast<std::streamsize>(length));
            content.resize(static_cast<size_t>(in.gcount()));
        }
        char chunk[1 << 16];
        while (in) {
            in.read(chunk, sizeof chunk);
            content.append(chunk, static_cast<size_t>(in.gcount()));
        }
    } catch (const std::exception&) {  // too large to hold
        content.clear();
        content.shrink_to_fit();
        return {FailureKind::OutOfMemory};
    }
    if (in.bad()) {
        content.clear();
        return FailureFromErrno(errno, FailureKind::DeviceIo);
    }
    return {};
}

}  // namespace rp770
