#pragma once
// The files of rp770-cli, as the session reads and writes them: "-" is
// standard input (read whole, once, up to the limit of the file's kind) or
// standard output; any other name is read as a stream, so that regular
// files, FIFOs, process substitution (<(...)) and /dev/stdin all work. A regular file (or a new one) is written
// as the window writes it: completely or not at all, the old one replaced
// only at the end; a FIFO or a device is written directly. Nothing goes
// through a temporary file of its own.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/Storage.h"
#include "session/AppSession.h"

namespace rp770::cli {

inline bool IsStandardStream(const std::string& name) { return name == "-"; }

// How the kind of a file a command reads is told: a ".hex" name is a memory
// image and a ".dat" name settings text; a stream or any other name is told
// by its bytes.
FileKind KindOf(const std::string& name);

class CliFiles : public FileAccess {
public:
    Failure Read(const std::string& name, std::string& content, size_t limit) override;
    Failure Write(const std::string& name, std::string_view content) override;
    std::vector<std::string> TakeNotices() override { return std::exchange(notices_, {}); }

private:
    std::vector<std::string> notices_;
};

}  // namespace rp770::cli
