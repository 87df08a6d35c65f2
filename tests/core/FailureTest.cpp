#include "core/Failure.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace rp770 {
namespace {

// Every failure of the system is said in words, the same in every
// language; one the table does not know still says what it is.
TEST(Failure, EveryOsFailureHasAReasonInWords) {
    const struct {
        int error;
        const char* said;
    } known[] = {
        {ENOENT, "No such file or directory"},
        {EBADF, "Bad file descriptor (the file or stream is not open)"},
        {ENOSPC, "No space left on device"},
        {EPIPE, "Broken pipe"},
        {EAGAIN, "Resource temporarily unavailable"},
        {ETIMEDOUT, "Connection timed out"},
    };
    for (const auto& k : known) EXPECT_EQ(ErrnoText(k.error), k.said) << k.error;
    EXPECT_EQ(ErrnoText(100000), "Unexpected system failure (code 100000)");
}

}  // namespace
}  // namespace rp770
