// What the screens show and allow for a data set: the common setup, the
// channel editor, the weather channels, the channel lists and their
// selections, the node screens and the messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "PresentationData.h"
#include "presentation/ChannelEditorView.h"
#include "presentation/CommonSetupView.h"
#include "presentation/ListSelection.h"
#include "presentation/ScreenMessages.h"
#include "presentation/TreeNodes.h"
#include "presentation/WeatherView.h"

namespace rp770::presentation {
namespace {

using test::FactoryData;

constexpr int kCh15 = 28, kCh16 = 30, kCh17 = 32, kCh24 = 46;
const ChannelRef kUsa15 = PlanChannel(PlanUSA, kCh15), kUsa16 = PlanChannel(PlanUSA, kCh16);

TEST(CommonSetupView, FactoryData) {
    const CommonSetupView v = MakeCommonSetupView(FactoryData());
    EXPECT_EQ(v.scan.selected, 1);
    EXPECT_EQ(v.resumeTime.selected, 3);
    EXPECT_TRUE(v.resumeTime.enabled);
    EXPECT_EQ(v.weatherAlert.selected, 1);  // 3: "On"
    EXPECT_TRUE(v.weatherAlert.enabled && v.weatherAlertVisible && v.atisVisible);
    EXPECT_EQ(v.groups[PlanUSA].priority.items[static_cast<size_t>(v.groups[PlanUSA].priority.selected)].text, "17");
    EXPECT_TRUE(v.groups[PlanCAN].usable.checked && v.groups[PlanCAN].priority.enabled);
    EXPECT_EQ(v.groups[GroupEXP].usable, (SwitchView{"EXP CH Group", false}));
    EXPECT_EQ(v.groups[GroupEXP].priority, (ChoiceView{{}, kNoSelection, false, false}));  // no priority channel
    EXPECT_EQ(v.atisGroups[GroupEXP], (SwitchView{"EXP", true, false})) << "ticked, greyed with its group";
    EXPECT_TRUE(v.atisCode.enabled);
}

TEST(CommonSetupView, FollowsTheData) {
    struct Case {
        const char* what;
        std::function<void(DataSet&)> change;
        std::function<bool(const CommonSetupView&)> holds;
    };
    const Case cases[] = {
        {"scan off greys its settings", [](DataSet& d) { d.common.Scan = false; },
         [](const CommonSetupView& v) { return v.scan.selected == 0 && !v.resumeTime.enabled && !v.pttScanClear.enabled; }},
        {"no weather channel greys the alert", [](DataSet& d) { for (auto& wx : d.wx) wx.Enable = false; },
         [](const CommonSetupView& v) { return !v.weatherAlert.enabled; }},
        {"an alert no item stands for leaves the selection", [](DataSet& d) { d.common.WeatherAlert = 1; },
         [](const CommonSetupView& v) { return v.weatherAlert.selected == kSelectionStays; }},
        {"a negative alert clears it", [](DataSet& d) { d.common.WeatherAlert = -1; },
         [](const CommonSetupView& v) { return v.weatherAlert.selected == kNoSelection; }},
        {"a resume time out of the list leaves it", [](DataSet& d) { d.common.ResumeTime = 6; },
         [](const CommonSetupView& v) { return v.resumeTime.selected == kSelectionStays; }},
        {"a priority no longer listed selects the first", [](DataSet& d) { d.groups[PlanUSA].PriorityChannel = 0; },
         [](const CommonSetupView& v) { return v.groups[PlanUSA].priority.selected == 0; }},
        {"an unusable group greys its priority and ATIS group", [](DataSet& d) { d.groups[PlanINT].Usable = false; },
         [](const CommonSetupView& v) {
             return !v.groups[PlanINT].usable.checked && !v.groups[PlanINT].priority.enabled &&
                    !v.atisGroups[PlanINT].enabled && v.atisCode.enabled;
         }},
        {"no usable group greys the ATIS code", [](DataSet& d) { for (auto& g : d.groups) g.Usable = false; },
         [](const CommonSetupView& v) { return !v.atisCode.enabled; }},
        {"a group's name names its ATIS group, else the caption",
         [](DataSet& d) { d.groups[PlanINT].Name = ""; d.groups[PlanCAN].Name = "Canada"; },
         [](const CommonSetupView& v) { return v.atisGroups[PlanINT].caption == "INTL" && v.atisGroups[PlanCAN].caption == "Canada"; }},
    };
    for (const Case& c : cases) {
        DataSet data = FactoryData();
        c.change(data);
        EXPECT_TRUE(c.holds(MakeCommonSetupView(data))) << c.what;
    }
}

ChannelEditorView EditorView(const DataSet& data, ChannelRef channel) {
    ChannelEditorScreen screen;
    screen.Load(channel);
    return screen.View(data).value();
}

TEST(ChannelEditorView, WhatEachChannelShowsAndAllows) {
    DataSet data = FactoryData();
    data.plan(PlanUSA)[kCh17].Enable = false;
    data.plan(PlanUSA)[kCh24].LowPower = true;
    data.exp[2] = ChannelRecord{};
    data.exp[2].Enable = data.exp[2].TxEnable = true;
    data.exp[2].CHDisplayL = "K5";
    data.exp[2].CHDisplayR = "AB";
    data.exp[2].Rxfreq = 156.013;  // shown on the raster
    // display, rx, tx; tx enable, low power, power up, duplex, scan: enabled (checked)
    struct Case {
        ChannelRef channel;
        const char* display[2];
        const char* rx;
        const char* tx;
        bool enabled[5];
        bool checked[5];
    };
    const Case cases[] = {
        {kUsa16, {"16", ""}, "156.800", "156.800", {true, true, false, true, true}, {true, false, false, false, false}},
        {kUsa15, {"15", ""}, "156.750", "---.---", {false, false, false, false, true}, {false, false, false, false, false}},
        {PlanChannel(PlanUSA, kCh17), {"17", ""}, "156.850", "156.850", {false, false, false, false, false},
         {true, true, false, false, false}},
        {PlanChannel(PlanUSA, kCh24), {"24", ""}, "161.800", "157.200", {true, true, true, true, true},
         {true, true, false, true, false}},
        {PlanChannel(PlanUSA, 1), {"01", "A"}, "156.050", "156.050", {true, true, false, false, true},
         {true, false, false, false, false}},
        {{Area::EXP, 2}, {"K5", "B"}, "156.0100", "---.----", {true, true, false, false, true},
         {true, false, false, false, false}},
    };
    for (const Case& c : cases) {
        const ChannelEditorView v = EditorView(data, c.channel);
        const std::string which = ChannelName(data, c.channel);
        EXPECT_EQ(v.exp, c.channel.area == Area::EXP) << which;
        EXPECT_EQ(v.displayLeft.text, c.display[0]) << which;
        EXPECT_EQ(v.displayRight.text, c.display[1]) << which;
        EXPECT_EQ(v.rx.text, c.rx) << which;
        EXPECT_EQ(v.tx.text, c.tx) << which;
        EXPECT_EQ(v.rx.editable, v.exp) << which;
        EXPECT_EQ(v.rx.enabled, v.enable.checked) << which;
        const SwitchView* switches[] = {&v.txEnable, &v.lowPower, &v.powerUp, &v.duplex, &v.scan};
        for (size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(switches[i]->enabled, c.enabled[i]) << which << " " << switches[i]->caption;
            EXPECT_EQ(switches[i]->checked, c.checked[i]) << which << " " << switches[i]->caption;
        }
        EXPECT_EQ(v.txEnable.visible && v.duplex.visible, !v.exp) << which;
    }
}

TEST(ChannelEditorView, DuplexStaysGreyAfterEnableUntilLoadedAgain) {
    DataSet data = FactoryData();
    ChannelEditorScreen screen;
    screen.Load(kUsa16);
    EXPECT_TRUE(screen.View(data)->duplex.enabled);
    screen.EnableSwitched(true);
    EXPECT_TRUE(screen.View(data)->duplex.enabled) << "only turning it off greys it";
    screen.EnableSwitched(false);
    screen.EnableSwitched(true);
    EXPECT_FALSE(screen.View(data)->duplex.enabled);
    screen.Load(kUsa16);
    EXPECT_TRUE(screen.View(data)->duplex.enabled);
    screen.Clear();
    EXPECT_FALSE(screen.View(data));
}

TEST(ChannelEditorView, AnIncompleteExpChannelIsNotLeft) {
    DataSet data = FactoryData();
    ChannelEditorScreen screen;
    screen.Load({Area::EXP, 3});
    EXPECT_FALSE(screen.CheckBeforeLeaving(data, "T")) << "disabled";
    data.exp[3].Enable = true;
    const auto noFrequency = screen.CheckBeforeLeaving(data, "PC Program for MR318");
    ASSERT_TRUE(noFrequency);
    EXPECT_EQ(noFrequency->message.Shown(), std::string("Data Error!!\nPlease input correct data.\n") + kIncompleteExpRule);
    EXPECT_EQ(noFrequency->message.title, "PC Program for MR318");
    EXPECT_EQ(noFrequency->missing, EditorBox::Rx);
    data.exp[3].Rxfreq = 156.025;
    EXPECT_EQ(screen.CheckBeforeLeaving(data, "T")->missing, EditorBox::DisplayLeft);
    data.exp[3].CHDisplayL = "12";
    EXPECT_FALSE(screen.CheckBeforeLeaving(data, "T"));
}

TEST(WeatherView, RowsFollowTheChannels) {
    DataSet data = FactoryData();
    data.wx[1].Enable = false;
    data.wx[1].ScanMemory = true;
    const auto rows = MakeWeatherView(data);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[9].label, "WX10[163.275MHz]");
    EXPECT_EQ(rows[0].enable, (SwitchView{"Enable", true}));
    EXPECT_EQ(rows[1].scan, (SwitchView{"Scan", true, false})) << "keeps its tick, greyed";
}

TEST(ListSelection, MenuOffersWhatWouldChange) {
    DataSet data = FactoryData();
    data.plan(PlanUSA)[kCh16].ScanMemory = true;
    const auto menu = MakeListMenu(data, Area::USA, {kUsa15, kUsa16});
    ASSERT_EQ(menu.flags.size(), 4u);
    EXPECT_EQ(menu.flags[0], (FlagEntry{ChannelFlag::Enable, "Enable", "Set CH Enable", "Clear CH Enable", false, true}));
    EXPECT_TRUE(menu.flags[1].canSet && menu.flags[1].canClear) << "15 has no scan, 16 has";
    EXPECT_EQ(menu.flags[3].setText, "Set Power Up");
    EXPECT_FALSE(menu.openEnabled);
    EXPECT_TRUE(MakeListMenu(data, Area::USA, {kUsa16}).openEnabled);
    EXPECT_EQ(MakeListMenu(data, Area::WX, {}).flags[1].setText, "Set Scan");
}

TEST(ListSelection, SpaceTurnsAColumnOnUnlessAllThatCanHaveItAlready) {
    DataSet data = FactoryData();
    const auto& columns = RegularGridColumns();
    const GridColumn& tx = columns[3];
    const GridColumn& mem = columns[7];
    EXPECT_FALSE(ColumnFlagChange(data, columns[1], {kUsa16})) << "RX shows no switch";
    // 15 is receive-only: 16 alone decides whether TX is on for all.
    EXPECT_EQ(ColumnFlagChange(data, tx, {kUsa15, kUsa16}), (FlagChange{ChannelFlag::TxEnable, false}));
    EXPECT_EQ(ColumnFlagChange(data, mem, {kUsa15, kUsa16}), (FlagChange{ChannelFlag::Scan, true}));
    data.plan(PlanUSA)[kCh16].ScanMemory = true;
    EXPECT_EQ(ColumnFlagChange(data, mem, {kUsa15, kUsa16}), (FlagChange{ChannelFlag::Scan, true}));
    data.plan(PlanUSA)[kCh15].ScanMemory = true;
    EXPECT_EQ(ColumnFlagChange(data, mem, {kUsa15, kUsa16}), (FlagChange{ChannelFlag::Scan, false}));
}

TEST(ChannelListView, RowsChannelsAndTips) {
    DataSet data = FactoryData();
    for (auto& r : data.plan(PlanINT)) r.Enable = false;
    const ChannelListView none = MakeChannelList(data, Area::INT);
    EXPECT_EQ(none.area, Area::INT);
    EXPECT_EQ(none.name, "INT");
    EXPECT_TRUE(none.rows.empty() && none.channels.empty() && none.tips.empty());
    data.plan(PlanUSA)[kCh16].ChTag = "  DISTRESS\t";
    const ChannelListView usa = MakeChannelList(data, Area::USA);
    const size_t row16 = static_cast<size_t>(std::find(usa.channels.begin(), usa.channels.end(), kUsa16) - usa.channels.begin());
    ASSERT_LT(row16, usa.rows.size());
    EXPECT_EQ(usa.rows[row16][0], "16");
    EXPECT_EQ(usa.tips[row16], "DISTRESS");
    const ChannelListView exp = MakeChannelList(data, Area::EXP);
    EXPECT_EQ(exp.name, "EXP Channel");
    EXPECT_EQ(exp.channels.back(), (ChannelRef{Area::EXP, 20}));
    EXPECT_EQ(exp.columns[1].header.Render(), "ENABLE");
}

TEST(NodeScreens, EachKeyShowsItsScreen) {
    struct Case {
        const char* key;
        const char* parent;
        NodeScreen screen;
    };
    const Case cases[] = {
        {"General", "", {ScreenKind::General, {}}},
        {"PROGRAM", "", {ScreenKind::Grey, {}}},
        {"ExpChannel", "", {ScreenKind::ChannelList, {Area::EXP, 0}}},
        {"Common", "General", {ScreenKind::Common, {}}},
        {"pi", "Program", {ScreenKind::ChannelList, {Area::INT, 0}}},
        {"PW", "Program", {ScreenKind::Weather, {Area::WX, 0}}},
        {"PC 113", "PC", {ScreenKind::ChannelEditor, {Area::CAN, 113}}},
        {"E 20", "ExpChannel", {ScreenKind::ChannelEditor, {Area::EXP, 20}}},
        {"E 21", "ExpChannel", {}},
        {"PU 114", "PU", {}},
        {"PU 5", "", {}},
        {"Other", "General", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(ScreenOfNode(c.key, c.parent), c.screen) << c.key << " under " << c.parent;
    EXPECT_EQ(RowNodeKey("PU", "16", 7), "PU 30");
    EXPECT_EQ(RowNodeKey("PC", "01A", 1), "PC 1");
    EXPECT_EQ(RowNodeKey("PU", "99", 1), "");
    EXPECT_EQ(RowNodeKey("ExpChannel", "", 3), "E 3");
    EXPECT_EQ(RowNodeKey("ExpChannel", "", 0), "");
    EXPECT_EQ(RowNodeKey("pu", "16", 1), "") << "the list's own key, as the tree spells it";
}

TEST(ScreenMessages, RefusalsAndComparisons) {
    const Message refused = RefusalMessage(Refusal{"Data Error!!", "CH Enable", kIncompleteExpRule});
    EXPECT_EQ(refused.Shown(), std::string("Data Error!!\n") + kIncompleteExpRule);
    EXPECT_EQ(refused.icon, Icon::Warning);
    EXPECT_EQ(RefusalMessage(AtisRefusal()).Shown(), "Data Error!!\nAn ATIS code is ten digits, or empty for none.");
    const Message same = NoDifferencesMessage("boat.dat", "Compare With boat.dat");
    EXPECT_EQ(same.Shown(), "No differences: the data on screen are the same as boat.dat.");
    EXPECT_EQ(same.icon, Icon::Information);
}

}  // namespace
}  // namespace rp770::presentation
