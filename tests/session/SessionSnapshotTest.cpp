// Copies of a session kept aside: what a session with unsaved changes
// keeps, read back into a fresh session, and the copies that are refused.
#include "session/SessionSnapshot.h"

#include <gtest/gtest.h>

#include "desktop/DiskFiles.h"
#include "files/MemorySettingsStore.h"
#include "files/TestData.h"
#include "session/AppSession.h"
#include "support/ScriptedPrompter.h"

namespace rp770 {
namespace {

using testing::TestFolder;

struct Session {
    TestFolder folder;
    MemorySettingsStore settings;
    testing::ScriptedPrompter prompter;
    PrompterAsker asker{prompter};
    DiskFiles files;
    FolderProgramData program{folder.str()};
    AppSession app{program, {settings, files, asker}};
    Workspace& ws = app.workspace();
    Session() {
        testing::CopyShippedData(folder.path(), true);
        EXPECT_TRUE(app.Start().Ok());
    }
};

// A session opened from a file and edited in ways the settings file does
// not carry (raw image bytes, a group's name) as well as ways it does.
SessionSnapshot EditedSnapshot(Session& s) {
    const std::string path = s.folder / "boat.dat";
    testing::WriteBytes(s.folder / "boat.dat", s.ws.DatText());
    EXPECT_TRUE(s.app.Open(path).Ok());
    EXPECT_FALSE(s.ws.SetAtisCode("9211234567").has_value());
    DataSet next = s.ws.data();
    next.image.bytes[700] = 0x5A;
    next.image.bytes[5000] = 0x00;
    next.groups[GroupEXP].Name = "Line\nbreak and \xff";
    next.exp[3].Txfreq = 156.0123456789;
    next.wx.resize(3);
    s.ws.ReplaceData(next, "Import Channels rows.csv");
    EXPECT_TRUE(s.ws.modified());
    return s.app.TakeSnapshot("2026-12-09T06:10:00Z");
}

TEST(SessionSnapshot, RestoresTheEditedDataExactlyStillModifiedWithUndoToTheSavedState) {
    Session before;
    const SessionSnapshot kept = EditedSnapshot(before);
    const std::optional<SessionSnapshot> read = DecodeSnapshot(EncodeSnapshot(kept));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, kept);
    EXPECT_EQ(SnapshotFileName(*read) + " " + ShownKeptTime(read->keptAt), "boat.dat 2026-12-09 06:10:00");

    Session after;
    ASSERT_TRUE(after.app.RestoreSnapshot(*read).Ok());
    EXPECT_EQ(after.ws.data(), before.ws.data());
    EXPECT_EQ(after.ws.currentFilePath(), before.ws.currentFilePath());
    EXPECT_EQ(after.ws.destinations().checked, before.ws.destinations().checked);
    EXPECT_TRUE(after.ws.modified());
    EXPECT_EQ(after.ws.UndoAction(), "Import Channels rows.csv");
    ASSERT_TRUE(after.ws.Undo());
    EXPECT_FALSE(after.ws.modified());
    EXPECT_EQ(after.ws.data(), *kept.base);
}

TEST(SessionSnapshot, ChangedAndChangedBackIsStillModifiedWhenRestored) {
    Session before;
    const int scan = before.ws.data().common.Scan ? 1 : 0;
    ASSERT_FALSE(before.ws.SetCommon(CommonField::Scan, 1 - scan).has_value());
    ASSERT_FALSE(before.ws.SetCommon(CommonField::Scan, scan).has_value());
    ASSERT_TRUE(before.ws.modified());
    SessionSnapshot kept = before.app.TakeSnapshot("t");
    kept.base.reset();  // no clean state known: the edited data stand alone
    Session after;
    ASSERT_TRUE(after.app.RestoreSnapshot(kept).Ok());
    EXPECT_EQ(after.ws.data(), before.ws.data());
    EXPECT_TRUE(after.ws.modified());
}

TEST(SessionSnapshot, RefusesWhatIsNotACompleteCopy) {
    Session s;
    const std::string good = EncodeSnapshot(EditedSnapshot(s));
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = good;
        const size_t at = t.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? good : t.replace(at, from.size(), to);
    };
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"another version", replaced("RP770 session 1\n", "RP770 session 2\n")},
        {"cut short", good.substr(0, good.size() / 2)},
        {"without its end", good.substr(0, good.size() - 4)},
        {"anything after its end", good + "model 1\n"},
        {"a part twice", replaced("model 1\n", "model 1\nmodel 1\n")},
        {"a missing part", replaced("plan 2 113 ", "plan 2 112 ")},
        {"a number out of range", replaced("lastaddress 1023", "lastaddress 9000")},
        {"an image of an odd length", replaced("\nimage ", "\nimage 0")},
        {"too many weather channels", replaced("wxcount 3", "wxcount 100000")},
        {"an unknown line", replaced("end\n", "colour red\nend\n")},
        {"oversized", good + std::string(kSnapshotLimit, '\n')},
    };
    for (const auto& c : cases) EXPECT_FALSE(DecodeSnapshot(c.text).has_value()) << c.what;
}

}  // namespace
}  // namespace rp770
