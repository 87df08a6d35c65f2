#pragma once
// Why an operation failed, as a value: the kind, with its classic number and
// description for the error log ("53File not found"), the system's own
// reason for the user ("No such file or directory"), and the program's own
// message ("FileRead Error!!"). A Failure of kind None means success (Ok()).

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "messages/MessageText.h"

namespace rp770 {

enum class FailureKind {
    None,
    OutOfMemory,     // 7
    Internal,        // 51: an unexpected failure inside the program
    DeviceIo,        // 57
    DiskFull,        // 61
    PastEndOfFile,   // 62: the file ended before it should have
    PermissionDenied,// 70
    PathFileAccess,  // 75
    PathNotFound,    // 76
    FileNotFound,    // 53
    // The program's own refusals and ends, which have no number of their own.
    Refused,         // the program refused the data or the request ("ModelType Error !!", "bad file!!")
    TooLarge,        // a file longer than its kind may be: reading stopped at the limit
    Usage,           // a request the program cannot take as given (an unknown destination named)
    Communication,   // the radio link failed ("Communication Error!!", "Radio not ready!!")
    Cancelled,       // the user stopped it: Cancel, a closed dialog, No to a question
};

struct Failure {
    FailureKind kind = FailureKind::None;
    std::string reason;   // the system's reason, in plain English; empty: the kind's description
    std::string message;  // the program's own message for it, when it has one ("FileRead Error!!")

    Failure() = default;
    Failure(FailureKind k, std::string why = {}, std::string said = {})
        : kind(k), reason(std::move(why)), message(std::move(said)) {}

    bool Ok() const { return kind == FailureKind::None; }
    bool Failed() const { return kind != FailureKind::None; }
    int Number() const;                   // 53, 70, ...; 0 for none
    // "File not found", ...: in English, as the error log has it; and as
    // words of the catalogue, for the user.
    std::string Description() const;
    MessageText DescriptionText() const;
    // The error log's message: the number followed directly by the description.
    std::string LogText() const;
    // What the user is told after the program's own message: the system's
    // reason, or the description when there is none.
    std::string Reason() const;
};

// The failure for the errno value of a failed open, read or write; errors
// without a kind of their own take `otherwise`. The reason is the errno's
// text in English, whatever the user's language.
Failure FailureFromErrno(int error, FailureKind otherwise);

// A file longer than `limit` bytes; `size` when it is known (a regular
// file), nothing for a stream, which was read up to the limit only.
Failure TooLargeFailure(std::optional<std::uintmax_t> size, std::uintmax_t limit);

// An unexpected exception: out of memory, else an internal failure with
// the exception's text.
Failure FailureFromException(const std::exception& e);

// The English text of an errno value ("No such file or directory"), the
// same on every desktop and in every language.
std::string ErrnoText(int error);

// The text shown to the user: the program's message, then the path and the
// system's reason in brackets ("FileRead Error!! (/boat.dat: No such file
// or directory)").
std::string WithReason(std::string_view message, std::string_view path, const Failure& failure);

}  // namespace rp770
