// The application session on the shipped data, with the disk's files, a
// scripted user and the messages shown as message boxes would show them.
#include "session/AppSession.h"

#include <gtest/gtest.h>

#include <deque>

#include "core/CommandLine.h"
#include "core/MemoryImage.h"
#include "desktop/DiskFiles.h"
#include "files/MemorySettingsStore.h"
#include "files/TestData.h"
#include "support/ScriptedPrompter.h"

namespace rp770 {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::ScriptedPrompter;
using testing::TestFolder;
using testing::WriteBytes;

const char* const kTitle = "PC Program for MR318";

// Answers from a script; "where to save" from its own list (empty: Cancel).
struct ScriptedAsker : PrompterAsker {
    explicit ScriptedAsker(Prompter& prompter) : PrompterAsker(prompter) {}
    std::deque<std::string> saveFiles;
    std::optional<std::string> ChooseSaveFile() override {
        if (saveFiles.empty()) return std::nullopt;
        std::string f = saveFiles.front();
        saveFiles.pop_front();
        return f;
    }
};

struct Session {
    TestFolder folder;
    MemorySettingsStore settings;
    ScriptedPrompter prompter;
    ScriptedAsker asker{prompter};
    DiskFiles files;
    FolderProgramData program{folder.str()};
    AppSession app{program, {settings, files, asker}};
    Workspace& ws = app.workspace();

    explicit Session(bool withDefinitions = true) { testing::CopyShippedData(folder.path(), withDefinitions); }
    // Shows the outcome's messages as the window would; true when it succeeded.
    bool Said(const Outcome& outcome) {
        ShowMessages(prompter, outcome.messages);
        return outcome.Ok();
    }
    void StartNew() { Said(app.Start()); }
    std::string Remembered() const { return settings.GetOr("IniFilePath", "IniFileName_1", "<none>"); }
    std::string Definition(const std::string& name) const { return ReadBytes(folder / (name + "_013E.ini")); }
    std::string ImageBytes() { return std::string(reinterpret_cast<const char*>(ws.data().image.bytes.data()), 1024); }
    // Data changed the way an import changes them (fields no edit reaches included).
    template <typename Change>
    void Alter(Change change) {
        DataSet next = ws.data();
        change(next);
        ws.ReplaceData(next, "test");
    }
    void ExpectOnlyBox(const std::string& text, const std::string& title, Icon icon) {
        ASSERT_EQ(prompter.boxes.size(), 1u) << (prompter.boxes.empty() ? "" : prompter.boxes[0].text);
        EXPECT_EQ(prompter.boxes[0].text, text);
        EXPECT_EQ(prompter.boxes[0].title, title);
        EXPECT_EQ(prompter.boxes[0].icon, icon);
        prompter.boxes.clear();
    }
};

TEST(AppSession, WithoutAnOfferedModelStartSaysUnknownModel) {
    Session s;
    fs::remove(s.folder / "global.ini");
    EXPECT_FALSE(s.Said(s.app.Start()));
    s.ExpectOnlyBox("Unknown model!!", AppTitle, Icon::Critical);
}

TEST(AppSession, StartAndNewLoadTheRememberedOrFirstDestination) {
    Session s;
    s.StartNew();
    EXPECT_TRUE(s.prompter.boxes.empty());
    EXPECT_EQ(s.ws.modelNumber(), 1);
    EXPECT_EQ(s.ws.modelName(), "MR318");
    EXPECT_EQ(s.ws.messageTitle(), kTitle);
    EXPECT_EQ(s.ws.flags(), (ModelFlags{true, true, true}));
    EXPECT_FALSE(s.ws.modelMenuVisible());
    EXPECT_TRUE(s.ws.destinations().enabled);
    EXPECT_EQ(s.ws.destinations().names, (std::vector<std::string>{"CAN", "INT", "USA"}));
    EXPECT_EQ(s.ws.destinations().checked, 0);
    EXPECT_EQ(s.Remembered(), "CAN");
    EXPECT_EQ(s.ImageBytes(), s.Definition("CAN"));
    EXPECT_FALSE(s.ws.modified());
    EXPECT_FALSE(s.ws.CanUndo()) << "the first data set is where the history starts";

    Session t;
    t.settings.Set("IniFilePath", "IniFileName_1", "USA");
    t.StartNew();
    EXPECT_EQ(t.ws.destinations().checked, 2);
    EXPECT_EQ(t.ImageBytes(), t.Definition("USA"));

    // For one session (the command line's --destination): any case; an unknown name says which there are.
    Session u;
    EXPECT_TRUE(u.Said(u.app.StartOn("int")));
    EXPECT_EQ(u.ws.destinations().checked, 1);
    Session v;
    EXPECT_FALSE(v.Said(v.app.StartOn("MARS")));
    v.ExpectOnlyBox("unknown destination 'MARS'; the destinations are: CAN INT USA", AppTitle, Icon::Warning);
}

TEST(AppSession, ADefinitionThatIsMissingOrRefusedIsSaid) {
    Session s(false);
    s.StartNew();
    s.ExpectOnlyBox("Ini files are not found!!", kTitle, Icon::Warning);
    EXPECT_FALSE(s.ws.destinations().enabled);
    DataSet factory;
    factory.flags = s.ws.flags();
    ResetDataSet(factory);
    EXPECT_EQ(s.ws.data().image, factory.image);

    Session t;
    WriteBytes(t.folder / "CAN_013E.ini", t.Definition("CAN").substr(0, 1023));
    t.StartNew();
    t.ExpectOnlyBox("IniFileRead Error!!", kTitle, Icon::Warning);
    EXPECT_EQ(t.ws.destinations().checked, -1);
}

TEST(AppSession, ADestinationChangeAsksUnlessCheckedAndRestoresTheCheckOnFailure) {
    Session s;
    s.StartNew();
    s.prompter.answers.push_back(Answer::Cancel);
    EXPECT_TRUE(s.app.ChangeDestination(2).Cancelled());
    ASSERT_EQ(s.prompter.boxes.size(), 1u);
    EXPECT_EQ(s.prompter.boxes[0].text, "Do you want to change to USA?");
    EXPECT_EQ(s.prompter.boxes[0].buttons, Buttons::OkCancel);
    s.prompter.boxes.clear();

    s.ws.SetCommon(CommonField::DualWatch, 1);
    EXPECT_TRUE(s.Said(s.app.ChangeDestination(2)));
    EXPECT_EQ(s.ws.destinations().checked, 2);
    EXPECT_EQ(s.Remembered(), "USA");
    EXPECT_EQ(s.ImageBytes(), s.Definition("USA"));
    EXPECT_FALSE(s.ws.modified());
    s.prompter.boxes.clear();
    EXPECT_TRUE(s.Said(s.app.ChangeDestination(2))) << "the checked entry again: no question";
    EXPECT_TRUE(s.prompter.boxes.empty());

    // A refused definition changes nothing: data, check mark and clean state stay.
    s.ws.SetCommon(CommonField::DualWatch, s.ws.data().common.DualWatch ? 0 : 1);
    const DataSet before = s.ws.data();
    fs::remove(s.folder / "INT_013E.ini");
    s.prompter.answers.push_back(Answer::Ok);
    EXPECT_FALSE(s.Said(s.app.ChangeDestination(1)));
    ASSERT_EQ(s.prompter.boxes.size(), 2u);
    EXPECT_EQ(s.prompter.boxes[1].text, "IniFileRead Error!!");
    EXPECT_EQ(s.ws.destinations().checked, 2);
    EXPECT_TRUE(s.ws.data() == before);
    EXPECT_TRUE(s.ws.modified());
    EXPECT_EQ(s.Remembered(), "USA");
}

TEST(AppSession, AModelChangeAsksFirstAndTheCurrentModelIsNotChangedAgain) {
    Session s;
    s.StartNew();
    s.ws.SetCommon(CommonField::DualWatch, 1);
    EXPECT_TRUE(s.Said(s.app.ChangeModel(1)));
    EXPECT_TRUE(s.ws.modified());
    EXPECT_TRUE(s.prompter.boxes.empty());
    EXPECT_EQ(s.settings.Get("Settings", "lastmodel"), std::nullopt);
    s.prompter.answers.push_back(Answer::Cancel);
    EXPECT_TRUE(s.app.ChangeModel(2).Cancelled());
    EXPECT_EQ(s.prompter.boxes.at(0).text, "Do you want to program the Unknown model series?");
    EXPECT_EQ(s.ws.modelNumber(), 1);
}

TEST(AppSession, ASavedSettingsFileOpensToTheSameDataAndBecomesTheCurrentFile) {
    Session s;
    s.StartNew();
    s.Alter([](DataSet& data) {
        data.plan(PlanUSA)[16].ChTag = "  DISTRESS";
        data.plan(PlanINT)[3].Enable = !data.plan(PlanINT)[3].Enable;
        data.exp[4].Rxfreq = 157.0125;
        data.exp[4].CHDisplayL = "Q7";
        data.common.OffsetTime = -12;
        data.common.TimeDisplay = true;
        data.atis.AtisCode = "123456789";
    });
    const DataSet saved = s.ws.data();
    const std::string path = s.folder / "boat.dat";

    ASSERT_TRUE(s.Said(s.app.SaveAs(path)));
    EXPECT_EQ(s.ws.currentFilePath(), path);
    EXPECT_FALSE(s.ws.modified());

    (void)s.app.New();
    EXPECT_EQ(s.ws.currentFilePath(), "");
    s.ws.SetCommon(CommonField::DualWatch, 1);
    ASSERT_TRUE(s.Said(s.app.Open(path)));
    EXPECT_TRUE(s.prompter.boxes.empty());
    EXPECT_EQ(s.ws.currentFilePath(), path);
    EXPECT_FALSE(s.ws.modified());
    EXPECT_EQ(s.ws.data().plans, saved.plans);
    EXPECT_EQ(s.ws.data().exp, saved.exp);
    EXPECT_EQ(s.ws.data().common, saved.common);
    EXPECT_EQ(s.ws.data().atis, saved.atis);
    EXPECT_EQ(s.ws.data().wx, saved.wx);
}

TEST(AppSession, ARefusedOrMissingFileChangesNothing) {
    struct Case {
        const char* name;
        const char* text;  // null: no file at all
        std::string message;
        std::string title;
        Icon icon;
    };
    const std::string model = "\nThe file's [MAIN] MODELTYPE is not 1 (MR318).";
    const Case cases[] = {
        {"other.dat", "[MAIN]\r\nMODELTYPE=2\r\n[Common Setup]\r\nSCAN=0\r\n", "ModelType Error !!" + model, kTitle,
         Icon::Critical},
        {"other.dat", "[MAIN]\r\nMODEL=#MR318\r\n", "ModelType Error !!" + model, kTitle, Icon::Critical},
        {"other.dat", "", "ModelType Error !!" + model, kTitle, Icon::Critical},
        {"other.dat", nullptr, "FileRead Error!! (%s: No such file or directory)", kTitle, Icon::Warning},
        // A memory image file: its length, then its model codes; one that cannot be read says so first.
        {"short.hex", "x", "bad file!!\nA memory image is 1024 bytes; this file has 1.", kTitle, Icon::Critical},
        {"bad.hex", "\x01\x3E", "bad file!!\nA memory image is 1024 bytes; this file has 2.", kTitle, Icon::Critical},
        {"missing.hex", nullptr, "FileRead Error!! (%s: No such file or directory)", kTitle, Icon::Warning},
    };
    for (const Case& c : cases) {
        Session s;
        s.StartNew();
        const std::string kept = s.folder / "kept.dat";
        ASSERT_TRUE(s.Said(s.app.SaveAs(kept)));
        s.ws.SetCommon(CommonField::Scan, s.ws.data().common.Scan ? 0 : 1);
        const DataSet before = s.ws.data();
        const std::string path = s.folder / c.name;
        if (c.text) WriteBytes(path, c.text);
        s.prompter.boxes.clear();

        EXPECT_FALSE(s.Said(s.app.Open(path)));
        std::string message = c.message;
        if (const size_t at = message.find("%s"); at != std::string::npos) message.replace(at, 2, path);
        s.ExpectOnlyBox(message, c.title, c.icon);
        EXPECT_EQ(s.ws.currentFilePath(), kept);
        EXPECT_TRUE(s.ws.data() == before);
        EXPECT_TRUE(s.ws.modified());
        EXPECT_EQ(s.ws.UndoAction(), "SCAN");
    }
}

TEST(AppSession, AMemoryImageFileIsCheckedBeforeItReplacesTheImage) {
    Session s;
    s.StartNew();
    const std::string good = s.Definition("USA");
    std::string badEnd = good;
    badEnd[1022] = badEnd[1023] = '\0';
    WriteBytes(s.folder / "bad.hex", badEnd);
    s.ws.SetCommon(CommonField::DualWatch, 1);
    const MemoryImage before = s.ws.data().image;

    EXPECT_FALSE(s.Said(s.app.Open(s.folder / "bad.hex")));
    s.ExpectOnlyBox("ModelType Error !!\nThe model codes at both ends of the image are not those of the MR318.",
                    "Read from Radio", Icon::Critical);
    EXPECT_EQ(s.ws.data().image, before);
    EXPECT_EQ(s.ws.currentFilePath(), "");

    WriteBytes(s.folder / "good.hex", good);
    ASSERT_TRUE(s.Said(s.app.Open(s.folder / "good.hex")));
    EXPECT_EQ(s.ImageBytes(), good);
    EXPECT_EQ(s.ws.currentFilePath(), s.folder / "good.hex");
    EXPECT_FALSE(s.ws.modified());
    DataSet decoded = testing::FactoryDataSet(true, true, "USA");
    EXPECT_EQ(s.ws.data().plans, decoded.plans);
}

TEST(AppSession, JunkAfterAGoodHeaderIsReadWithoutHarm) {
    Session s;
    s.StartNew();
    std::string junk = "[MAIN]\r\nMODELTYPE=1\r\n";
    for (int i = 0; i < 20000; ++i) junk += static_cast<char>((i * 7919) % 256);
    junk += "\r\n[CHUSA0]\r\nPosition=1e999\r\n[CHUSA1]\r\nPosition=-0.4\r\nEnable=1\r\nChTag=#ok\r\n";
    WriteBytes(s.folder / "junk.dat", junk);
    EXPECT_TRUE(s.Said(s.app.Open(s.folder / "junk.dat")));
    EXPECT_EQ(s.ws.data().plan(PlanUSA)[0].ChTag, "ok");
}

TEST(AppSession, AFailedSaveKeepsTheOldFileAndTheCurrentPath) {
    Session s;
    s.StartNew();
    const std::string path = s.folder / "boat.dat";
    ASSERT_TRUE(s.Said(s.app.SaveAs(path)));
    const std::string before = ReadBytes(path);
    s.Alter([](DataSet& data) { data.plan(PlanUSA)[0].ChTag = "changed"; });

    const std::string missing = s.folder / "no-such-folder/boat.dat";
    EXPECT_FALSE(s.Said(s.app.SaveAs(missing)));
    s.ExpectOnlyBox("FileSave Error!! (" + missing + ": No such file or directory)", kTitle, Icon::Warning);
    EXPECT_EQ(s.ws.currentFilePath(), path);
    EXPECT_TRUE(s.ws.modified());

    EXPECT_FALSE(s.Said(s.app.SaveAs(s.folder.str())));  // a folder
    s.ExpectOnlyBox("FileSave Error!! (" + s.folder.str() + ": Is a directory)", kTitle, Icon::Warning);
    EXPECT_EQ(ReadBytes(path), before);
}

TEST(AppSession, ASavedMemoryImageIsTheEncodedDataWithTheStartChannelFixed) {
    Session s;
    s.StartNew();
    const std::string current = s.folder / "boat.dat";
    ASSERT_TRUE(s.Said(s.app.SaveAs(current)));
    s.Alter([](DataSet& data) {
        data.plan(PlanUSA)[20].Enable = !data.plan(PlanUSA)[20].Enable;
        data.image[0x3C7] = 0x5A;  // no field covers it
    });
    DataSet expected = s.ws.data();
    EncodeImage(expected);
    FixStartChannel(expected);

    ASSERT_TRUE(s.Said(s.app.SaveHex(s.folder / "out.hex")));
    const std::string bytes = ReadBytes(s.folder / "out.hex");
    EXPECT_EQ(bytes, std::string(reinterpret_cast<const char*>(expected.image.bytes.data()), 1024));
    EXPECT_EQ(static_cast<uint8_t>(bytes[0x3C7]), 0x5A);
    EXPECT_EQ(s.ws.currentFilePath(), current);
    EXPECT_TRUE(s.ws.modified());

    EXPECT_FALSE(s.Said(s.app.SaveHex(s.folder / "missing/out.hex")));
    s.ExpectOnlyBox("FileSave Error!! (" + (s.folder / "missing/out.hex") + ": No such file or directory)", kTitle,
                    Icon::Warning);
}

// Unsaved changes never go silently; Save never writes settings text over
// a memory image file.
TEST(AppSession, SaveOrDiscardAndTheMemoryImageRule) {
    struct Case {
        const char* what;
        Answer answer;
        std::vector<std::string> saveFiles;  // what the save dialog gives
        bool goOn;
        bool saved;
    };
    const Case cases[] = {
        {"No: the changes go", Answer::No, {}, true, false},
        {"Cancel: stop", Answer::Cancel, {}, false, false},
        {"Yes, a file chosen", Answer::Yes, {"chosen.dat"}, true, true},
        {"Yes, the dialog cancelled", Answer::Yes, {}, false, false},
        {"Yes, a file that cannot be written", Answer::Yes, {"missing/x.dat"}, false, false},
    };
    for (const Case& c : cases) {
        Session s;
        s.StartNew();
        ASSERT_TRUE(s.Said(s.app.ConfirmDiscard())) << "nothing changed: nothing asked";
        EXPECT_TRUE(s.prompter.boxes.empty());
        // A memory image is the current file: Save asks for a settings file instead.
        WriteBytes(s.folder / "image.hex", s.Definition("USA"));
        ASSERT_TRUE(s.Said(s.app.Open(s.folder / "image.hex")));
        s.ws.SetCommon(CommonField::DualWatch, 1);
        s.prompter.answers = {c.answer};
        for (const std::string& f : c.saveFiles) s.asker.saveFiles.push_back(s.folder / f);
        EXPECT_EQ(s.Said(s.app.ConfirmDiscard()), c.goOn) << c.what;
        ASSERT_FALSE(s.prompter.boxes.empty());
        EXPECT_EQ(s.prompter.boxes[0].text, "QZP data has changed.\nDo you want to save changes?");
        EXPECT_EQ(s.prompter.boxes[0].buttons, Buttons::YesNoCancel);
        EXPECT_EQ(ReadBytes(s.folder / "image.hex"), s.Definition("USA")) << c.what << ": the image file stays";
        EXPECT_EQ(fs::exists(s.folder / "chosen.dat"), c.saved) << c.what;
        EXPECT_EQ(s.ws.modified(), !c.saved) << c.what;
    }
}

TEST(AppSession, ThePortAndTheVerifyOptionAreRememberedOnceStarted) {
    Session s;
    s.app.ChooseDevice("/dev/ttyUSB3");
    EXPECT_FALSE(s.settings.Get("ComPath", "ComNum")) << "not before the start";
    s.StartNew();
    EXPECT_EQ(s.app.linkChoice().PortNumber, 1);
    EXPECT_EQ(s.app.linkChoice().RetryCount, 3);
    s.app.ChoosePort(3);
    EXPECT_EQ(s.settings.Get("ComPath", "ComNum"), "3");
    s.app.ChooseDevice("sim");
    EXPECT_EQ(s.settings.Get("ComPath", "ComDevice"), "sim");
    s.app.SetVerifyAfterProgramming(true);

    Session t;
    t.settings = s.settings;
    t.StartNew();
    EXPECT_EQ(t.app.linkChoice().PortDevice, "sim");
    EXPECT_TRUE(t.app.verifyAfterProgramming());
}

}  // namespace
}  // namespace rp770
