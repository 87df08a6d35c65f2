#include "desktop/FileBytes.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace rp770 {

Failure ReadWholeFile(const std::filesystem::path& path, std::string& content, size_t limit) {
    content.clear();
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) return FailureFromErrno(ec ? ec.value() : ENOENT, FailureKind::FileNotFound);
    if (!std::filesystem::is_regular_file(status))
        return {FailureKind::PathFileAccess,
                ErrnoText(std::filesystem::is_directory(status) ? EISDIR : EINVAL)};
    const std::uintmax_t length = std::filesystem::file_size(path, ec);
    if (!ec && length > limit) return TooLargeFailure(length, limit);
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) return FailureFromErrno(errno, FailureKind::PathFileAccess);
    try {
        // One buffer of the file's length, filled in place: growing a string
        // chunk by chunk would hold up to three times the file at its peak.
        // Whatever the file gained since its length was taken is read up to
        // the limit and one byte.
        if (!ec && length > 0) {
            content.resize(static_cast<size_t>(length));
            in.read(content.data(), static_cast<std::streamsize>(length));
            content.resize(static_cast<size_t>(in.gcount()));
        }
        char chunk[1 << 16];
        while (in && content.size() <= limit) {
            const size_t wanted = std::min(sizeof chunk, limit + 1 - content.size());
            in.read(chunk, static_cast<std::streamsize>(wanted));
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
    if (content.size() > limit) {
        content.clear();
        return TooLargeFailure(std::nullopt, limit);
    }
    return {};
}

Failure ReadWholeStream(std::FILE* stream, std::string& content, size_t limit) {
    content.clear();
    errno = 0;
    try {
        char chunk[1 << 16];
        while (content.size() <= limit) {
            const size_t wanted = std::min(sizeof chunk, limit + 1 - content.size());
            const size_t got = std::fread(chunk, 1, wanted, stream);
            content.append(chunk, got);
            if (got < wanted) break;
        }
    } catch (const std::exception&) {
        content.clear();
        content.shrink_to_fit();
        return {FailureKind::OutOfMemory};
    }
    if (std::ferror(stream)) {
        content.clear();
        return FailureFromErrno(errno ? errno : EIO, FailureKind::DeviceIo);
    }
    if (content.size() > limit) {
        content.clear();
        content.shrink_to_fit();
        return TooLargeFailure(std::nullopt, limit);
    }
    return {};
}

}  // namespace rp770
