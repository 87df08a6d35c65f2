// The application's commands at the session: their questions in one order,
// the file a session belongs to, and incomplete EXP channels, which only a
// file or a radio brings, are never sent and never trap the user.
#include <gtest/gtest.h>

#include <deque>

#include "core/Codecs.h"
#include "desktop/DiskFiles.h"
#include "files/DatWriter.h"
#include "files/MemorySettingsStore.h"
#include "files/TestData.h"
#include "session/AppSession.h"

namespace rp770 {
namespace {

using testing::ReadBytes;
using testing::TestFolder;
using testing::WriteBytes;

// Every question and file dialog, in the order the user meets them.
struct LoggingAsker : Asker {
    std::vector<std::string> log;
    std::deque<Answer> answers;
    std::deque<std::string> files;
    Answer Ask(const Question& q) override {
        log.push_back("ask: " + q.text);
        if (answers.empty()) return q.defaultAnswer;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> Next(const char* what) {
        log.push_back(what);
        if (files.empty()) return std::nullopt;
        std::string f = files.front();
        files.pop_front();
        return f;
    }
    std::optional<std::string> ChooseSaveFile() override { return Next("save dialog"); }
    std::optional<std::string> ChooseFileToOpen(Files) override { return Next("open dialog"); }
};

struct Session {
    TestFolder folder;
    MemorySettingsStore settings;
    LoggingAsker asker;
    DiskFiles files;
    FolderProgramData program{folder.str()};
    AppSession app{program, {settings, files, asker}};
    Workspace& ws = app.workspace();

    explicit Session(const char* globalIni = nullptr) {
        testing::CopyShippedData(folder.path(), true);
        if (globalIni) WriteBytes(folder / "global.ini", globalIni);
        EXPECT_TRUE(app.Start().Ok());
    }
    std::string Path(const char* name) const { return folder / name; }
    // A settings file whose EXP channels were changed outside the program.
    std::string WriteDat(const char* name, const std::function<void(DataSet&)>& change) {
        DataSet d = ws.data();
        change(d);
        WriteBytes(folder / name, FormatSettingsText(d));
        return Path(name);
    }
};

const std::string kSaveChanges = std::string("ask: ") + ask::SaveChanges;

TEST(Commands, SaveAfterSaveAsAndUndoWritesToTheSaveAsFile) {
    Session s;
    ASSERT_TRUE(s.app.SaveAs(s.Path("first.dat")).Ok());
    s.ws.SetCommon(CommonField::DualWatch, 1);
    s.asker.files = {s.Path("second.dat")};
    ASSERT_TRUE(s.app.SaveAsCommand().Ok());
    const std::string first = ReadBytes(s.folder / "first.dat");
    ASSERT_TRUE(s.ws.Undo());
    EXPECT_EQ(s.ws.currentFilePath(), s.Path("second.dat"));
    ASSERT_TRUE(s.app.SaveCommand().Ok());
    EXPECT_EQ(ReadBytes(s.folder / "first.dat"), first) << "the original file is never overwritten";
    EXPECT_EQ(ReadBytes(s.folder / "second.dat"), s.ws.DatText());
    EXPECT_FALSE(s.ws.data().common.DualWatch);
}

TEST(Commands, QuestionsComeInOneOrder) {
    struct Case {
        const char* what;
        std::function<Outcome(AppSession&, const PendingInput*)> command;
        std::vector<Answer> answers;
        std::vector<std::string> log;
        bool ok;
    };
    const Case cases[] = {
        {"Open: save changes before the file dialog",
         [](AppSession& a, const PendingInput* p) { return a.OpenCommand(p); }, {Answer::No},
         {"take", kSaveChanges, "open dialog"}, true},
        {"Open cancelled at the question: no dialog",
         [](AppSession& a, const PendingInput* p) { return a.OpenCommand(p); }, {Answer::Cancel},
         {"take", kSaveChanges}, false},
        {"New", [](AppSession& a, const PendingInput* p) { return a.NewCommand(p); }, {Answer::No},
         {"take", kSaveChanges}, true},
        {"Destination", [](AppSession& a, const PendingInput* p) { return a.ChangeDestinationCommand(2, p); },
         {Answer::No, Answer::Ok}, {"take", kSaveChanges, "ask: Do you want to change to USA?"}, true},
        {"Save As", [](AppSession& a, const PendingInput* p) { return a.SaveAsCommand(p); }, {},
         {"take", "save dialog"}, true},
        {"Quit: the check on leaving, then the question",
         [](AppSession& a, const PendingInput* p) { return a.Quit(p); }, {Answer::No}, {"leave", kSaveChanges}, true},
    };
    for (const Case& c : cases) {
        Session s;
        s.ws.SetCommon(CommonField::DualWatch, 1);
        s.asker.answers.assign(c.answers.begin(), c.answers.end());
        s.asker.files = {s.Path("chosen.dat")};
        WriteBytes(s.folder / "chosen.dat", s.ws.DatText());
        const PendingInput pending{true, [&] { return s.asker.log.push_back("take"), true; },
                                   [&] { return s.asker.log.push_back("leave"), true; }};
        EXPECT_EQ(c.command(s.app, &pending).Ok(), c.ok) << c.what;
        EXPECT_EQ(s.asker.log, c.log) << c.what;
    }
}

TEST(Commands, UnsavedChangesAreNeverReplacedWithoutTheQuestion) {
    const std::pair<const char*, std::function<Outcome(Session&)>> paths[] = {
        {"New", [](Session& s) { return s.app.NewCommand(); }},
        {"Open", [](Session& s) { return s.asker.files.push_back(s.Path("other.dat")), s.app.OpenCommand(); }},
        {"Destination", [](Session& s) { return s.app.ChangeDestinationCommand(1); }},
        {"Model", [](Session& s) { return s.app.ChangeModelCommand(2); }},
    };
    for (const auto& [name, run] : paths) {
        for (const Answer answer : {Answer::Cancel, Answer::No, Answer::Yes}) {
            Session s("[model1]\r\nuse=1\r\natis=1\r\nwx=1\r\nwa=1\r\n[model2]\r\nuse=1\r\n");
            WriteBytes(s.folder / "other.dat", s.ws.DatText());
            s.ws.SetCommon(CommonField::DualWatch, 1);
            const DataSet edited = s.ws.data();
            s.asker.answers = {answer, Answer::Ok};  // then "Do you want to change to ...?"
            if (answer == Answer::Yes) s.asker.files = {s.Path("saved.dat")};
            const std::string what = std::string(name) + " " + std::to_string(static_cast<int>(answer));
            EXPECT_EQ(run(s).Cancelled(), answer == Answer::Cancel) << what;
            ASSERT_FALSE(s.asker.log.empty()) << what;
            EXPECT_EQ(s.asker.log[0], kSaveChanges) << what;
            EXPECT_EQ(s.ws.data() == edited, answer == Answer::Cancel) << what;
            EXPECT_EQ(s.ws.modified(), answer == Answer::Cancel) << what;
            EXPECT_EQ(std::filesystem::exists(s.folder / "saved.dat"), answer == Answer::Yes) << what << ": Yes saves first";
        }
    }
}

TEST(Commands, RefusedTypedInputOrAnEditorThatHoldsTheUserStopsTheCommand) {
    Session s;
    s.ws.SetCommon(CommonField::DualWatch, 1);
    const PendingInput refused{true, [] { return false; }, [] { return false; }};
    EXPECT_TRUE(s.app.NewCommand(&refused).Cancelled());
    EXPECT_TRUE(s.app.Quit(&refused).Cancelled());
    EXPECT_TRUE(s.app.PrepareProgramming(&refused).Cancelled());
    EXPECT_TRUE(s.asker.log.empty()) << "nothing asked";
    EXPECT_TRUE(s.ws.data().common.DualWatch);
}

TEST(Commands, AnIncompleteChannelFromAFileIsKeptMarkedMendableAndNeverProgrammed) {
    Session s;
    const std::string path = s.WriteDat("odd.dat", [](DataSet& d) {
        d.exp[2].Enable = true;  // no frequency
        d.exp[5].Enable = true;
        d.exp[5].Rxfreq = 157.025;
        d.exp[5].CHDisplayL = "<b";  // '<' goes out as 0xFF: no number reaches the radio
        d.exp[5].CHDisplayR = "1";
    });
    const std::string bytes = ReadBytes(path);
    ASSERT_TRUE(s.app.OpenFileCommand(path).Ok());
    EXPECT_EQ(s.ws.DatText(), bytes) << "opened byte for byte";
    EXPECT_EQ(s.ws.IncompleteChannels(), (std::vector<ChannelRef>{{Area::EXP, 2}, {Area::EXP, 5}}));

    // Programming refuses before any question, naming the channels.
    const Outcome refused = s.app.PrepareProgramming();
    EXPECT_EQ(refused.failure.kind, FailureKind::Refused);
    ASSERT_EQ(refused.messages.size(), 1u);
    EXPECT_NE(refused.messages[0].text.find("EXP2, EXP5"), std::string::npos) << refused.messages[0].text;
    EXPECT_TRUE(s.asker.log.empty());

    // Saving keeps them, and says so.
    const Outcome saved = s.app.SaveCommand();
    ASSERT_TRUE(saved.Ok());
    ASSERT_EQ(saved.messages.size(), 1u);
    EXPECT_NE(saved.messages[0].text.find("EXP2, EXP5"), std::string::npos);
    EXPECT_EQ(ReadBytes(path), bytes);

    // Mended a step at a time: no trap on the way.
    EXPECT_EQ(s.ws.SetExpDisplay(5, "P5", "1"), std::nullopt);
    EXPECT_EQ(s.ws.SetExpDisplay(2, "P2", ""), std::nullopt) << "still no frequency: allowed on the way";
    EXPECT_EQ(s.ws.IncompleteChannels(), (std::vector<ChannelRef>{{Area::EXP, 2}}));
    EXPECT_EQ(s.ws.SetExpFrequency(2, true, "157.05"), std::nullopt);
    EXPECT_TRUE(s.ws.IncompleteChannels().empty());
    EXPECT_TRUE(s.app.PrepareProgramming().Ok());
    // Undo goes back through the states the data really had, marks included.
    ASSERT_TRUE(s.ws.Undo());
    EXPECT_EQ(s.ws.IncompleteChannels(), (std::vector<ChannelRef>{{Area::EXP, 2}}));
}

}  // namespace
}  // namespace rp770
