#pragma once
// Reading a whole file, up to a limit.

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/Failure.h"

namespace rp770 {

// The whole content of a regular file (symbolic links followed), at most
// `limit` bytes: a longer file is refused by its length before anything is
// read (TooLargeFailure). Anything else (missing, a folder, a device, a
// pipe) is a failure, so that reading never blocks or runs forever.
Failure ReadWholeFile(const std::filesystem::path& path, std::string& content, size_t limit);

// Everything an open stream holds (a pipe, a FIFO, a device, standard
// input), at most `limit` bytes: once one byte more has come, reading stops
// and the stream is refused (TooLargeFailure), so that a stream that never
// ends is not read for ever. The buffer never holds more than the limit
// and one chunk.
Failure ReadWholeStream(std::FILE* stream, std::string& content, size_t limit);

}  // namespace rp770
