#include "core/Failure.h"

#include <cerrno>
#include <cstring>
#include <new>

namespace rp770 {

namespace {

struct KindInfo {
    FailureKind kind;
    int number;
    const char* description;
};

// The one table of failure numbers and descriptions.
constexpr KindInfo kKinds[] = {
    {FailureKind::None, 0, ""},
    {FailureKind::OutOfMemory, 7, "Out of memory"},
    {FailureKind::Internal, 51, "Internal error"},
    {FailureKind::FileNotFound, 53, "File not found"},
    {FailureKind::DeviceIo, 57, "Device I/O error"},
    {FailureKind::DiskFull, 61, "Disk full"},
    {FailureKind::PastEndOfFile, 62, "Input past end of file"},
    {FailureKind::PermissionDenied, 70, "Permission denied"},
    {FailureKind::PathFileAccess, 75, "Path/File access error"},
    {FailureKind::PathNotFound, 76, "Path not found"},
    {FailureKind::Refused, 0, "Refused"},
    {FailureKind::TooLarge, 0, "File too large"},
    {FailureKind::Usage, 0, "Not understood"},
    {FailureKind::Communication, 0, "Communication failed"},
    {FailureKind::Cancelled, 0, "Cancelled"},
};

const KindInfo& Info(FailureKind kind) {
    for (const KindInfo& info : kKinds)
        if (info.kind == kind) return info;
    return kKinds[0];
}

}  // namespace

int Failure::Number() const { return Info(kind).number; }

std::string_view Failure::Description() const { return Info(kind).description; }

std::string Failure::LogText() const {
    std::string text = std::to_string(Number()) + std::string(Description());
    // An internal failure says what went wrong; the others are told by their kind.
    if (kind == FailureKind::Internal && !reason.empty()) text += ": " + reason;
    return text;
}

std::string Failure::Reason() const { return reason.empty() ? std::string(Description()) : reason; }

std::string ErrnoText(int error) {
    switch (error) {
        case ENOENT: return "No such file or directory";
        case EACCES: return "Permission denied";
        case EPERM: return "Operation not permitted";
        case ENOSPC: return "No space left on device";
        case EFBIG: return "File too large";
        case EIO: return "Input/output error";
        case EISDIR: return "Is a directory";
        case ENOTDIR: return "Not a directory";
        case EROFS: return "Read-only file system";
        case EEXIST: return "File exists";
        case EBUSY: return "Device or resource busy";
        case ENAMETOOLONG: return "File name too long";
        case ELOOP: return "Too many levels of symbolic links";
        case EMFILE: return "Too many open files";
        case ENOMEM: return "Cannot allocate memory";
        case EINVAL: return "Invalid argument";
        case EPIPE: return "Broken pipe";
        case ENXIO: return "No such device or address";
        case ENODEV: return "No such device";
        case EBADF: return "Bad file descriptor (the file or stream is not open)";
        case EINTR: return "Interrupted system call";
        case EAGAIN: return "Resource temporarily unavailable";
        case ENFILE: return "Too many open files in system";
        case ENOTTY: return "Inappropriate ioctl for device";
        case ETXTBSY: return "Text file busy";
        case ESPIPE: return "Illegal seek";
        case EMLINK: return "Too many links";
        case EXDEV: return "Invalid cross-device link";
        case ENOTEMPTY: return "Directory not empty";
        case ENOSYS: return "Function not implemented";
        case EOVERFLOW: return "Value too large for defined data type";
        case ETIMEDOUT: return "Connection timed out";
        case ECONNRESET: return "Connection reset by peer";
        case EOPNOTSUPP: return "Operation not supported";
        case ENOLCK: return "No locks available";
        case ECANCELED: return "Operation canceled";
        case EILSEQ: return "Invalid or incomplete multibyte or wide character";
        case EDOM: return "Numerical argument out of domain";
        case ERANGE: return "Numerical result out of range";
        case ECHILD: return "No child processes";
        case ESRCH: return "No such process";
        case E2BIG: return "Argument list too long";
        case ENOEXEC: return "Exec format error";
        case EFAULT: return "Bad address";
        case EDEADLK: return "Resource deadlock avoided";
#if defined(EDQUOT)
        case EDQUOT: return "Disk quota exceeded";
#endif
#if defined(ESTALE)
        case ESTALE: return "Stale file handle";
#endif
#if defined(EHOSTDOWN)
        case EHOSTDOWN: return "Host is down";
#endif
        default: break;
    }
    // A failure the table does not know is still said in words.
    return "Unexpected system failure (code " + std::to_string(error) + ")";
}

Failure FailureFromErrno(int error, FailureKind otherwise) {
    const std::string reason = error != 0 ? ErrnoText(error) : std::string();
    switch (error) {
        case ENOENT: return {FailureKind::FileNotFound, reason};
        case EACCES:
        case EPERM:
        case EROFS: return {FailureKind::PermissionDenied, reason};
        case ENOSPC:
        case EFBIG: return {FailureKind::DiskFull, reason};
        case EIO: return {FailureKind::DeviceIo, reason};
        case ENOMEM: return {FailureKind::OutOfMemory, reason};
        default: break;
    }
    return {otherwise, reason};
}

Failure TooLargeFailure(std::optional<std::uintmax_t> size, std::uintmax_t limit) {
    const std::string over = "over the limit of " + std::to_string(limit) + " bytes";
    return {FailureKind::TooLarge,
            "File too large (" + (size ? std::to_string(*size) + " bytes, " + over : over) + ")"};
}

Failure FailureFromException(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e)) return {FailureKind::OutOfMemory};
    return {FailureKind::Internal, e.what()};
}

std::string WithReason(std::string_view message, std::string_view path, const Failure& failure) {
    std::string text(message);
    if (failure.Ok()) return text;
    text += " (";
    if (!path.empty()) text += std::string(path) + ": ";
    return text + failure.Reason() + ")";
}

}  // namespace rp770
