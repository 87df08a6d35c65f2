#include "core/Failure.h"

#include <cerrno>
#include <cstring>
#include <new>

#include "messages/MessageText.h"

namespace rp770 {

namespace {

struct KindInfo {
    FailureKind kind;
    int number;
    MessageId description;
};

// The one table of failure numbers and descriptions.
constexpr KindInfo kKinds[] = {
    {FailureKind::None, 0, MessageId::Verbatim},
    {FailureKind::OutOfMemory, 7, MessageId::FailureOutOfMemory},
    {FailureKind::Internal, 51, MessageId::FailureInternal},
    {FailureKind::FileNotFound, 53, MessageId::FailureFileNotFound},
    {FailureKind::DeviceIo, 57, MessageId::FailureDeviceIo},
    {FailureKind::DiskFull, 61, MessageId::FailureDiskFull},
    {FailureKind::PastEndOfFile, 62, MessageId::FailurePastEnd},
    {FailureKind::PermissionDenied, 70, MessageId::ErrnoPermissionDenied},
    {FailureKind::PathFileAccess, 75, MessageId::FailurePathFileAccess},
    {FailureKind::PathNotFound, 76, MessageId::FailurePathNotFound},
    {FailureKind::Refused, 0, MessageId::FailureRefused},
    {FailureKind::TooLarge, 0, MessageId::ErrnoFileTooLarge},
    {FailureKind::Usage, 0, MessageId::FailureNotUnderstood},
    {FailureKind::Communication, 0, MessageId::FailureCommunication},
    {FailureKind::Cancelled, 0, MessageId::FailureCancelled},
};

const KindInfo& Info(FailureKind kind) {
    for (const KindInfo& info : kKinds)
        if (info.kind == kind) return info;
    return kKinds[0];
}

}  // namespace

int Failure::Number() const { return Info(kind).number; }

std::string Failure::Description() const { return MessageText(Info(kind).description).English(); }

MessageText Failure::DescriptionText() const { return Info(kind).description; }

std::string Failure::LogText() const {
    std::string text = std::to_string(Number()) + Description();
    // An internal failure says what went wrong; the others are told by their kind.
    if (kind == FailureKind::Internal && !reason.empty()) text += ": " + reason;
    return text;
}

std::string Failure::Reason() const { return reason.empty() ? DescriptionText().Render() : reason; }

std::string ErrnoText(int error) {
    const MessageId words = [error] {
        switch (error) {
            case ENOENT: return MessageId::ErrnoNoSuchFile;
            case EACCES: return MessageId::ErrnoPermissionDenied;
            case EPERM: return MessageId::ErrnoNotPermitted;
            case ENOSPC: return MessageId::ErrnoNoSpace;
            case EFBIG: return MessageId::ErrnoFileTooLarge;
            case EIO: return MessageId::ErrnoIo;
            case EISDIR: return MessageId::ErrnoIsDirectory;
            case ENOTDIR: return MessageId::ErrnoNotDirectory;
            case EROFS: return MessageId::ErrnoReadOnly;
            case EEXIST: return MessageId::ErrnoExists;
            case EBUSY: return MessageId::ErrnoBusy;
            case ENAMETOOLONG: return MessageId::ErrnoNameTooLong;
            case ELOOP: return MessageId::ErrnoLoop;
            case EMFILE: return MessageId::ErrnoTooManyFiles;
            case ENOMEM: return MessageId::ErrnoNoMemory;
            case EINVAL: return MessageId::ErrnoInvalid;
            case EPIPE: return MessageId::ErrnoBrokenPipe;
            case ENXIO: return MessageId::ErrnoNoDeviceOrAddress;
            case ENODEV: return MessageId::ErrnoNoDevice;
            case EBADF: return MessageId::ErrnoBadDescriptor;
            case EINTR: return MessageId::ErrnoInterrupted;
            case EAGAIN: return MessageId::ErrnoTryAgain;
            case ENFILE: return MessageId::ErrnoSystemFiles;
            case ENOTTY: return MessageId::ErrnoNotTerminal;
            case ETXTBSY: return MessageId::ErrnoTextBusy;
            case ESPIPE: return MessageId::ErrnoIllegalSeek;
            case EMLINK: return MessageId::ErrnoTooManyLinks;
            case EXDEV: return MessageId::ErrnoCrossDevice;
            case ENOTEMPTY: return MessageId::ErrnoNotEmpty;
            case ENOSYS: return MessageId::ErrnoNotImplemented;
            case EOVERFLOW: return MessageId::ErrnoOverflow;
            case ETIMEDOUT: return MessageId::ErrnoTimedOut;
            case ECONNRESET: return MessageId::ErrnoConnectionReset;
            case EOPNOTSUPP: return MessageId::ErrnoNotSupported;
            case ENOLCK: return MessageId::ErrnoNoLocks;
            case ECANCELED: return MessageId::ErrnoCanceled;
            case EILSEQ: return MessageId::ErrnoIllegalSequence;
            case EDOM: return MessageId::ErrnoDomain;
            case ERANGE: return MessageId::ErrnoRange;
            case ECHILD: return MessageId::ErrnoNoChild;
            case ESRCH: return MessageId::ErrnoNoProcess;
            case E2BIG: return MessageId::ErrnoArgumentsTooLong;
            case ENOEXEC: return MessageId::ErrnoExecFormat;
            case EFAULT: return MessageId::ErrnoBadAddress;
            case EDEADLK: return MessageId::ErrnoDeadlock;
#if defined(EDQUOT)
            case EDQUOT: return MessageId::ErrnoQuota;
#endif
#if defined(ESTALE)
            case ESTALE: return MessageId::ErrnoStale;
#endif
#if defined(EHOSTDOWN)
            case EHOSTDOWN: return MessageId::ErrnoHostDown;
#endif
            default: return MessageId::Verbatim;
        }
    }();
    // A failure the table does not know is still said in words.
    if (words == MessageId::Verbatim) return Words(MessageId::ErrnoUnexpected, error);
    return Words(words);
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
    return {FailureKind::TooLarge, size ? Words(MessageId::FileTooLargeBytes, *size, limit)
                                        : Words(MessageId::FileTooLargeStream, limit)};
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
