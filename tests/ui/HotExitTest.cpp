// Hot exit end to end: a window killed with SIGKILL after edits, and the
// next window, which offers the changes back and restores them exactly.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
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
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) files.push_back(it->path());
    return files;
}

TEST(HotExitWindow, EditsOfAKilledWindowAreOfferedAndRestoredExactlyStillUnsaved) {
    TestFolder folder;
    rp770::testing::CopyShippedData(folder.path());
    const fs::path copies = folder.path() / "state" / "rp770" / "sessions";
    const std::string boat = folder / "boat.dat";
    {
        HotExitRig first(folder.str(), copies);
        ASSERT_TRUE(first.Start());
        rp770::testing::WriteBytes(boat, first.session.workspace().DatText());
    }

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
    ASSERT_EQ(Files(copies).size(), 1u);
    const std::string expectedDat = ReadBytes(folder / "expected.dat");
    const std::string expectedImage = ReadBytes(folder / "expected.image");
    ASSERT_EQ(expectedImage.size(), static_cast<size_t>(kImageBufferSize));
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
    EXPECT_EQ(HotExit::OfferText(offers[0]).toStdString(),
              "Changes to boat.dat were not saved when RP770 last ended (kept " + offers[0].keptAt.substr(0, 10) + " " +
                  offers[0].keptAt.substr(11, 8) + " UTC).\nRestore them?");

    EXPECT_EQ(next.session.workspace().DatText(), expectedDat);
    EXPECT_EQ(next.Image(), expectedImage);
    EXPECT_TRUE(next.window.isWindowModified());
    EXPECT_TRUE(next.window.windowTitle().contains("boat.dat")) << next.window.windowTitle().toStdString();
    // The restoring window keeps its own copy; the killed one's is gone.
    const std::vector<fs::path> kept = Files(copies);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0], next.kept.ownFile());

    next.window.FileSave();
    EXPECT_EQ(ReadBytes(boat), expectedDat);
    EXPECT_FALSE(next.window.isWindowModified());
    EXPECT_TRUE(Files(copies).empty());
    next.hotExit.Finish();
}

TEST(HotExitWindow, DiscardRemovesACopyLaterKeepsItAndARunningWindowsCopyIsNotOffered) {
    TestFolder folder;
    rp770::testing::CopyShippedData(folder.path());
    const fs::path copies = folder.path() / "sessions";
    // Copies of two windows that ended (no process has a number this high)
    // and one of a window still running (this one).
    HotExitRig maker(folder.str(), copies);
    ASSERT_TRUE(maker.Start());
    ASSERT_FALSE(maker.session.workspace().SetAtisCode("9211234567"));
    SessionSnapshot snapshot = maker.session.TakeSnapshot("2026-12-09T06:00:00Z");
    fs::create_directories(copies);
    rp770::testing::WriteBytes((copies / "session-999999999-a.rp770").string(), EncodeSnapshot(snapshot));
    snapshot.keptAt = "2026-12-09T07:00:00Z";
    snapshot.filePath = "/boats/newer.dat";
    rp770::testing::WriteBytes((copies / "session-999999999-b.rp770").string(), EncodeSnapshot(snapshot));
    maker.hotExit.KeepNow();
    ASSERT_EQ(Files(copies).size(), 3u);

    std::vector<KeptOffer> offers;
    std::vector<KeptChoice> answers = {KeptChoice::Discard, KeptChoice::Later};
    HotExitRig next(folder.str(), copies, [&](const KeptOffer& offer) {
        offers.push_back(offer);
        return answers[offers.size() - 1];
    });
    ASSERT_TRUE(next.Start());
    EXPECT_FALSE(next.hotExit.OfferWaiting());
    ASSERT_EQ(offers.size(), 2u);  // newest first, the running window's not offered
    EXPECT_EQ(offers[0].fileName, "newer.dat");
    EXPECT_EQ(offers[1].fileName, "");
    EXPECT_FALSE(fs::exists(copies / "session-999999999-b.rp770"));
    EXPECT_TRUE(fs::exists(copies / "session-999999999-a.rp770"));
    EXPECT_FALSE(next.window.isWindowModified());
    maker.hotExit.Finish();
    EXPECT_FALSE(fs::exists(maker.kept.ownFile()));
}

}  // namespace
}  // namespace rp770::ui
