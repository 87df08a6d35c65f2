// The tree's nodes and the channel list's rows, as data.
#include <gtest/gtest.h>

#include <algorithm>

#include "PresentationData.h"
#include "core/ChannelTables.h"
#include "presentation/ChannelGridRows.h"
#include "presentation/ComboItems.h"
#include "presentation/TreeNodes.h"

namespace rp770::presentation {
namespace {

using test::FactoryData;

bool HasKey(const std::vector<TreeNodeInfo>& nodes, const std::string& key) {
    return std::any_of(nodes.begin(), nodes.end(), [&](const TreeNodeInfo& n) { return n.key == key; });
}

TEST(TreeNodes, UsableGroupsOnly) {
    DataSet data = FactoryData();
    data.groups[PlanINT].Usable = data.groups[PlanCAN].Usable = false;
    data.groups[GroupEXP].Usable = true;
    const auto nodes = MakeTreeNodes(data);
    // General, Common, Program, USA + 114, Weather, EXP root + 20.
    ASSERT_EQ(nodes.size(), 3u + 115u + 1u + 21u);
    EXPECT_EQ(nodes[0].key, "General");
    EXPECT_EQ(nodes[1].key, "Common");
    EXPECT_EQ(nodes[1].text, "Common Setup");
    EXPECT_EQ(nodes[1].parentKey, "General");
    EXPECT_EQ(nodes[2].text, "Programmable Channel");
    EXPECT_EQ(nodes[3].key, "PU");
    EXPECT_EQ(nodes[3].parentKey, "Program");
    EXPECT_EQ(nodes[4].key, "PU 0");
    EXPECT_EQ(nodes[4].parentKey, "PU");
    EXPECT_EQ(nodes[3 + 1 + 30].text, "CH16[Enable]");
    EXPECT_EQ(nodes[3 + 1 + 0].text, "CH01");
    EXPECT_EQ(nodes[3 + 1 + 1].text, "CH01A[Enable]");
    EXPECT_EQ(nodes[118].key, "PW");
    EXPECT_EQ(nodes[118].text, "Weather");
    EXPECT_EQ(nodes[119].key, "ExpChannel");
    EXPECT_EQ(nodes[119].parentKey, "");
    EXPECT_EQ(nodes[120].key, "E 1");
    EXPECT_EQ(nodes[120].text, "EXP1");
    EXPECT_FALSE(HasKey(nodes, "PI"));
    EXPECT_FALSE(HasKey(nodes, "PC"));
    EXPECT_FALSE(HasKey(nodes, "PI 0"));
}

TEST(TreeNodes, WeatherOnlyWithTheModelFlagAndEmptyNamesFallBack) {
    DataSet data = FactoryData();
    data.flags.wx = false;
    data.groups[PlanUSA].Name = "";
    data.groups[PlanCAN].Name = "Canada";
    data.exp[3].Enable = true;
    data.groups[GroupEXP].Usable = true;
    const auto nodes = MakeTreeNodes(data);
    EXPECT_FALSE(HasKey(nodes, "PW"));
    auto text = [&](const std::string& key) {
        for (const auto& n : nodes)
            if (n.key == key) return n.text;
        return std::string("?");
    };
    EXPECT_EQ(text("PU"), "USA");
    EXPECT_EQ(text("PC"), "Canada");
    EXPECT_EQ(text("E 3"), "EXP3[Enable]");
}

TEST(TreeNodes, KeyNumbers) {
    EXPECT_EQ(KeyNumber("PU 5", 3), 5);
    EXPECT_EQ(KeyNumber("PC 113", 3), 113);
    EXPECT_EQ(KeyNumber("E 20", 2), 20);
    EXPECT_EQ(KeyNumber("PU", 3), 0);
    EXPECT_EQ(PlanOfGroupKey("pi"), PlanINT);
    EXPECT_EQ(PlanOfGroupKey("PW"), -1);
    EXPECT_EQ(ChannelKey(PlanCAN, 7), "PC 7");
    EXPECT_EQ(ExpKey(12), "E 12");
}

TEST(ChannelGridRows, NoEnabledChannelGivesNoRows) {
    PlanArray records{};
    ApplyPlanTable(PlanUSA, records);
    for (auto& r : records) r.Enable = false;
    EXPECT_TRUE(ChannelGridRows(records).empty());
}

TEST(ChannelGridRows, ChannelSixteenAndFifteen) {
    DataSet data = FactoryData();
    auto rows = ChannelGridRows(data.plan(PlanUSA));
    const auto find = [&](const std::string& name) {
        return *std::find_if(rows.begin(), rows.end(), [&](const GridRow& r) { return r[0] == name; });
    };
    EXPECT_EQ(find("16"), (GridRow{"16", "156.800", "156.800", "TX", "---", "--", "---", "---"}));
    EXPECT_EQ(find("15"), (GridRow{"15", "156.750", "---.---", "--", "---", "--", "---", "---"}));
    EXPECT_EQ(find("20")[1], "161.600");  // duplex: the duplex receive frequency
    EXPECT_EQ(rows.size(), 51u);
    data.plan(PlanUSA)[30].ScanMemory = true;
    rows = ChannelGridRows(data.plan(PlanUSA));
    EXPECT_EQ(find("16")[7], "MEM");
}

TEST(ChannelGridRows, ExpRowsShowTheFrequencySnapped) {
    std::array<ChannelRecord, kExpChannels + 1> exp{};
    exp[2].Enable = true;
    exp[2].CHDisplayL = "5";
    exp[2].CHDisplayR = "A";
    exp[2].Rxfreq = 156.013;
    exp[2].LowPower = true;
    exp[3].CHDisplayL = "<b";  // '<' is sent as 0xFF: the radio's number ends before the "b"
    exp[3].CHDisplayR = "1";
    const auto rows = ExpGridRows(exp);
    ASSERT_EQ(rows.size(), 20u);
    EXPECT_EQ(rows[0], (GridRow{"1", "", "   ", "---.----", "---.----", "---", "--", "---"}));
    EXPECT_EQ(rows[1], (GridRow{"2", "[Enable]", " 5A", "156.0100", "---.----", "LOW", "--", "---"}));
    EXPECT_EQ(rows[2][2], "  1") << "shown as the radio will receive it";
}

TEST(ComboItems, PriorityListsFollowTheEnabledChannels) {
    DataSet data = FactoryData();
    const auto usa = PriorityItems(data, PlanUSA);
    ASSERT_EQ(usa.size(), 51u);
    EXPECT_EQ(usa[0], (ComboItem{"01A", 1}));
    EXPECT_TRUE(PriorityItems(data, GroupEXP).empty());
    EXPECT_EQ(WeatherAlertItems()[1], (ComboItem{"On", 3}));
    EXPECT_EQ(ResumeTimeItems().size(), 6u);
}

}  // namespace
}  // namespace rp770::presentation
