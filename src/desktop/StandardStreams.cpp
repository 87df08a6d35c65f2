#include "desktop/StandardStreams.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#else
#include <csignal>
#endif

namespace rp770::platform {

namespace {

int outputError = 0;  // the first failure of standard output; sticky

int NoteOutputFailure(int error) {
    if (error == 0) error = EIO;
    if (error == EPIPE) EndForClosedPipe();
    if (outputError == 0) outputError = error;
    return outputError;
}

}  // namespace

void EndForClosedPipe() {
#if !defined(_WIN32)
    std::signal(SIGPIPE, SIG_DFL);
    std::raise(SIGPIPE);
#endif
    std::_Exit(kClosedPipeStatus);
}

void PrepareStandardStreams() {
#if defined(_WIN32)
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#else
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

int WriteStandardOutput(std::string_view bytes) {
    if (outputError != 0) return outputError;
    if (const int error = FlushStandardOutput(); error != 0) return error;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0)
        return NoteOutputFailure(errno);
    return 0;
}

int StandardOutputError() { return outputError; }

int FlushStandardOutput() {
    if (outputError != 0) return outputError;
    errno = 0;
    std::cout.flush();
    if (std::fflush(stdout) != 0 || std::ferror(stdout) || std::cout.bad()) return NoteOutputFailure(errno);
    return 0;
}

}  // namespace rp770::platform
