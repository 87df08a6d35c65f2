// Frames, checksums, the write plan and progress figures.
#include <gtest/gtest.h>

#include <set>

#include "link/Frame.h"
#include "link/LineSettings.h"
#include "link/RadioReader.h"
#include "link/WritePlan.h"

namespace rp770::link {
namespace {

std::string Text(const Bytes& b) { return std::string(b.begin(), b.end()); }

TEST(FrameTest, WorkedExamples) {
    struct Case {
        const char* command;
        const char* f1;
        const char* f2;
        const char* f3;
        std::string expected;
    };
    const Case cases[] = {
        {"#CEPSR", "00", "", "", "#CEPSR\t00\t74\r\n"},
        {"#CEPRD", "0000", "02", "", "#CEPRD\t0000\t02\t68\r\n"},
        {"#CEPRD", "0010", "10", "", "#CEPRD\t0010\t10\t6A\r\n"},
        {"#CEPWR", "0002", "01", "FF", "#CEPWR\t0002\t01\tFF\t73\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(Text(BuildFrame(c.command, c.f1, c.f2, c.f3)), c.expected) << c.command;
    EXPECT_EQ(BuildFrame("#CEPSR", "00", "", "").size(), 14u);
    EXPECT_EQ(FrameChecksum(ToBytes("#CEPSR\t00\t")), 0x74);
}

TEST(FrameTest, VerifyReply) {
    EXPECT_TRUE(VerifyReply("#CEPSD\t00\t" + Hex2(FrameChecksum("#CEPSD\t00\t"))));
    EXPECT_TRUE(VerifyReply("#CEPSR\t00\t74"));
    EXPECT_TRUE(VerifyReply("#CEPRD\t0010\t10\t6a"));   // either case
    EXPECT_FALSE(VerifyReply("#CEPSR\t00\t75"));
    EXPECT_FALSE(VerifyReply("#CEPSR\t00\t7G"));        // not hexadecimal
    EXPECT_FALSE(VerifyReply("00"));                    // two characters are not enough
    EXPECT_FALSE(VerifyReply(""));
    EXPECT_TRUE(VerifyReply("A41"));                    // 'A' = 0x41
}

TEST(FrameTest, SplitAtTabs) {
    EXPECT_EQ(SplitAtTabs("\t00\t74"), (std::vector<std::string>{"", "00", "74"}));
    EXPECT_EQ(SplitAtTabs("\t0074"), (std::vector<std::string>{"", "0074"}));
    EXPECT_EQ(SplitAtTabs(""), (std::vector<std::string>{""}));
}

TEST(FrameTest, HexHelpers) {
    EXPECT_EQ(Hex2(0x0A), "0A");
    EXPECT_EQ(Hex4(0x3F0), "03F0");
    const uint8_t bytes[] = {0x00, 0xAB, 0x5F};
    EXPECT_EQ(HexBytes(bytes, 3), "00AB5F");
    EXPECT_EQ(ParseHex("03f0"), 0x3F0u);
    EXPECT_FALSE(ParseHex(""));
    EXPECT_FALSE(ParseHex("12 "));
    EXPECT_FALSE(ParseHex("+1"));
}

TEST(LineSettingsTest, ParsesAndFormats) {
    const auto s = ParseLineSettings("4800,N,8,1");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->baud, 4800);
    EXPECT_EQ(s->parity, 'N');
    EXPECT_EQ(s->dataBits, 8);
    EXPECT_EQ(s->stopBits2, 2);
    EXPECT_EQ(FormatLineSettings(*s), "4800,N,8,1");
    EXPECT_EQ(FormatLineSettings(*ParseLineSettings("9600,e,7,1.5")), "9600,E,7,1.5");
    for (const char* bad : {"", "4800", "4800,N,8", "4800,X,8,1", "0,N,8,1", "4800,N,9,1", "4800,N,8,3", "4800,N,8,1,1"})
        EXPECT_FALSE(ParseLineSettings(bad)) << bad;
}

TEST(WritePlanTest, SupportedModel) {
    const auto plan = WritePlan(0x3FF);
    ASSERT_EQ(plan.size(), 64u);
    int singles = 0, blocks = 0;
    std::set<int> written;
    for (const PlannedRow& row : plan) {
        for (const PlannedWrite& w : row.writes) {
            (w.count == 1 ? singles : blocks)++;
            if (w.count != 1) {
                EXPECT_EQ(w.count, 16);
            }
            EXPECT_EQ(w.address & ~0xF, row.row);
            for (int a = w.address; a < w.address + w.count; ++a) EXPECT_TRUE(written.insert(a).second);
        }
    }
    EXPECT_EQ(singles, 29);
    EXPECT_EQ(blocks, 59);
    for (int a = 0; a <= 0x3FF; ++a) {
        const bool kept = a <= 0x001 || a == 0x017 || (a >= 0x0E0 && a <= 0x0FF) || a >= 0x3F0;
        EXPECT_EQ(written.count(a) == 0, kept) << std::hex << a;
    }
    EXPECT_TRUE(plan[0x0E].writes.empty());
    EXPECT_TRUE(plan[0x0F].writes.empty());
    EXPECT_TRUE(plan[0x3F].writes.empty());
}

TEST(WritePlanTest, LargerMemorySkipsEverythingFrom0x3F0) {
    const auto plan = WritePlan(0x1FFF);
    ASSERT_EQ(plan.size(), 512u);
    for (const PlannedRow& row : plan)
        if (row.row >= 0x3F0) {
            EXPECT_TRUE(row.writes.empty()) << row.row;
        }
}

TEST(ProgressTest, Figures) {
    EXPECT_EQ(ProgressPercent(0, 0x3FF), 0);
    EXPECT_EQ(ProgressPercent(0x3E0, 0x3FF), 97);
    EXPECT_EQ(ProgressPercent(0x3F0, 0x3FF), 99);
    EXPECT_EQ(ProgressPercent(0x3FF, 0x3FF), 100);
}

}  // namespace
}  // namespace rp770::link
