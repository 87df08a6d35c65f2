#include "desktop/ErrorLogFile.h"

#include <gtest/gtest.h>

#include "desktop/OtherUser.h"
#include "files/TestFolder.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace rp770 {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TestFolder;
using testing::WriteBytes;

TEST(ErrorLogFile, AppendsOneLinePerReportAndNeverTruncates) {
    TestFolder folder;
    const std::string path = folder / "err.log";
    WriteBytes(path, "old line\r\n");
    ErrorLogFile log(path);
    EXPECT_EQ(log.Where(), path);
    log.Report("frmRadio.PortInit", "8002Invalid port number");
    const std::string text = ReadBytes(path);
    ASSERT_EQ(text.rfind("old line\r\n", 0), 0u) << "the log is never truncated";
    const std::string added = text.substr(10);
    EXPECT_NE(added.find(":frmRadio.PortInit -> 8002Invalid port number\r\n"), std::string::npos) << added;
    EXPECT_EQ(added.find("\r\n"), added.size() - 2) << "exactly one line";
    EXPECT_NE(added.find(','), std::string::npos) << "date, time";
}

TEST(ErrorLogFile, AReportThatCannotBeWrittenIsDroppedSilently) {
    TestFolder folder;
    ErrorLogFile missing((folder.path() / "gone" / "err.log").string());
    missing.Report("frmMain.SaveFileAs", "76Path not found");
    EXPECT_FALSE(fs::exists(folder.path() / "gone")) << "no folder is made for it";
}

#if !defined(_WIN32)
// Beside the program only in a folder of the user's own; never for root
// (an installed copy run through sudo), never in another user's folder:
// the log goes to the state folder then, which is made when missing.
TEST(ErrorLogFolder, BesideTheProgramOnlyInAFolderOfTheUsersOwn) {
    TestFolder folder;
    const fs::path program = folder.path() / "bin";
    const fs::path state = folder.path() / "state" / "rp770";
    fs::create_directories(program);
    if (!testing::RunningAsRoot()) {
        EXPECT_EQ(ErrorLogFolder(program, state), program);
        GTEST_SKIP() << "the other cases need root";
    }
    EXPECT_EQ(ErrorLogFolder(program, state), state) << "root's own folder";
    EXPECT_TRUE(fs::is_directory(state));
    EXPECT_EQ(ErrorLogFolder(program, ""), fs::path()) << "no state folder: no log";

    // As another user: their own folder takes the log, root's (even one
    // everybody may write in) does not.
    ASSERT_EQ(::chmod(folder.str().c_str(), 0777), 0);
    const fs::path theirs = folder.path() / "theirs";
    const fs::path rootsOpen = folder.path() / "open";
    fs::create_directories(theirs);
    fs::create_directories(rootsOpen);
    ASSERT_EQ(::chown(theirs.c_str(), testing::kOtherUser, testing::kOtherGroup), 0);
    ASSERT_EQ(::chmod(rootsOpen.c_str(), 0777), 0);
    const fs::path theirState = folder.path() / "their-state";
    const int result = testing::RunAs(testing::kOtherUser, testing::kOtherGroup, [&] {
        if (ErrorLogFolder(theirs, theirState) != theirs) return 1;
        if (ErrorLogFolder(rootsOpen, theirState) != theirState) return 2;
        return 0;
    });
    EXPECT_EQ(result, 0) << "1: their own folder was refused; 2: root's folder was taken";
}
#endif

}  // namespace
}  // namespace rp770
