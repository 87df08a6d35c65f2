#pragma once
// Standard input and output as a command-line tool uses them for files:
// bytes passed unchanged (no line-end translation), a failed write said
// once with the system's true reason, and a reader that went away ending
// the program quietly, as GNU tools end.

#include <string>
#include <string_view>

namespace rp770::platform {

// The exit status of a program ended by a closed pipe, as the shell reports
// one killed by SIGPIPE (128 + 13).
inline constexpr int kClosedPipeStatus = 141;

// Call once at start: binary standard streams; SIGPIPE no longer kills the
// program at any write (a closed standard error must not stop a transfer
// half-way): a closed standard output is dealt with where it is written.
void PrepareStandardStreams();

// Writes the bytes to standard output and pushes them out (what std::cout
// held first). Returns 0, or the errno value of the failure; after a
// failure every later write fails the same way without trying again.
// When the reader has gone (a closed pipe), the program ends at once,
// quietly: killed by SIGPIPE as GNU tools are (status 141 in the shell);
// where there is no SIGPIPE, with that status.
int WriteStandardOutput(std::string_view bytes);

// Ends the program as a reader that went away ends GNU tools: killed by
// SIGPIPE (status 141 in the shell); where there is no SIGPIPE, with that
// status. For any pipe the program writes to as a file.
[[noreturn]] void EndForClosedPipe();

// The first failure of standard output so far (its errno value); 0 for none.
int StandardOutputError();

// Pushes out whatever std::cout and stdout hold; 0, or the errno value of
// the first failure of standard output (this one or an earlier one).
int FlushStandardOutput();

}  // namespace rp770::platform
