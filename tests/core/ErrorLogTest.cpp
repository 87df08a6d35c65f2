#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "core/ErrorLog.h"

namespace rp770 {
namespace {

namespace fs = std::filesystem;

class ErrorLogTest : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("rp770-errlog-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        ConfigureErrorLog("", false);
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    std::string Log() {
        std::ifstream in(dir / "err.log", std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST_F(ErrorLogTest, NothingWithoutDebugSwitch) {
    ConfigureErrorLog(dir.string(), false);
    ReportError("frmMain.FileRead2", "53File not found");
    EXPECT_FALSE(fs::exists(dir / "err.log"));
}

TEST_F(ErrorLogTest, AppendsOneLinePerReport) {
    {
        std::ofstream existing(dir / "err.log", std::ios::binary);
        existing << "old line\r\n";
    }
    ConfigureErrorLog(dir.string(), true);
    ReportError("frmRadio.PortInit", "8002Invalid port number");
    const std::string log = Log();
    ASSERT_EQ(log.rfind("old line\r\n", 0), 0u) << "the log is never truncated";
    const std::string added = log.substr(10);
    EXPECT_NE(added.find(":frmRadio.PortInit -> 8002Invalid port number\r\n"), std::string::npos) << added;
    EXPECT_EQ(added.find("\r\n"), added.size() - 2) << "exactly one line";
    EXPECT_NE(added.find(','), std::string::npos);
}

TEST_F(ErrorLogTest, UnwritableFolderIsSilent) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    ConfigureErrorLog(dir.string(), true);
    fs::permissions(dir, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
    ReportError("frmMain.SaveFileAs", "75Path/File access error");
    EXPECT_FALSE(fs::exists(dir / "err.log"));
}

TEST_F(ErrorLogTest, MissingFolderIsSilent) {
    ConfigureErrorLog((dir / "gone" / "deeper").string(), true);
    ReportError("frmMain.SaveFileAs", "76Path not found");
    EXPECT_FALSE(fs::exists(dir / "gone"));
}

TEST(ErrorLogFormat, LineShape) {
    EXPECT_EQ(FormatErrorLine("2026/01/31", "13:45:07", "frmMain.FileReadIni", "53File not found"),
              "2026/01/31,13:45:07:frmMain.FileReadIni -> 53File not found");
}

}  // namespace
}  // namespace rp770
