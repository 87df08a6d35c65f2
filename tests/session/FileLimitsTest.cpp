// The session reads each kind of file up to a limit of its own, says a
// file too large in words (not as a failure to log), and passes on what a
// save has to tell besides its success.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <utility>

#include "desktop/DiskFiles.h"
#include "files/MemorySettingsStore.h"
#include "files/ReadLimits.h"
#include "files/TestFolder.h"
#include "session/AppSession.h"
#include "support/RecordingErrorLog.h"

namespace rp770 {
namespace {

// Files held in memory, read as the disk reads them: up to the limit asked
// for, which is noted.
class NotedFiles : public FileAccess {
public:
    std::map<std::string, std::string> files;
    std::vector<std::string> notices;  // handed out after the next write
    size_t lastLimit = 0;

    Failure Read(const std::string& name, std::string& content, size_t limit) override {
        lastLimit = limit;
        content.clear();
        const auto it = files.find(name);
        if (it == files.end()) return {FailureKind::FileNotFound, "No such file or directory"};
        if (it->second.size() > limit) return TooLargeFailure(it->second.size(), limit);
        content = it->second;
        return {};
    }
    Failure Write(const std::string& name, std::string_view content) override {
        files[name] = std::string(content);
        return {};
    }
    std::vector<std::string> TakeNotices() override { return std::exchange(notices, {}); }
};

struct QuietAsker : Asker {
    Answer Ask(const Question& q) override { return q.defaultAnswer; }
};

struct Session {
    MemorySettingsStore settings;
    NotedFiles files;
    QuietAsker asker;
    testing::RecordingErrorLog log;
    FolderProgramData program{testing::ShippedDataFolder()};
    AppSession app{program, {settings, files, asker, log}};
    Session() {
        EXPECT_TRUE(app.Start().Ok());
        files.files["boat.dat"] = app.workspace().DatText();
        files.files["boat.hex"] = app.workspace().HexBytes();
        files.files["-"] = files.files["boat.hex"];
        files.files["rows.csv"] = app.workspace().ChannelsCsv();
    }
};

TEST(SessionFiles, EachKindOfFileIsReadUpToItsOwnLimit) {
    const struct Case {
        const char* what;
        std::function<Outcome(AppSession&)> run;
        size_t limit;
    } cases[] = {
        {"a memory image file", [](AppSession& a) { return a.Open("boat.hex"); }, 1024},
        {"a settings text file", [](AppSession& a) { return a.Open("boat.dat"); }, kSettingsTextLimit},
        {"a stream told by its bytes", [](AppSession& a) { return a.Open("-", FileKind::ByContent); }, kSettingsTextLimit},
        {"a stream read as an image", [](AppSession& a) { return a.Open("-", FileKind::MemoryImage); }, 1024},
        {"a channel table", [](AppSession& a) { return a.ImportChannels("rows.csv"); }, kChannelTableLimit},
        {"a file to compare", [](AppSession& a) {
             Outcome outcome;
             (void)a.ReadDataFile("boat.hex", outcome);
             return outcome;
         }, 1024},
    };
    for (const Case& c : cases) {
        Session s;
        EXPECT_TRUE(c.run(s.app).Ok()) << c.what;
        EXPECT_EQ(s.files.lastLimit, c.limit) << c.what;
    }
}

TEST(SessionFiles, AFileTooLargeIsRefusedInWordsAndNotLogged) {
    Session s;
    const std::string before = s.app.workspace().HexBytes();
    s.files.files["long.hex"] = before + "x";
    s.files.files["huge.dat"] = std::string(kSettingsTextLimit + 1, ' ');
    struct Case {
        const char* name;
        std::string shown;
    } cases[] = {
        {"long.hex", "bad file!!\nA memory image is 1024 bytes; this file has more."},
        {"huge.dat", "FileRead Error!! (huge.dat: File too large (4194305 bytes, over the limit of 4194304 bytes))"},
    };
    for (const Case& c : cases) {
        const Outcome opened = s.app.Open(c.name);
        EXPECT_TRUE(opened.Failed()) << c.name;
        ASSERT_EQ(opened.messages.size(), 1u) << c.name;
        EXPECT_EQ(opened.messages[0].Shown(), c.shown);
    }
    const Outcome given = s.app.OpenBytes(s.files.files["huge.dat"], "huge.dat");
    ASSERT_EQ(given.messages.size(), 1u);
    EXPECT_EQ(given.messages[0].Shown(), cases[1].shown) << "bytes given whole are held to the same limit";
    EXPECT_EQ(s.app.workspace().HexBytes(), before) << "nothing changed";
    EXPECT_TRUE(s.log.reports.empty()) << "a refusal is not a run-time failure";

    EXPECT_TRUE(s.app.Open("missing.dat").Failed());
    EXPECT_EQ(s.log.reports, std::vector<std::string>{"frmMain.FileRead2 -> 53File not found"});
}

TEST(SessionFiles, WhatASaveHasToTellReachesTheUserAfterItsSuccess) {
    Session s;
    const std::string notice = "boat.dat: saved, but it now belongs to bob:bob instead of ann:crew (...)";
    s.files.notices = {notice};
    const Outcome saved = s.app.SaveAs("boat.dat");
    EXPECT_TRUE(saved.Ok());
    ASSERT_EQ(saved.messages.size(), 1u);
    EXPECT_EQ(saved.messages[0].text, notice);
    EXPECT_EQ(saved.messages[0].icon, Icon::Warning);
    EXPECT_TRUE(s.app.SaveAs("boat.dat").messages.empty()) << "told once";
}

}  // namespace
}  // namespace rp770
