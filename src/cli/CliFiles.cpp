#include "cli/CliFiles.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <utility>
#include <system_error>

#include "desktop/AtomicFile.h"
#include "desktop/FileBytes.h"
#include "desktop/StandardStreams.h"
#include "workspace/Workspace.h"

namespace rp770::cli {

namespace fs = std::filesystem;

namespace {

bool EndsWithNoCase(const std::string& name, const char* ending) {
    const std::string_view end(ending);
    if (name.size() < end.size()) return false;
    for (size_t i = 0; i < end.size(); ++i) {
        char c = name[name.size() - end.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != end[i]) return false;
    }
    return true;
}

// Closes the file on every way out.
struct OpenFile {
    std::FILE* file;
    ~OpenFile() {
        if (file) std::fclose(file);
    }
    int Close() {
        const int result = std::fclose(std::exchange(file, nullptr));
        return result == 0 ? 0 : (errno ? errno : EIO);
    }
};

// A regular file is refused by its length before it is read; a stream is
// read up to the limit.
Failure ReadStream(const std::string& name, std::string& content, size_t limit) {
    std::error_code ec;
    const fs::file_status status = fs::status(name, ec);
    if (fs::is_directory(status)) return {FailureKind::PathFileAccess, ErrnoText(EISDIR)};
    if (fs::is_regular_file(status)) return ReadWholeFile(name, content, limit);
    errno = 0;
    OpenFile in{std::fopen(name.c_str(), "rb")};
    if (!in.file) return FailureFromErrno(errno, FailureKind::PathFileAccess);
    return ReadWholeStream(in.file, content, limit);
}

// A FIFO or a device takes the bytes as they come; a pipe whose reader went
// away ends the program as standard output's does.
Failure WriteStream(const std::string& name, std::string_view content) {
    errno = 0;
    OpenFile out{std::fopen(name.c_str(), "wb")};
    if (!out.file) return FailureFromErrno(errno, FailureKind::PathFileAccess);
    int error = 0;
    if (std::fwrite(content.data(), 1, content.size(), out.file) != content.size() || std::fflush(out.file) != 0)
        error = errno ? errno : EIO;
    const int closeError = out.Close();
    if (error == 0) error = closeError;
    if (error == EPIPE) platform::EndForClosedPipe();
    return error == 0 ? Failure{} : FailureFromErrno(error, FailureKind::DeviceIo);
}

}  // namespace

FileKind KindOf(const std::string& name) {
    if (IsMemoryImagePath(name)) return FileKind::MemoryImage;
    if (EndsWithNoCase(name, ".dat")) return FileKind::Settings;
    return FileKind::ByContent;
}

Failure CliFiles::Read(const std::string& name, std::string& content, size_t limit) {
    content.clear();
    if (!IsStandardStream(name)) return ReadStream(name, content, limit);
    return ReadWholeStream(stdin, content, limit);
}

Failure CliFiles::Write(const std::string& name, std::string_view content) {
    if (IsStandardStream(name)) {
        const int error = platform::WriteStandardOutput(content);
        return error == 0 ? Failure{} : FailureFromErrno(error, FailureKind::DeviceIo);
    }
    std::error_code ec;
    const fs::file_status status = fs::status(name, ec);
    const bool stream = fs::exists(status) && !fs::is_regular_file(status) && !fs::is_directory(status);
    if (stream) return WriteStream(name, content);
    std::string notice;
    const Failure failure = WriteFileAtomically(name, content, &notice);
    if (!notice.empty()) notices_.push_back(std::move(notice));
    return failure;
}

}  // namespace rp770::cli
