// The editing session says what the user reads in the language in use and
// tells its refusals apart by id; what it records (the error log's words, a
// failure's own message) and its data (the differences) stay English.
#include <gtest/gtest.h>

#include <functional>

#include "desktop/DiskFiles.h"
#include "files/MemorySettingsStore.h"
#include "files/TestData.h"
#include "workspace/DataDiff.h"
#include "workspace/Workspace.h"

namespace rp770 {
namespace {

std::vector<std::string> Texts(std::initializer_list<std::pair<MessageId, const char*>> entries) {
    std::vector<std::string> texts(kMessageCount);
    for (const auto& [id, text] : entries) texts[static_cast<size_t>(id)] = text;
    return texts;
}

// Words that differ from the English ones wherever the session takes them.
const Translations kGerman("de", Texts({
    {MessageId::DataError, "Datenfehler!!"},
    {MessageId::RxFrequencyHint, "Empfangsfrequenz"},
    {MessageId::ChDisplay, "Kanalanzeige"},
    {MessageId::ChEnable, "Kanal aktiv"},
    {MessageId::ScanMemory, "Suchlaufspeicher"},
    {MessageId::ResumeTime, "Fortsetzzeit"},
    {MessageId::DualWatch, "Zweikanalüberwachung"},
    {MessageId::StepFieldOfChannel, "%1 bei %2"},
    {MessageId::NotEnabled, "Nicht aktiviert: %1."},
    {MessageId::BadFile, "Ungültige Datei!!"},
    {MessageId::ImageWrongLength, "Abbild %1 Bytes, Datei %2."},
    {MessageId::FailureFileNotFound, "Datei nicht gefunden"},
}));

class InGerman {
public:
    InGerman() { UseTranslations(&kGerman); }
    ~InGerman() { UseTranslations(nullptr); }
    InGerman(const InGerman&) = delete;
    InGerman& operator=(const InGerman&) = delete;
};

struct Session {
    testing::TestFolder folder;
    MemorySettingsStore settings;
    FolderProgramData program{folder.str()};
    Workspace ws{program, settings};

    Session() {
        testing::CopyShippedData(folder.path(), true);
        settings.Set("IniFilePath", "IniFileName_1", "USA");
        EXPECT_TRUE(ws.Start().Ok());
        EXPECT_TRUE(ws.New().Ok());
    }
};

TEST(WorkspaceLanguage, RefusalsAreSaidInTheLanguageAndKnownByTheirRule) {
    const InGerman german;
    const struct {
        std::function<EditResult(Workspace&)> edit;
        const char* title;
        MessageId rule;
    } cases[] = {
        {[](Workspace& ws) { return ws.SetExpFrequency(1, true, "136.9"); }, "Empfangsfrequenz", MessageId::RuleFrequency},
        {[](Workspace& ws) { return ws.SetExpDisplay(1, "ZZ", ""); }, "Kanalanzeige", MessageId::RuleDisplay},
        {[](Workspace& ws) { return ws.SetCommon(CommonField::ResumeTime, 6); }, "Fortsetzzeit", MessageId::RuleListValue},
        {[](Workspace& ws) { return ws.SetPriorityChannel(PlanUSA, 2); }, "Priority CH", MessageId::RulePriorityChannel},
        {[](Workspace& ws) { return ws.SetChannelFlag({Area::EXP, 3}, ChannelFlag::Enable, true); }, "Kanal aktiv",
         MessageId::RuleIncompleteExp},
    };
    for (const auto& c : cases) {
        Session s;
        const EditResult refused = c.edit(s.ws);
        ASSERT_TRUE(refused) << c.title;
        EXPECT_EQ(refused->text, "Datenfehler!!");
        EXPECT_EQ(refused->title, c.title);
        EXPECT_EQ(refused->rule, c.rule) << c.title;
        EXPECT_EQ(refused->detail, MessageText(c.rule).Render(kGerman)) << c.title;
    }
}

TEST(WorkspaceLanguage, ManyChannelsNameTheSkippedOnesAndStepsTakeTheLanguagesWords) {
    const InGerman german;
    Session s;
    ASSERT_FALSE(s.ws.SetExpFrequency(2, true, "157.05"));  // a frequency, no channel number
    const EditResult said = s.ws.SetChannelFlags({{Area::EXP, 2}, {Area::EXP, 3}}, ChannelFlag::Enable, true);
    ASSERT_TRUE(said);
    EXPECT_EQ(said->text, "Nicht aktiviert: EXP2, EXP3.");
    EXPECT_EQ(said->rule, MessageId::RuleIncompleteExp);
    ASSERT_FALSE(s.ws.SetChannelFlag({Area::USA, 30}, ChannelFlag::Scan, true));
    EXPECT_EQ(s.ws.UndoAction(), "Suchlaufspeicher bei CH16");
}

TEST(WorkspaceLanguage, RecordsAndDataStayEnglish) {
    const InGerman german;
    Session s;
    const Outcome opened = s.ws.OpenHex(std::string(7, '\0'), "short.hex");
    ASSERT_EQ(opened.messages.size(), 1u);
    EXPECT_EQ(opened.messages[0].text, "Ungültige Datei!!");
    EXPECT_TRUE(opened.messages[0].Is(MessageId::BadFile));
    EXPECT_EQ(opened.messages[0].detail, "Abbild " + std::to_string(s.ws.data().image.size()) + " Bytes, Datei 7.");
    EXPECT_EQ(opened.failure.message, "bad file!!");

    DataSet other = s.ws.data();
    other.common.DualWatch = !other.common.DualWatch;
    const std::vector<Difference> differences = CompareDataSets(s.ws.data(), other);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0].field, "Dual Watch");

    const Failure missing{FailureKind::FileNotFound};
    EXPECT_EQ(missing.LogText(), "53File not found");
    EXPECT_EQ(missing.Reason(), "Datei nicht gefunden");
}

}  // namespace
}  // namespace rp770
