#include "core/Failure.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cctype>

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
    for (int error = 1; error < 134; ++error) {
        const std::string text = ErrnoText(error);
        EXPECT_NE(text.rfind("error ", 0), 0u) << error;
        EXPECT_TRUE(std::isupper(static_cast<unsigned char>(text.front()))) << error << ": " << text;
    }
}

// A file too large says its length when known, and the limit.
TEST(Failure, AFileTooLargeSaysItsLengthAndTheLimit) {
    EXPECT_EQ(TooLargeFailure(5000, 1024).Reason(), "File too large (5000 bytes, over the limit of 1024 bytes)");
    EXPECT_EQ(TooLargeFailure(std::nullopt, 1024).Reason(), "File too large (over the limit of 1024 bytes)");
    EXPECT_EQ(TooLargeFailure(std::nullopt, 1024).kind, FailureKind::TooLarge);
}

}  // namespace
}  // namespace rp770
