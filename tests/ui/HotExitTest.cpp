// Hot exit end to end: a window killed with SIGKILL after edits, and the
// next window, which offers the changes back and restores them exactly.
#include <gtest/gtest.h>

#include <QProcess>
#include <csignal>
#include <regex>

#include "HotExitRig.h"
#include "files/TestFolder.h"

namespace rp770::ui {
namespace {

namespace fs = std::filesystem;
using rp770::testing::ReadBytes;
using rp770::testing::TestFolder;
using testing::HotExitRig;

std::vector<fs::path> Files(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
    return files;
}

TEST(HotExitWindow, EditsOfAKilledWindowAreOfferedAndRestoredExactlyStillUnsaved) {
    TestFolder folder;
    rp770::testing::CopyShippedData(folder.path());
    const fs::path copies = folder.path() / "state" / "rp770" / "sessions";
    const std::string boat = folder / "boat.dat";
    // A window still running (this one) with unsaved changes: its copy is never offered.
    HotExitRig running(folder.str(), copies);
    ASSERT_TRUE(running.Start());
    rp770::testing::WriteBytes(boat, running.session.workspace().DatText());
    ASSERT_FALSE(running.session.workspace().SetAtisCode("9211234567"));
    running.hotExit.KeepNow();

    // The window that is killed.
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_STATE_HOME", QString::fromStdString((folder.path() / "state").string()));
    child.setProcessEnvironment(env);
    child.start(RP770_HOTEXIT_CHILD, {folder.str().c_str(), boat.c_str(), (folder / "expected").c_str()});
    QByteArray said;
    while (!said.contains("kept\n") && child.state() != QProcess::NotRunning && child.waitForReadyRead(60000))
        said += child.readAllStandardOutput();
    ASSERT_TRUE(said.contains("kept\n")) << child.readAllStandardError().toStdString();
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    ASSERT_EQ(Files(copies).size(), 2u);
    const std::string expectedDat = ReadBytes(folder / "expected.dat");
    const std::string expectedImage = ReadBytes(folder / "expected.image");
    ASSERT_NE(expectedDat, ReadBytes(boat));

    // The next start.
    std::vector<KeptOffer> offers;
    HotExitRig next(folder.str(), copies, [&](const KeptOffer& offer) {
        offers.push_back(offer);
        return KeptChoice::Restore;
    });
    ASSERT_TRUE(next.Start());
    ASSERT_TRUE(next.hotExit.OfferWaiting());
    ASSERT_EQ(offers.size(), 1u);
    EXPECT_EQ(offers[0].fileName, "boat.dat");
    EXPECT_TRUE(std::regex_match(offers[0].keptAt, std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ)"))) << offers[0].keptAt;
    EXPECT_TRUE(HotExit::OfferText(offers[0]).startsWith("Changes to boat.dat were not saved when RP770 last ended"));

    EXPECT_EQ(next.session.workspace().DatText(), expectedDat);
    EXPECT_EQ(next.Image(), expectedImage);
    EXPECT_TRUE(next.window.isWindowModified());
    EXPECT_TRUE(next.window.windowTitle().contains("boat.dat")) << next.window.windowTitle().toStdString();
    // The restoring window keeps its own copy; the killed one's is gone.
    EXPECT_EQ(Files(copies).size(), 2u);
    EXPECT_TRUE(fs::exists(next.kept.ownFile()));

    next.window.FileSave();
    EXPECT_EQ(ReadBytes(boat), expectedDat);
    EXPECT_FALSE(next.window.isWindowModified());
    running.hotExit.Finish();
    EXPECT_TRUE(Files(copies).empty());
}

}  // namespace
}  // namespace rp770::ui
