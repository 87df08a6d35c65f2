#include "desktop/AtomicFile.h"

#include <gtest/gtest.h>

#include "desktop/OtherUser.h"
#include "files/TestFolder.h"

#if !defined(_WIN32)
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace rp770 {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TestFolder;
using testing::WriteBytes;

TEST(AtomicFile, WritesANewFileAndReplacesAnOldOne) {
    TestFolder folder;
    const std::string path = folder / "a.dat";
    ASSERT_TRUE(WriteFileAtomically(path, "first").Ok());
    EXPECT_EQ(ReadBytes(path), "first");
    ASSERT_TRUE(WriteFileAtomically(path, std::string("second\0x", 8)).Ok());
    EXPECT_EQ(ReadBytes(path), std::string("second\0x", 8));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"a.dat"});  // no temporary file left
}

TEST(AtomicFile, AMissingFolderFailsWithoutCreatingAnything) {
    TestFolder folder;
    const Failure failure = WriteFileAtomically(folder / "missing/a.dat", "x");
    EXPECT_EQ(failure.LogText(), "76Path not found");
    EXPECT_EQ(failure.Reason(), "No such file or directory");
    EXPECT_TRUE(folder.Names().empty());
}

TEST(AtomicFile, AFolderOrADeviceIsNeverReplaced) {
    TestFolder folder;
    fs::create_directory(folder.path() / "dir");
    WriteBytes(folder / "dir/inside", "keep");
    EXPECT_FALSE(WriteFileAtomically(folder / "dir", "x").Ok());
    EXPECT_EQ(ReadBytes(folder / "dir/inside"), "keep");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"dir"});

    if (fs::exists("/dev/full")) {
        EXPECT_FALSE(WriteFileAtomically("/dev/full", "x").Ok());
        EXPECT_TRUE(fs::is_character_file("/dev/full"));
    }
}

TEST(AtomicFile, AReadOnlyFileIsLeftAlone) {
    TestFolder folder;
    const std::string path = folder / "locked.dat";
    WriteBytes(path, "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(WriteFileAtomically(path, "new").Ok());
    EXPECT_EQ(ReadBytes(path), "old");
}

TEST(AtomicFile, ALinkStaysALinkAndTheFileItNamesIsReplaced) {
    TestFolder folder;
    WriteBytes(folder / "real.dat", "old");
    std::error_code ec;
    fs::create_symlink(folder.path() / "real.dat", folder.path() / "link.dat", ec);
    if (ec) GTEST_SKIP() << "no symbolic links here: " << ec.message();
    ASSERT_TRUE(WriteFileAtomically(folder / "link.dat", "new").Ok());
    EXPECT_TRUE(fs::is_symlink(folder.path() / "link.dat"));
    EXPECT_EQ(ReadBytes(folder / "real.dat"), "new");
}

#if !defined(_WIN32)
TEST(AtomicFile, ANewFileGetsTheUsualPermissionsAndAReplacedOneKeepsItsOwn) {
    TestFolder folder;
    const mode_t mask = umask(027);
    ASSERT_TRUE(WriteFileAtomically(folder / "new.dat", "x").Ok());
    umask(mask);
    constexpr fs::perms rw_r = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    EXPECT_EQ(fs::status(folder / "new.dat").permissions() & fs::perms::all, rw_r) << "not 0666 less the mask";

    WriteBytes(folder / "old.dat", "old");
    fs::permissions(folder / "old.dat", fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    ASSERT_TRUE(WriteFileAtomically(folder / "old.dat", "new").Ok());
    EXPECT_EQ(fs::status(folder / "old.dat").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
}

struct Status {
    uid_t user;
    gid_t group;
    mode_t mode;
};
Status StatusOf(const std::string& path) {
    struct stat s {};
    EXPECT_EQ(::stat(path.c_str(), &s), 0) << path;
    return {s.st_uid, s.st_gid, static_cast<mode_t>(s.st_mode & 07777)};
}

// Root saving a user's file (a fleet's files, or through sudo) leaves it
// the user's: owner, group and mode, and nothing to tell.
TEST(AtomicFile, RootReplacingAUsersFileKeepsItsOwnerGroupAndMode) {
    if (!testing::RunningAsRoot()) GTEST_SKIP() << "only root may give a file to another user";
    TestFolder folder;
    const std::string path = folder / "boat.dat";
    WriteBytes(path, "old");
    ASSERT_EQ(::chown(path.c_str(), testing::kOtherUser, testing::kOtherGroup), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    std::string notice;
    ASSERT_TRUE(WriteFileAtomically(path, "new", &notice).Ok());
    EXPECT_EQ(ReadBytes(path), "new");
    const Status saved = StatusOf(path);
    EXPECT_EQ(saved.user, testing::kOtherUser);
    EXPECT_EQ(saved.group, testing::kOtherGroup);
    EXPECT_EQ(saved.mode, 0640u);
    EXPECT_EQ(notice, "");
}

// A user saving another user's file that is open to everyone cannot keep
// its owner: the file is saved, and the user is told whose it is now.
TEST(AtomicFile, AUserWhoCannotKeepTheOwnerIsTold) {
    if (!testing::RunningAsRoot()) GTEST_SKIP() << "needs a second user, which only root can become";
    TestFolder folder;
    ASSERT_EQ(::chmod(folder.str().c_str(), 0777), 0);  // the other user may make the temporary file
    const std::string path = folder / "boat.dat";
    WriteBytes(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    ASSERT_EQ(StatusOf(path).group, 0u);
    // Ids without a name are named by their numbers.
    const std::string expected = OwnerNotKeptNotice(path, "47113:47113", "root:root");
    const int result = testing::RunAs(testing::kOtherUser, testing::kOtherGroup, [&] {
        std::string notice;
        if (WriteFileAtomically(path, "new", &notice).Failed()) return 1;
        return notice == expected ? 0 : 2;
    });
    EXPECT_EQ(result, 0) << "1: the save failed; 2: the notice was not " << expected;
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(StatusOf(path).user, testing::kOtherUser);
    EXPECT_EQ(StatusOf(path).mode, 0666u);
}

// A file size limit makes the write fail half-way, even for root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(AtomicFile, AWriteThatFailsHalfWayLeavesTheOldFileByteForByte) {
    TestFolder folder;
    const std::string path = folder / "a.dat";
    const std::string old = "previous content\r\n";
    WriteBytes(path, old);
    Failure failure;
    {
        FileSizeLimit limit(100000);
        failure = WriteFileAtomically(path, std::string(400000, 'n'));
    }
    EXPECT_EQ(failure.LogText(), "61Disk full");
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"a.dat"});
}
#endif

}  // namespace
}  // namespace rp770
