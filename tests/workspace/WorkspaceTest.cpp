#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include "core/CommandLine.h"
#include "core/MemoryImage.h"
#include "files/DatWriter.h"
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

struct Session {
    TestFolder folder;
    MemorySettingsStore settings;
    ScriptedPrompter prompter;
    Workspace ws{folder.str(), settings, prompter};

    explicit Session(bool withDefinitions = true) { testing::CopyShippedData(folder.path(), withDefinitions); }
    void StartNew() {
        ASSERT_TRUE(ws.Start());
        ws.New();
    }
    std::string Remembered() const { return settings.GetOr("IniFilePath", "IniFileName_1", "<none>"); }
    std::string Definition(const std::string& name) const { return ReadBytes(folder / (name + "_013E.ini")); }
    std::string ImageBytes() {
        return std::string(reinterpret_cast<const char*>(ws.data().image.bytes.data()), 1024);
    }
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

TEST(Workspace, WithoutAnOfferedModelStartSaysUnknownModel) {
    Session s;
    fs::remove(s.folder / "global.ini");
    EXPECT_FALSE(s.ws.Start());
    s.ExpectOnlyBox("Unknown model!!", AppTitle, Icon::Critical);
}

TEST(Workspace, StartAndNewLoadTheRememberedOrFirstDestination) {
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
}

TEST(Workspace, NewWithoutDefinitionFilesWarnsAndKeepsTheFactoryDefaults) {
    Session s(false);
    s.StartNew();
    s.ExpectOnlyBox("Ini files are not found!!", kTitle, Icon::Warning);
    EXPECT_FALSE(s.ws.destinations().enabled);
    DataSet factory;
    factory.flags = s.ws.flags();
    ResetDataSet(factory);
    EXPECT_EQ(s.ws.data().image, factory.image);
}

TEST(Workspace, ARefusedDefinitionSaysIniFileReadError) {
    Session s;
    WriteBytes(s.folder / "CAN_013E.ini", s.Definition("CAN").substr(0, 1023));
    s.StartNew();
    s.ExpectOnlyBox("IniFileRead Error!!", kTitle, Icon::Warning);
    EXPECT_EQ(s.ws.destinations().checked, -1);
}

TEST(Workspace, ADestinationChangeAsksUnlessCheckedAndRestoresTheCheckOnFailure) {
    Session s;
    s.StartNew();
    EXPECT_TRUE(s.ws.ConfirmDestinationChange(0));  // the checked entry: no question
    EXPECT_TRUE(s.prompter.boxes.empty());
    s.prompter.answers.push_back(Answer::Cancel);
    EXPECT_FALSE(s.ws.ConfirmDestinationChange(2));
    ASSERT_EQ(s.prompter.boxes.size(), 1u);
    EXPECT_EQ(s.prompter.boxes[0].text, "Do you want to change to USA?");
    EXPECT_EQ(s.prompter.boxes[0].buttons, Buttons::OkCancel);
    s.prompter.boxes.clear();

    s.ws.SetCommon(CommonField::DualWatch, 1);
    EXPECT_TRUE(s.ws.ChangeDestination(2));
    EXPECT_EQ(s.ws.destinations().checked, 2);
    EXPECT_EQ(s.Remembered(), "USA");
    EXPECT_EQ(s.ImageBytes(), s.Definition("USA"));
    EXPECT_FALSE(s.ws.modified());

    // A refused definition changes nothing: data, check mark and clean state stay.
    s.ws.SetCommon(CommonField::DualWatch, s.ws.data().common.DualWatch ? 0 : 1);
    const DataSet before = s.ws.data();
    fs::remove(s.folder / "INT_013E.ini");
    EXPECT_FALSE(s.ws.ChangeDestination(1));
    s.ExpectOnlyBox("IniFileRead Error!!", kTitle, Icon::Warning);
    EXPECT_EQ(s.ws.destinations().checked, 2);
    EXPECT_TRUE(s.ws.data() == before);
    EXPECT_TRUE(s.ws.modified());
    EXPECT_TRUE(s.ws.fileError());
    EXPECT_TRUE(s.ws.operationCancelled());
    EXPECT_EQ(s.Remembered(), "USA");
}

TEST(Workspace, TheCurrentModelIsNotChangedAgain) {
    Session s;
    s.StartNew();
    s.ws.SetCommon(CommonField::DualWatch, 1);
    EXPECT_FALSE(s.ws.ChangeModel(1));
    EXPECT_TRUE(s.ws.modified());
    EXPECT_EQ(s.settings.Get("Settings", "lastmodel"), std::nullopt);
    s.prompter.answers.push_back(Answer::Ok);
    EXPECT_TRUE(s.ws.ConfirmModelChange(2));
    EXPECT_EQ(s.prompter.boxes.at(0).text, "Do you want to program the Unknown model series?");
}

TEST(Workspace, ASavedSettingsFileOpensToTheSameDataAndBecomesTheCurrentFile) {
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

    ASSERT_TRUE(s.ws.SaveDatFile(path));
    EXPECT_EQ(s.ws.currentFilePath(), path);
    EXPECT_FALSE(s.ws.modified());
    EXPECT_FALSE(s.ws.operationCancelled());

    s.ws.New();
    EXPECT_EQ(s.ws.currentFilePath(), "");
    s.ws.SetCommon(CommonField::DualWatch, 1);
    ASSERT_TRUE(s.ws.OpenDatFile(path));
    EXPECT_TRUE(s.prompter.boxes.empty());
    EXPECT_EQ(s.ws.currentFilePath(), path);
    EXPECT_FALSE(s.ws.modified());
    EXPECT_FALSE(s.ws.fileError());
    EXPECT_FALSE(s.ws.operationCancelled());
    EXPECT_EQ(s.ws.data().plans, saved.plans);
    EXPECT_EQ(s.ws.data().exp, saved.exp);
    EXPECT_EQ(s.ws.data().common, saved.common);
    EXPECT_EQ(s.ws.data().atis, saved.atis);
    EXPECT_EQ(s.ws.data().wx, saved.wx);
}

TEST(Workspace, ARefusedOrMissingFileChangesNothing) {
    struct Case {
        const char* text;  // null: no file at all
        std::string message;
        Icon icon;
    };
    const Case cases[] = {
        {"[MAIN]\r\nMODELTYPE=2\r\n[Common Setup]\r\nSCAN=0\r\n", "ModelType Error !!", Icon::Critical},
        {"[MAIN]\r\nMODEL=#MR318\r\n", "ModelType Error !!", Icon::Critical},
        {"", "ModelType Error !!", Icon::Critical},
        {nullptr, "FileRead Error!! (%s: No such file or directory)", Icon::Warning},
    };
    for (const Case& c : cases) {
        Session s;
        s.StartNew();
        const std::string kept = s.folder / "kept.dat";
        ASSERT_TRUE(s.ws.SaveDatFile(kept));
        s.ws.SetCommon(CommonField::Scan, s.ws.data().common.Scan ? 0 : 1);
        const DataSet before = s.ws.data();
        const std::string path = s.folder / "other.dat";
        if (c.text) WriteBytes(path, c.text);
        s.prompter.boxes.clear();

        EXPECT_FALSE(s.ws.OpenDatFile(path));
        std::string message = c.message;
        if (const size_t at = message.find("%s"); at != std::string::npos) message.replace(at, 2, path);
        s.ExpectOnlyBox(message, kTitle, c.icon);
        EXPECT_TRUE(s.ws.fileError());
        EXPECT_TRUE(s.ws.operationCancelled());
        EXPECT_EQ(s.ws.currentFilePath(), kept);
        EXPECT_TRUE(s.ws.data() == before);
        EXPECT_TRUE(s.ws.modified());
        EXPECT_EQ(s.ws.UndoAction(), "SCAN");
    }
}

TEST(Workspace, JunkAfterAGoodHeaderIsReadWithoutHarm) {
    Session s;
    s.StartNew();
    std::string junk = "[MAIN]\r\nMODELTYPE=1\r\n";
    for (int i = 0; i < 20000; ++i) junk += static_cast<char>((i * 7919) % 256);
    junk += "\r\n[CHUSA0]\r\nPosition=1e999\r\n[CHUSA1]\r\nPosition=-0.4\r\nEnable=1\r\nChTag=#ok\r\n";
    WriteBytes(s.folder / "junk.dat", junk);
    EXPECT_TRUE(s.ws.OpenDatFile(s.folder / "junk.dat"));
    EXPECT_EQ(s.ws.data().plan(PlanUSA)[0].ChTag, "ok");
}

TEST(Workspace, AFailedSaveKeepsTheOldFileAndTheCurrentPath) {
    Session s;
    s.StartNew();
    const std::string path = s.folder / "boat.dat";
    ASSERT_TRUE(s.ws.SaveDatFile(path));
    const std::string before = ReadBytes(path);
    s.Alter([](DataSet& data) { data.plan(PlanUSA)[0].ChTag = "changed"; });

    const std::string missing = s.folder / "no-such-folder/boat.dat";
    EXPECT_FALSE(s.ws.SaveDatFile(missing));
    s.ExpectOnlyBox("FileSave Error!! (" + missing + ": No such file or directory)", kTitle, Icon::Warning);
    EXPECT_TRUE(s.ws.fileError());
    EXPECT_TRUE(s.ws.operationCancelled());
    EXPECT_EQ(s.ws.currentFilePath(), path);
    EXPECT_TRUE(s.ws.modified());

    EXPECT_FALSE(s.ws.SaveDatFile(s.folder.str()));  // a folder
    s.ExpectOnlyBox("FileSave Error!! (" + s.folder.str() + ": Is a directory)", kTitle, Icon::Warning);
    EXPECT_EQ(ReadBytes(path), before);
}

TEST(Workspace, AMemoryImageFileIsCheckedBeforeItReplacesTheImage) {
    Session s;
    s.StartNew();
    const std::string good = s.Definition("USA");
    WriteBytes(s.folder / "short.hex", good.substr(0, 1023));
    WriteBytes(s.folder / "long.hex", good + "x");
    std::string badEnd = good;
    badEnd[1022] = badEnd[1023] = '\0';
    WriteBytes(s.folder / "bad.hex", badEnd);
    s.ws.SetCommon(CommonField::DualWatch, 1);
    const MemoryImage before = s.ws.data().image;
    const PlanArray usaBefore = s.ws.data().plan(PlanUSA);

    EXPECT_FALSE(s.ws.OpenHexFile(s.folder / "short.hex"));
    s.ExpectOnlyBox("bad file!!", kTitle, Icon::Critical);
    EXPECT_FALSE(s.ws.OpenHexFile(s.folder / "long.hex"));
    s.ExpectOnlyBox("bad file!!", kTitle, Icon::Critical);
    EXPECT_FALSE(s.ws.OpenHexFile(s.folder / "bad.hex"));
    s.ExpectOnlyBox("ModelType Error !!", "Read from Radio", Icon::Critical);
    EXPECT_TRUE(s.ws.fileError());
    EXPECT_FALSE(s.ws.OpenHexFile(s.folder / "missing.hex"));
    s.ExpectOnlyBox("FileRead Error!! (" + (s.folder / "missing.hex") + ": No such file or directory)", kTitle,
                    Icon::Warning);
    EXPECT_TRUE(s.ws.operationCancelled());
    EXPECT_EQ(s.ws.data().image, before);
    EXPECT_EQ(s.ws.data().plan(PlanUSA), usaBefore);
    EXPECT_TRUE(s.ws.modified());
    EXPECT_EQ(s.ws.currentFilePath(), "");

    WriteBytes(s.folder / "good.hex", good);
    ASSERT_TRUE(s.ws.OpenHexFile(s.folder / "good.hex"));
    EXPECT_EQ(s.ImageBytes(), good);
    EXPECT_EQ(s.ws.currentFilePath(), s.folder / "good.hex");
    EXPECT_FALSE(s.ws.modified());
    DataSet decoded = testing::FactoryDataSet(true, true, "USA");
    EXPECT_EQ(s.ws.data().plans, decoded.plans);
}

TEST(Workspace, ASavedMemoryImageIsTheEncodedDataWithTheStartChannelFixed) {
    Session s;
    s.StartNew();
    const std::string current = s.folder / "boat.dat";
    ASSERT_TRUE(s.ws.SaveDatFile(current));
    s.Alter([](DataSet& data) {
        data.plan(PlanUSA)[20].Enable = !data.plan(PlanUSA)[20].Enable;
        data.image[0x3C7] = 0x5A;  // no field covers it
    });
    DataSet expected = s.ws.data();
    EncodeImage(expected);
    FixStartChannel(expected);

    ASSERT_TRUE(s.ws.SaveHexFile(s.folder / "out.hex"));
    const std::string bytes = ReadBytes(s.folder / "out.hex");
    EXPECT_EQ(bytes, std::string(reinterpret_cast<const char*>(expected.image.bytes.data()), 1024));
    EXPECT_EQ(static_cast<uint8_t>(bytes[0x3C7]), 0x5A);
    EXPECT_EQ(s.ws.currentFilePath(), current);
    EXPECT_TRUE(s.ws.modified());

    EXPECT_FALSE(s.ws.SaveHexFile(s.folder / "missing/out.hex"));
    s.ExpectOnlyBox("FileSave Error!! (" + (s.folder / "missing/out.hex") + ": No such file or directory)", kTitle,
                    Icon::Warning);
    EXPECT_TRUE(s.ws.operationCancelled());
}

}  // namespace
}  // namespace rp770
