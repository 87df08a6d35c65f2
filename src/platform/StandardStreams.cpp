#include "platform/StandardStreams.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "core/Failure.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#else
#include <csignal>
#endif

namespace rp770::platform {

void PrepareStandardStreams() {
#if defined(_WIN32)
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#else
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

// In English, the same in every language the desktop speaks.
std::string SystemErrorText(int error) { return ErrnoText(error ? error : EIO); }

bool ReadStandardInput(std::string& bytes, std::string& error) {
    bytes.clear();
    char chunk[1 << 16];
    for (;;) {
        const size_t got = std::fread(chunk, 1, sizeof chunk, stdin);
        bytes.append(chunk, got);
        if (got < sizeof chunk) break;
    }
    if (std::ferror(stdin)) {
        error = SystemErrorText(errno);
        return false;
    }
    return true;
}

bool FlushStandardOutput(std::string& error) {
    errno = 0;
    std::cout.flush();
    const bool flushed = std::fflush(stdout) == 0;
    const int reason = errno;
    if (flushed && !std::ferror(stdout) && !std::cout.bad()) return true;
    error = SystemErrorText(reason);
    return false;
}

}  // namespace rp770::platform
