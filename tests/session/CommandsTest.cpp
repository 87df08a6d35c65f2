// The application's commands at the session: their questions in one order,
// the file a session belongs to, and incomplete EXP channels, which only a
// file or a radio brings, kept, mendable and never sent.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

#include "desktop/DiskFiles.h"
#include "files/DatWriter.h"
#include "files/MemorySettingsStore.h"
#include "files/TestData.h"
#include "session/AppSession.h"

namespace rp770 {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

// Every question and file dialog, in the order the user meets them.
struct LoggingAsker : Asker {
    std::vector<std::string> log;
    std::deque<Answer> answers;
    std::deque<std::string> files;
    template <typename T>
    T Next(std::string what, std::deque<T>& from, T otherwise) {
        log.push_back(std::move(what));
        if (from.empty()) return otherwise;
        T next = from.front();
        from.pop_front();
        return next;
    }
    Answer Ask(const Question& q) override { return Next(q.text, answers, q.defaultAnswer); }
    std::optional<std::string> Next(const char* what) { return Next<std::string>(what, files, {}); }
    std::optional<std::string> ChooseSaveFile() override { return Next("save dialog"); }
    std::optional<std::string> ChooseFileToOpen(Files) override { return Next("open dialog"); }
};

struct Session {
    testing::TestFolder folder;
    MemorySettingsStore settings;
    LoggingAsker asker;
    DiskFiles files;
    FolderProgramData program{folder.str()};
    AppSession app{program, {settings, files, asker}};
    Workspace& ws = app.workspace();

    Session() {
        testing::CopyShippedData(folder.path(), true);
        // Two models on offer, so that the model can be changed.
        WriteBytes(folder / "global.ini", "[model1]\r\nuse=1\r\natis=1\r\nwx=1\r\nwa=1\r\n[model2]\r\nuse=1\r\n");
        EXPECT_TRUE(app.Start().Ok());
    }
    std::string Path(const char* name) const { return folder / name; }
};

TEST(Commands, SaveAfterSaveAsAndUndoWritesToTheSaveAsFile) {
    Session s;
    ASSERT_TRUE(s.app.SaveAs(s.Path("first.dat")).Ok());
    const std::string first = ReadBytes(s.folder / "first.dat");
    s.ws.SetCommon(CommonField::DualWatch, 1);
    s.asker.files = {s.Path("second.dat")};
    ASSERT_TRUE(s.app.SaveAsCommand().Ok());
    ASSERT_TRUE(s.ws.Undo());
    ASSERT_TRUE(s.app.SaveCommand().Ok());
    EXPECT_EQ(ReadBytes(s.folder / "first.dat"), first) << "the original file is never overwritten";
    EXPECT_EQ(ReadBytes(s.folder / "second.dat"), s.ws.DatText());
}

TEST(Commands, UnsavedChangesAreAskedAboutFirstThenTheFileDialog) {
    const std::string save = ask::SaveChanges;
    const std::pair<const char*, std::function<Outcome(Session&, const PendingInput*)>> commands[] = {
        {"New", [](Session& s, const PendingInput* p) { return s.app.NewCommand(p); }},
        {"Open", [](Session& s, const PendingInput* p) { return s.app.OpenCommand(p); }},
        {"Destination", [](Session& s, const PendingInput* p) { return s.app.ChangeDestinationCommand(1, p); }},
        {"Model", [](Session& s, const PendingInput* p) { return s.app.ChangeModelCommand(2, p); }},
        {"Quit", [](Session& s, const PendingInput* p) { return s.app.Quit(p); }},
    };
    for (const auto& [name, run] : commands) {
        for (const Answer answer : {Answer::Cancel, Answer::No, Answer::Yes}) {
            const std::string what = std::string(name) + " " + std::to_string(static_cast<int>(answer));
            Session s;
            WriteBytes(s.folder / "other.dat", s.ws.DatText());
            s.ws.SetCommon(CommonField::DualWatch, 1);
            const DataSet edited = s.ws.data();
            s.asker.answers = {answer, Answer::Ok};  // then "Do you want to change to ...?"
            s.asker.files = {s.Path(answer == Answer::Yes ? "saved.dat" : "other.dat"), s.Path("other.dat")};
            const PendingInput pending{false, [&] { return s.asker.log.push_back("take"), true; },
                                       [&] { return s.asker.log.push_back("leave"), true; }};
            EXPECT_EQ(run(s, &pending).Cancelled(), answer == Answer::Cancel) << what;
            ASSERT_GE(s.asker.log.size(), 2u) << what;
            EXPECT_EQ(s.asker.log[0], std::string(name) == "Quit" ? "leave" : "take") << what;
            EXPECT_EQ(s.asker.log[1], save) << what;
            const bool quit = std::string(name) == "Quit", replaced = !quit && answer != Answer::Cancel;
            if (std::string(name) == "Open" && answer != Answer::Cancel) {
                EXPECT_EQ(s.asker.log.back(), "open dialog") << what;
            }
            EXPECT_EQ(std::count(s.asker.log.begin(), s.asker.log.end(), "save dialog"), answer == Answer::Yes) << what;
            EXPECT_EQ(s.ws.modified(), answer == Answer::Cancel || (quit && answer == Answer::No)) << what;
            EXPECT_EQ(s.ws.data() == edited, !replaced) << what;
            EXPECT_EQ(std::filesystem::exists(s.folder / "saved.dat"), answer == Answer::Yes) << what;
        }
    }
    // Typed input refused, or an editor that holds the user: nothing is asked.
    Session s;
    const PendingInput refused{true, [] { return false; }, [] { return false; }};
    EXPECT_TRUE(s.app.NewCommand(&refused).Cancelled());
    EXPECT_TRUE(s.app.Quit(&refused).Cancelled());
    EXPECT_TRUE(s.asker.log.empty());
}

TEST(Commands, AnIncompleteChannelFromAFileIsKeptMarkedMendableAndNeverProgrammed) {
    Session s;
    DataSet d = s.ws.data();
    d.exp[2].Enable = true;  // no frequency
    d.exp[5].Enable = true;
    d.exp[5].Rxfreq = 157.025;
    d.exp[5].CHDisplayL = "<b";  // '<' goes out as 0xFF: no number reaches the radio
    WriteBytes(s.folder / "odd.dat", FormatSettingsText(d));
    const std::string bytes = ReadBytes(s.folder / "odd.dat");
    ASSERT_TRUE(s.app.OpenFileCommand(s.Path("odd.dat")).Ok());
    EXPECT_EQ(s.ws.DatText(), bytes) << "opened byte for byte";
    EXPECT_EQ(s.ws.IncompleteChannels(), (std::vector<ChannelRef>{{Area::EXP, 2}, {Area::EXP, 5}}));

    const Outcome refused = s.app.PrepareProgramming();
    EXPECT_EQ(refused.failure.kind, FailureKind::Refused);
    EXPECT_NE(refused.messages.at(0).text.find("EXP2, EXP5"), std::string::npos) << "named, before any question";
    const Outcome saved = s.app.SaveCommand();
    EXPECT_NE(saved.messages.at(0).text.find("EXP2, EXP5"), std::string::npos) << "saved, and said so";
    EXPECT_EQ(ReadBytes(s.folder / "odd.dat"), bytes);
    EXPECT_TRUE(s.asker.log.empty());

    // Mended a step at a time: no trap on the way; undo returns to the marks the data had.
    EXPECT_EQ(s.ws.SetExpDisplay(5, "P5", "1"), std::nullopt);
    EXPECT_EQ(s.ws.SetExpDisplay(2, "P2", ""), std::nullopt) << "still without a frequency: allowed";
    EXPECT_EQ(s.ws.SetExpFrequency(2, true, "157.05"), std::nullopt);
    EXPECT_TRUE(s.app.PrepareProgramming().Ok());
    ASSERT_TRUE(s.ws.Undo());
    EXPECT_EQ(s.ws.IncompleteChannels(), (std::vector<ChannelRef>{{Area::EXP, 2}}));
}

}  // namespace
}  // namespace rp770
