// What the platform layer asks of the system for an installed program: files
// made exclusively, the user's state folder, the search for the shipped
// data, the title of a print job, and how a serial port is described.

#include <gtest/gtest.h>

#include <cerrno>

#include "files/TestFolder.h"
#include "desktop/DataFolder.h"
#include "platform/ReportPrinting.h"
#include "desktop/SerialPortList.h"
#include "os/ExclusiveFile.h"
#include "os/UserFolders.h"

namespace rp770::platform {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TestFolder;
using testing::WriteBytes;

TEST(ExclusiveFile, NothingAtTheNameIsOpenedOrFollowedAndTheFileIsTheUsersAlone) {
    TestFolder folder;
    WriteBytes(folder / "planted", "theirs");
    std::error_code ec;
    fs::create_symlink(folder.path() / "target", folder.path() / "link", ec);
    for (const char* name : {"planted", "link"}) {
        ExclusiveFile file;
        EXPECT_EQ(file.Create(folder.path() / name), EEXIST) << name;
    }
    EXPECT_EQ(ReadBytes(folder / "planted"), "theirs");
    EXPECT_FALSE(fs::exists(folder.path() / "target")) << "the link was followed";

    ExclusiveFile file;
    ASSERT_EQ(file.CreateUnique(folder.path(), "a-", ".tmp"), 0);
    EXPECT_EQ(file.Write("bytes"), 0);
#if !defined(_WIN32)
    EXPECT_EQ(fs::status(file.path()).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
#endif
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(ReadBytes(file.path().string()), "bytes");
}

TEST(UserFolders, TheStateFolderFollowsTheXdgRules) {
#if defined(_WIN32) || defined(__APPLE__)
    GTEST_SKIP() << "the XDG rules are for Linux and the like";
#else
    EXPECT_EQ(UserStateFolder("/state", "/home/u"), fs::path("/state/rp770"));
    EXPECT_EQ(UserStateFolder("relative", "/home/u"), fs::path("/home/u/.local/state/rp770"));
    EXPECT_EQ(UserStateFolder(nullptr, "/home/u"), fs::path("/home/u/.local/state/rp770"));
    EXPECT_EQ(UserStateFolder(nullptr, nullptr), fs::path());
#endif
}

TEST(DataFolder, BesideTheProgramThenShareThenTheVariable) {
    TestFolder root;
    const fs::path bin = root.path() / "bin", share = root.path() / "share" / "rp770", other = root.path() / "other";
    for (const fs::path& f : {bin, share, other}) fs::create_directories(f);
    const std::string variable = other.string();

    DataFolderSearch search = FindDataFolder(bin.string(), variable.c_str());
    EXPECT_FALSE(search.found);
    EXPECT_EQ(search.searched, (std::vector<std::string>{bin.string(), share.string(), other.string()}));
    EXPECT_EQ(search.folder, bin.string());
    EXPECT_EQ(DataFolderNotFoundMessage(search), "No global.ini offering a radio model was found in:\n  " + bin.string() +
                                                     "\n  " + share.string() + "\n  " + other.string());

    testing::CopyShippedData(other, false);
    search = FindDataFolder(bin.string(), variable.c_str());
    EXPECT_TRUE(search.found);
    EXPECT_EQ(search.folder, other.string());
    testing::CopyShippedData(share, false);
    EXPECT_EQ(FindDataFolder(bin.string(), variable.c_str()).folder, share.string());
    testing::CopyShippedData(bin, false);
    EXPECT_EQ(FindDataFolder(bin.string(), nullptr).folder, bin.string());

    WriteBytes((bin / "global.ini").string(), "[model1]\nuse=0\n");  // offers nothing: not usable
    search = FindDataFolder(bin.string(), nullptr);
    EXPECT_EQ(search.folder, share.string());
    fs::remove_all(share);
    search = FindDataFolder(bin.string(), nullptr);
    EXPECT_FALSE(search.found);
    EXPECT_NE(DataFolderNotFoundMessage(search).find("Set RP770_DATA_DIR"), std::string::npos);
}

TEST(ReportPrinting, PrintJobsAreNamedAfterTheFile) {
    EXPECT_EQ(ReportJobTitle("/home/u/boat/Sea.dat"), "RP770 report - Sea.dat");
    EXPECT_EQ(ReportJobTitle(""), "RP770 report - untitled");
}

}  // namespace
}  // namespace rp770::platform

namespace rp770::platform {
namespace {

// A port is described by what the system knows of it, the maker named once.
TEST(SerialPortList, DescriptionSaysWhatIsKnown) {
    const auto port = [](std::string manufacturer, std::string product, bool usb, std::string serial,
                         std::string stable) {
        SerialPortEntry e;
        e.device = "/dev/ttyUSB0";
        e.manufacturer = std::move(manufacturer);
        e.product = std::move(product);
        if (usb) {
            e.vendorId = 0x0403;
            e.productId = 0x6001;
        }
        e.serialNumber = std::move(serial);
        e.stableName = std::move(stable);
        return e;
    };
    EXPECT_EQ(port("FTDI", "FT232R USB UART", true, "A50285BI", "/dev/serial/by-id/usb-FTDI-if00").Description(),
              "FTDI FT232R USB UART, USB 0403:6001, serial A50285BI, /dev/serial/by-id/usb-FTDI-if00");
    EXPECT_EQ(port("Prolific", "Prolific USB-Serial", false, "", "").Description(), "Prolific USB-Serial");
    EXPECT_EQ(port("", "", false, "", "").Description(), "");
    const SerialPortEntry stable = port("", "", false, "", "/dev/serial/by-id/x");
    EXPECT_EQ(stable.RememberedName(), "/dev/serial/by-id/x");
    EXPECT_TRUE(stable.Names("/dev/ttyUSB0") && stable.Names("/dev/serial/by-id/x") && !stable.Names(""));
}

}  // namespace
}  // namespace rp770::platform
