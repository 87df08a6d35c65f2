#pragma once
// Standard input and output as a command-line tool uses them for files:
// bytes passed unchanged (no line-end translation), and a failed write (a
// full disk, a reader that went away) reported instead of ending the
// program silently.

#include <string>
#include <string_view>

namespace rp770::platform {

// Call once at start: binary standard streams; a closed pipe makes writes
// fail with an error rather than stop the program.
void PrepareStandardStreams();

// Everything standard input holds. False (and `error` set) when it cannot
// be read.
bool ReadStandardInput(std::string& bytes, std::string& error);

// Pushes everything written to standard output so far (through std::cout
// or stdio) out; false (and `error` set to the system's reason) when any of
// it could not be written.
bool FlushStandardOutput(std::string& error);

// The system's text for an errno value ("No space left on device").
std::string SystemErrorText(int error);

}  // namespace rp770::platform
