// Every edit and every replacement of the data is one undo step: taken back
// by Undo, done again by Redo, named after the action; the clean state is
// wherever the data were last saved, opened, read or started.
#include <gtest/gtest.h>

#include <functional>

#include "core/MemoryImage.h"
#include "desktop/DiskFiles.h"
#include "files/MemorySettingsStore.h"
#include "files/TestData.h"
#include "support/ScriptedPrompter.h"
#include "workspace/Workspace.h"

namespace rp770 {
namespace {

using testing::TestFolder;
using testing::WriteBytes;

// A session on the USA factory data, which has USA channel 16 (slot 30)
// enabled, channel 15 (slot 28) receive only, channel 02 (slot 2) disabled,
// scan on, dual watch off, every ATIS group on.
struct Session {
    TestFolder folder;
    MemorySettingsStore settings;
    FolderProgramData program{folder.str()};
    Workspace ws{program, settings};
    std::vector<ChangeNotice> notices;
    Subscription subscription;

    Session() {
        testing::CopyShippedData(folder.path(), true);
        settings.Set("IniFilePath", "IniFileName_1", "USA");
        EXPECT_TRUE(ws.Start().Ok());
        EXPECT_TRUE(ws.New().Ok());
        subscription = ws.Subscribe([this](const ChangeNotice& n) { notices.push_back(n); });
    }
    ChangeSource Last() const { return notices.empty() ? ChangeSource::Saved : notices.back().source; }
};

constexpr ChannelRef kCh16{Area::USA, 30};
constexpr ChannelRef kCh15{Area::USA, 28};

struct EditCase {
    const char* action;                      // what Undo names
    std::function<void(Workspace&)> edit;    // from the USA factory data
    std::function<bool(const DataSet&)> done;  // true once the edit is in the data
};

const EditCase kEdits[] = {
    {"CH Enable CH02", [](Workspace& ws) { ws.SetChannelFlag({Area::USA, 2}, ChannelFlag::Enable, true); },
     [](const DataSet& d) { return d.plan(PlanUSA)[2].Enable; }},
    {"Scan Memory CH16", [](Workspace& ws) { ws.SetChannelFlag(kCh16, ChannelFlag::Scan, true); },
     [](const DataSet& d) { return d.plan(PlanUSA)[30].ScanMemory; }},
    {"Duplex CH20", [](Workspace& ws) { ws.SetChannelFlag({Area::USA, 38}, ChannelFlag::Duplex, false); },
     [](const DataSet& d) { return !d.plan(PlanUSA)[38].Duplex; }},
    {"Tx Enable CH16", [](Workspace& ws) { ws.SetChannelFlag(kCh16, ChannelFlag::TxEnable, false); },
     [](const DataSet& d) { return !d.plan(PlanUSA)[30].TxEnable; }},
    {"Low Power Only CH16", [](Workspace& ws) { ws.SetChannelFlag(kCh16, ChannelFlag::LowPower, true); },
     [](const DataSet& d) { return d.plan(PlanUSA)[30].LowPower; }},
    {"Power Up CH16", [](Workspace& ws) { ws.SetChannelFlag(kCh16, ChannelFlag::PowerUp, true); },
     [](const DataSet& d) { return d.plan(PlanUSA)[30].PowUp; }},
    {"Low Power Only EXP3", [](Workspace& ws) { ws.SetChannelFlag({Area::EXP, 3}, ChannelFlag::LowPower, true); },
     [](const DataSet& d) { return d.exp[3].LowPower; }},
    {"Scan WX02", [](Workspace& ws) { ws.SetChannelFlag({Area::WX, 1}, ChannelFlag::Scan, true); },
     [](const DataSet& d) { return d.wx[1].ScanMemory; }},
    {"Enable WX01",
     [](Workspace& ws) {
         for (int k = 1; k < kWxChannels; ++k) ws.SetChannelFlag({Area::WX, k}, ChannelFlag::Enable, false);
         ws.SetChannelFlag({Area::WX, 0}, ChannelFlag::Enable, false);  // the last one: the alert goes off too
     },
     [](const DataSet& d) { return !d.wx[0].Enable && d.common.WeatherAlert == 0; }},
    {"Scan Memory (3 channels)",
     [](Workspace& ws) { ws.SetChannelFlags({kCh16, kCh15, {Area::USA, 32}}, ChannelFlag::Scan, true); },
     [](const DataSet& d) { return d.plan(PlanUSA)[30].ScanMemory && d.plan(PlanUSA)[32].ScanMemory; }},
    {"CH Display EXP1", [](Workspace& ws) { ws.SetExpDisplay(1, "P1", "A"); },
     [](const DataSet& d) { return d.exp[1].CHDisplayL == "P1" && d.exp[1].CHDisplayR == "A"; }},
    {"Rx Frequency EXP2", [](Workspace& ws) { ws.SetExpFrequency(2, true, "157,025"); },
     [](const DataSet& d) { return d.exp[2].Rxfreq == 157.025; }},
    {"Tx Frequency EXP2", [](Workspace& ws) { ws.SetExpFrequency(2, false, "161.6"); },
     [](const DataSet& d) { return d.exp[2].Txfreq == 161.6; }},
    {"SCAN", [](Workspace& ws) { ws.SetCommon(CommonField::Scan, 0); }, [](const DataSet& d) { return !d.common.Scan; }},
    {"Resume Time", [](Workspace& ws) { ws.SetCommon(CommonField::ResumeTime, 5); },
     [](const DataSet& d) { return d.common.ResumeTime == 5; }},
    {"PTT SCAN Clear", [](Workspace& ws) { ws.SetCommon(CommonField::PttScanClear, 1); },
     [](const DataSet& d) { return d.common.PttScanClear; }},
    {"Dual Watch", [](Workspace& ws) { ws.SetCommon(CommonField::DualWatch, 1); },
     [](const DataSet& d) { return d.common.DualWatch; }},
    {"Weather Alert", [](Workspace& ws) { ws.SetCommon(CommonField::WeatherAlert, 0); },
     [](const DataSet& d) { return d.common.WeatherAlert == 0; }},
    {"Usable USA", [](Workspace& ws) { ws.SetGroupUsable(PlanUSA, false); },
     [](const DataSet& d) { return !d.groups[PlanUSA].Usable; }},
    {"Priority CH USA", [](Workspace& ws) { ws.SetPriorityChannel(PlanUSA, 30); },
     [](const DataSet& d) { return d.groups[PlanUSA].PriorityChannel == 30; }},
    {"Usable ATIS CH Group EXP", [](Workspace& ws) { ws.SetAtisGroup(GroupEXP, false); },
     [](const DataSet& d) { return !d.atis.AtisGroups[GroupEXP]; }},
    {"ATIS Code", [](Workspace& ws) { ws.SetAtisCode(" 0123456789 "); },
     [](const DataSet& d) { return d.atis.AtisCode == "0123456789"; }},
    {"Destination INT", [](Workspace& ws) { (void)ws.ChangeDestination(1); },
     [](const DataSet& d) { return d.image[0x005] == PlanINT; }},
    {"New",
     [](Workspace& ws) {
         ws.SetCommon(CommonField::DualWatch, 1);
         (void)ws.New();
     },
     [](const DataSet& d) { return !d.common.DualWatch; }},
};

class EditsAreUndone : public ::testing::TestWithParam<EditCase> {};

TEST_P(EditsAreUndone, UndoTakesTheEditBackAndRedoDoesItAgain) {
    const EditCase& c = GetParam();
    Session s;
    const DataSet factory = s.ws.data();
    c.edit(s.ws);
    ASSERT_TRUE(c.done(s.ws.data())) << "the edit took";
    const DataSet edited = s.ws.data();
    ASSERT_TRUE(s.ws.CanUndo());
    EXPECT_EQ(s.ws.UndoAction(), c.action);
    const bool replaced = s.Last() == ChangeSource::Replacement;
    EXPECT_EQ(s.ws.modified(), !replaced) << "a new data set is clean, an edit is not";

    // Undo as often as the case stepped: back to the factory data, which are
    // clean unless a new data set has become the clean state since.
    while (s.ws.CanUndo()) s.ws.Undo();
    EXPECT_TRUE(s.ws.data() == factory);
    EXPECT_EQ(s.ws.modified(), replaced);
    EXPECT_EQ(s.Last(), ChangeSource::Undo);
    while (s.ws.CanRedo()) s.ws.Redo();
    EXPECT_TRUE(s.ws.data() == edited);
    EXPECT_FALSE(s.ws.CanRedo());
}

INSTANTIATE_TEST_SUITE_P(Workspace, EditsAreUndone, ::testing::ValuesIn(kEdits),
                         [](const ::testing::TestParamInfo<EditCase>& param) {
                             std::string name = std::to_string(param.index) + "_" + param.param.action;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

TEST(Workspace, RefusedEditsChangeNothing) {
    struct Refused {
        std::function<EditResult(Workspace&)> edit;
        Refusal refusal;
    };
    const Refused cases[] = {
        {[](Workspace& ws) { return ws.SetExpFrequency(1, true, "156.0125"); }, FrequencyRefusal(true)},
        {[](Workspace& ws) { return ws.SetExpFrequency(1, false, "136.9"); }, FrequencyRefusal(false)},
        {[](Workspace& ws) { return ws.SetExpFrequency(1, true, "174.5"); }, FrequencyRefusal(true)},
        {[](Workspace& ws) { return ws.SetAtisCode("123456789"); }, AtisRefusal()},
        {[](Workspace& ws) { return ws.SetAtisCode("12345abcde"); }, AtisRefusal()},
        {[](Workspace& ws) { return ws.SetExpDisplay(1, "ZZ", ""); }, {"Data Error!!", "CH Display", kDisplayRule}},
        {[](Workspace& ws) { return ws.SetExpDisplay(1, "1K", ""); }, {"Data Error!!", "CH Display", kDisplayRule}},
        {[](Workspace& ws) { return ws.SetChannelFlag(kCh15, ChannelFlag::TxEnable, true); }, {"Data Error!!", "Tx Enable"}},
        {[](Workspace& ws) { return ws.SetChannelFlag({Area::USA, 1}, ChannelFlag::Duplex, true); },
         {"Data Error!!", "Duplex"}},
        {[](Workspace& ws) { return ws.SetChannelFlag({Area::EXP, 21}, ChannelFlag::Scan, true); },
         {"Data Error!!", "Scan Memory"}},
        {[](Workspace& ws) { return ws.SetChannelFlag({Area::WX, 0}, ChannelFlag::PowerUp, true); },
         {"Data Error!!", "Enable"}},
        {[](Workspace& ws) { return ws.SetCommon(CommonField::ResumeTime, 6); },
         {"Data Error!!", "Resume Time", "Not one of the values the list offers."}},
        {[](Workspace& ws) { return ws.SetPriorityChannel(PlanUSA, 2); },  // not enabled
         {"Data Error!!", "Priority CH", "The priority channel is an enabled channel of the group's plan."}},
        // EXP 3 has neither frequency nor number: only the channel editor may enable it, to complete it.
        {[](Workspace& ws) { return ws.SetChannelFlag({Area::EXP, 3}, ChannelFlag::Enable, true); },
         {"Data Error!!", "CH Enable", kIncompleteExpRule}},
    };
    for (const Refused& c : cases) {
        Session s;
        const DataSet before = s.ws.data();
        EXPECT_EQ(c.edit(s.ws), std::optional<Refusal>(c.refusal)) << c.refusal.title;
        EXPECT_TRUE(s.ws.data() == before);
        EXPECT_FALSE(s.ws.CanUndo());
        EXPECT_TRUE(s.notices.empty());
    }
    Session s;
    EXPECT_EQ(s.ws.SetCommon(CommonField::Scan, s.ws.data().common.Scan ? 1 : 0), std::nullopt);
    EXPECT_FALSE(s.ws.CanUndo()) << "an edit that changes nothing is no step";
}

TEST(Workspace, EnablingManyChannelsSkipsIncompleteExpChannelsAndNamesThem) {
    Session s;
    ASSERT_FALSE(s.ws.SetExpFrequency(1, true, "157.025"));
    ASSERT_FALSE(s.ws.SetExpDisplay(1, "P1", ""));
    ASSERT_FALSE(s.ws.SetExpFrequency(2, true, "157.05"));  // EXP 2 has a frequency, no number
    const EditResult said =
        s.ws.SetChannelFlags({{Area::EXP, 1}, {Area::EXP, 2}, {Area::EXP, 3}}, ChannelFlag::Enable, true);
    EXPECT_EQ(said, std::optional<Refusal>({"Not enabled: EXP2, EXP3.", "CH Enable", kIncompleteExpRule}));
    EXPECT_TRUE(s.ws.data().exp[1].Enable);
    EXPECT_FALSE(s.ws.data().exp[2].Enable || s.ws.data().exp[3].Enable);
    EXPECT_EQ(s.ws.UndoAction(), "CH Enable EXP1") << "named by what changed";
    // The channel editor enables first and completes next.
    EXPECT_EQ(s.ws.SetChannelFlag({Area::EXP, 3}, ChannelFlag::Enable, true, Completion::Later), std::nullopt);
    EXPECT_TRUE(IsIncompleteExpChannel(s.ws.data().exp[3]));
}

TEST(Workspace, UndoAndRedoNeverBringBackAChannelTheEditorHadNotCompleted) {
    Session s;
    // The channel editor enables first and completes next: one step in the end.
    ASSERT_FALSE(s.ws.SetChannelFlag({Area::EXP, 3}, ChannelFlag::Enable, true, Completion::Later));
    EXPECT_EQ(s.ws.IncompleteChannels(), (std::vector<ChannelRef>{{Area::EXP, 3}}));
    ASSERT_FALSE(s.ws.SetExpFrequency(3, true, "157.025"));
    ASSERT_FALSE(s.ws.SetExpDisplay(3, "P3", ""));
    EXPECT_TRUE(s.ws.IncompleteChannels().empty());
    EXPECT_EQ(s.ws.UndoAction(), "CH Enable EXP3");
    ASSERT_TRUE(s.ws.Undo());
    EXPECT_FALSE(s.ws.data().exp[3].Enable);
    EXPECT_FALSE(s.ws.CanUndo()) << "enable, frequency and number were one step";
    ASSERT_TRUE(s.ws.Redo());
    EXPECT_TRUE(s.ws.data().exp[3].Enable && s.ws.IncompleteChannels().empty());

    // Taken back before it was complete: gone for good.
    ASSERT_FALSE(s.ws.SetChannelFlag({Area::EXP, 4}, ChannelFlag::Enable, true, Completion::Later));
    ASSERT_FALSE(s.ws.SetExpFrequency(4, true, "157.05"));
    ASSERT_TRUE(s.ws.Undo());
    EXPECT_FALSE(s.ws.CanRedo());
    EXPECT_TRUE(s.ws.IncompleteChannels().empty());
    while (s.ws.Undo()) EXPECT_TRUE(s.ws.IncompleteChannels().empty());
    while (s.ws.Redo()) EXPECT_TRUE(s.ws.IncompleteChannels().empty());
}

TEST(Workspace, UndoingPastTheSavedStateMakesTheDataChangedAgain) {
    Session s;
    const std::string path = s.folder / "boat.dat";
    s.ws.SetChannelFlag(kCh16, ChannelFlag::Scan, true);
    s.ws.MarkSaved(path);
    EXPECT_FALSE(s.ws.modified());
    EXPECT_EQ(s.Last(), ChangeSource::Saved);

    s.ws.Undo();
    EXPECT_TRUE(s.ws.modified());
    EXPECT_EQ(s.ws.currentFilePath(), path) << "undo changes the data, never where Save writes";
    s.ws.Redo();
    EXPECT_FALSE(s.ws.modified()) << "back at the saved state";
    EXPECT_EQ(s.ws.currentFilePath(), path);

    // An edit after an undo drops what could have been redone.
    s.ws.Undo();
    s.ws.SetCommon(CommonField::DualWatch, 1);
    EXPECT_FALSE(s.ws.CanRedo());
    EXPECT_TRUE(s.ws.modified());
    EXPECT_EQ(s.ws.UndoAction(), "Dual Watch");
}

TEST(Workspace, AnOpenedFileAndAReadCanBeTakenBack) {
    Session s;
    const std::string path = s.folder / "boat.dat";
    s.ws.SetCommon(CommonField::DualWatch, 1);
    const std::string text = s.ws.DatText();
    (void)s.ws.New();
    s.ws.SetCommon(CommonField::Scan, 1);
    const DataSet unsaved = s.ws.data();

    ASSERT_TRUE(s.ws.OpenDat(text, path).Ok());
    EXPECT_EQ(s.ws.UndoAction(), "Open boat.dat");
    EXPECT_TRUE(s.ws.data().common.DualWatch);
    s.ws.Undo();
    EXPECT_TRUE(s.ws.data() == unsaved) << "the edits made before the file was opened are back";
    EXPECT_EQ(s.ws.currentFilePath(), path) << "the session still belongs to the file it opened";
    EXPECT_TRUE(s.ws.modified());
}

TEST(Workspace, TheHistoryHoldsAtLeastAHundredSteps) {
    Session s;
    for (int i = 0; i < 150; ++i) s.ws.SetCommon(CommonField::ResumeTime, i % 2 ? 1 : 2);
    int steps = 0;
    while (s.ws.Undo()) ++steps;
    EXPECT_GE(steps, 100);
    EXPECT_EQ(steps, 150);
}

TEST(Workspace, ShowingDataCorrectsWithoutAStep) {
    Session s;
    DataSet off = s.ws.data();
    off.exp[1].Rxfreq = 156.013;  // off the rasters
    off.plan(PlanUSA)[28].TxEnable = true;  // channel 15 is receive only
    for (ChannelRecord& wx : off.wx) wx.Enable = false;
    off.common.WeatherAlert = 3;
    s.ws.ReplaceData(off, "test");
    const size_t steps = s.ws.CanUndo() ? 1 : 0;
    s.notices.clear();
    s.ws.SnapExpFrequencies();
    s.ws.SettleShownChannel(kCh15);
    s.ws.SettleWeatherAlert();
    s.ws.SettleWeatherAlert();  // nothing left to correct: no notice
    EXPECT_DOUBLE_EQ(s.ws.data().exp[1].Rxfreq, 156.01);
    EXPECT_FALSE(s.ws.data().plan(PlanUSA)[28].TxEnable);
    EXPECT_EQ(s.ws.data().common.WeatherAlert, 0);
    EXPECT_EQ(s.ws.UndoAction(), "test");
    EXPECT_EQ(steps, 1u);
    EXPECT_EQ(s.notices.size(), 3u);
    for (const ChangeNotice& n : s.notices) EXPECT_EQ(n.source, ChangeSource::Correction);
}

// The notices say what changed and why, so that any number of views can
// follow; undo and redo tell the step's own change again. The remembered
// destination follows the data back and forth.
TEST(Workspace, NoticesSayWhatChangedAndTheRememberedChoicesFollowUndo) {
    Session s;
    s.ws.SetChannelFlag(kCh16, ChannelFlag::Scan, true);
    const ChangeNotice edit = s.notices.back();
    EXPECT_EQ(edit.source, ChangeSource::Edit);
    EXPECT_EQ(edit.channel, std::optional<ChannelRef>(kCh16));
    EXPECT_EQ(edit.area, std::optional<Area>(Area::USA));
    EXPECT_EQ(edit.field, "Scan Memory");
    s.ws.Undo();
    EXPECT_EQ(s.notices.back().source, ChangeSource::Undo);
    EXPECT_EQ(s.notices.back().channel, edit.channel);
    s.ws.Redo();
    EXPECT_EQ(s.notices.back().source, ChangeSource::Redo);
    EXPECT_EQ(s.notices.back().field, "Scan Memory");

    ASSERT_TRUE(s.ws.ChangeDestination(1).Ok());  // INT
    EXPECT_EQ(s.settings.Get("IniFilePath", "IniFileName_1"), "INT");
    s.ws.Undo();
    EXPECT_EQ(s.settings.Get("IniFilePath", "IniFileName_1"), "USA");
    s.ws.Redo();
    EXPECT_EQ(s.settings.Get("IniFilePath", "IniFileName_1"), "INT");

    const size_t heard = s.notices.size();
    s.subscription.Reset();
    s.ws.Undo();
    EXPECT_EQ(s.notices.size(), heard) << "a subscription that went hears nothing";
}

}  // namespace
}  // namespace rp770
