#include <gtest/gtest.h>

#include "core/ChannelTables.h"
#include "core/Codecs.h"

namespace rp770 {
namespace {

TEST(BaseChannels, SampleSlots) {
    const auto& t = BaseChannels();
    const struct {
        int slot;
        const char* name;
        const char* tx;
        const char* duplexRx;
        bool duplex;
    } cases[] = {
        {0, "01", "156.050", "160.650", true},  {1, "01A", "156.050", "---.---", false},
        {18, "10", "156.500", "161.100", true}, {30, "16", "156.800", "161.400", true},
        {32, "17", "156.850", "161.450", true}, {55, "28A", "157.400", "---.---", false},
        {56, "60", "156.025", "160.625", true}, {112, "88", "157.425", "162.025", true},
        {113, "88A", "157.425", "---.---", false},
    };
    for (const auto& c : cases) {
        const BaseChannel& b = t[static_cast<size_t>(c.slot)];
        EXPECT_EQ(b.name, c.name) << c.slot;
        EXPECT_EQ(FormatFreq(b.tx), c.tx) << c.slot;
        EXPECT_EQ(b.rx, b.tx) << c.slot;
        EXPECT_EQ(FormatFreq(b.duplexRx), c.duplexRx) << c.slot;
        EXPECT_EQ(b.duplex, c.duplex) << c.slot;
    }
    EXPECT_EQ(t[30].tx, 156.8) << "exact decimal, not an accumulated double";
    EXPECT_EQ(FindBaseSlot("16"), 30);
    EXPECT_EQ(FindBaseSlot("29"), -1);
}

TEST(PlanTables, RowCountsAndSpellings) {
    EXPECT_EQ(PlanTable(PlanUSA).size(), 51u);
    EXPECT_EQ(PlanTable(PlanINT).size(), 57u);
    EXPECT_EQ(PlanTable(PlanCAN).size(), 59u);
    for (int p = 0; p < 3; ++p) {
        int previous = -1;
        for (const PlanRow& row : PlanTable(p)) {
            const int slot = FindBaseSlot(row.name);
            ASSERT_GE(slot, 0) << row.name;
            EXPECT_GT(slot, previous) << "rows in slot order: " << row.name;
            previous = slot;
        }
    }
    PlanArray can{};
    ApplyPlanTable(PlanCAN, can);
    EXPECT_EQ(can[static_cast<size_t>(FindBaseSlot("06"))].ChTag, "SAFETY");
    EXPECT_EQ(can[static_cast<size_t>(FindBaseSlot("65A"))].ChTag, "PORT OPT");
    EXPECT_TRUE(can[static_cast<size_t>(FindBaseSlot("20"))].Duplex);
    EXPECT_TRUE(can[static_cast<size_t>(FindBaseSlot("20"))].LowPower);
}

TEST(PlanTables, ApplyUsa) {
    PlanArray usa{};
    usa[2].PowUp = true;  // not touched by the table
    usa[2].Enable = true;
    ApplyPlanTable(PlanUSA, usa);
    const ChannelRecord& ch15 = usa[28];
    EXPECT_TRUE(ch15.Enable);
    EXPECT_TRUE(ch15.RxOnly);
    EXPECT_FALSE(ch15.TxEnable);
    EXPECT_FALSE(ch15.DuplexAllowed);
    EXPECT_EQ(ch15.ChTag, "COMMERCIAL");
    EXPECT_TRUE(usa[24].LowPower) << "channel 13";
    EXPECT_FALSE(usa[2].Enable) << "channel 02 is not in the USA plan";
    EXPECT_TRUE(usa[2].PowUp) << "fields the table does not set are kept";
    EXPECT_TRUE(usa[2].TxEnable);
    EXPECT_TRUE(usa[2].DuplexAllowed);
    EXPECT_EQ(usa[2].Position, 2);
    EXPECT_TRUE(usa[static_cast<size_t>(FindBaseSlot("20"))].Duplex);
    EXPECT_EQ(usa[30].ChTag, "DISTRESS");
    EXPECT_EQ(usa[113].Position, 113);
    EXPECT_TRUE(usa[113].Enable) << "88A";
    EXPECT_FALSE(usa[112].Enable) << "88 is not in the USA plan";
}

TEST(WxChannels, Build) {
    const auto wx = BuildWxChannels(false);
    ASSERT_EQ(wx.size(), 10u);
    for (size_t i = 0; i < wx.size(); ++i) {
        EXPECT_EQ(wx[i].Position, static_cast<int>(i) + 1);
        EXPECT_TRUE(wx[i].Enable);
        EXPECT_FALSE(wx[i].TxEnable);
        EXPECT_TRUE(wx[i].DuplexAllowed);
        EXPECT_EQ(wx[i].ChTag, WxTable()[i].text);
    }
    EXPECT_EQ(wx[0].ChTag, "162.550MHZ");
    EXPECT_EQ(WxTable()[9].name, "WX10[163.275MHz]");
    EXPECT_FALSE(BuildWxChannels(true)[0].DuplexAllowed);
}

}  // namespace
}  // namespace rp770
