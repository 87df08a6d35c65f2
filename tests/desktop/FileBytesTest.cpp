#include "desktop/FileBytes.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "files/TestFolder.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace rp770 {
namespace {

using testing::TestFolder;
using testing::WriteBytes;

// A regular file is measured before it is read: up to the limit it is read
// whole, beyond it refused with its length and the limit.
TEST(FileBytes, AFileIsReadUpToItsLimitAndALongerOneIsRefusedByItsLength) {
    TestFolder folder;
    struct Case {
        size_t length;
        size_t limit;
        const char* reason;  // empty: read whole
    } cases[] = {
        {0, 0, ""},
        {1024, 1024, ""},
        {1025, 1024, "File too large (1025 bytes, over the limit of 1024 bytes)"},
        {5000, 10, "File too large (5000 bytes, over the limit of 10 bytes)"},
    };
    for (const Case& c : cases) {
        const std::string path = folder / ("f" + std::to_string(c.length));
        WriteBytes(path, std::string(c.length, 'x'));
        std::string content = "stale";
        const Failure failure = ReadWholeFile(path, content, c.limit);
        if (*c.reason == '\0') {
            EXPECT_TRUE(failure.Ok()) << c.length;
            EXPECT_EQ(content.size(), c.length);
        } else {
            EXPECT_EQ(failure.kind, FailureKind::TooLarge) << c.length;
            EXPECT_EQ(failure.Reason(), c.reason);
            EXPECT_TRUE(content.empty());
        }
    }
}

#if !defined(_WIN32)
// A stream is read up to the limit and one byte: a device that never ends
// is refused at once, a pipe of the limit's length read whole.
TEST(FileBytes, AStreamIsReadUpToTheLimitAndNoFurther) {
    std::FILE* zero = std::fopen("/dev/zero", "rb");
    ASSERT_NE(zero, nullptr);
    std::string content;
    const Failure endless = ReadWholeStream(zero, content, 4096);
    EXPECT_EQ(endless.kind, FailureKind::TooLarge);
    EXPECT_EQ(endless.Reason(), "File too large (over the limit of 4096 bytes)");
    EXPECT_TRUE(content.empty());
    std::fclose(zero);

    for (const size_t length : {size_t{0}, size_t{100}, size_t{101}}) {
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        ASSERT_EQ(::write(ends[1], std::string(length, 'p').data(), length), static_cast<ssize_t>(length));
        ::close(ends[1]);
        std::FILE* pipe = ::fdopen(ends[0], "rb");
        const Failure failure = ReadWholeStream(pipe, content, 100);
        std::fclose(pipe);
        EXPECT_EQ(failure.kind, length > 100 ? FailureKind::TooLarge : FailureKind::None) << length;
        EXPECT_EQ(content.size(), length > 100 ? 0 : length);
    }
}
#endif

}  // namespace
}  // namespace rp770
