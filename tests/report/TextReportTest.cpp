// The text listing, to the character.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/ChannelTables.h"
#include "report/ReportData.h"
#include "report/TextReport.h"

namespace rp770 {
namespace {

using testing::FactoryData;
using testing::SmallData;
using testing::Sp;
using testing::SplitLines;

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
    return text;
}

std::vector<std::string> ExpectedSetupLines() {
    return {
        "##### Common Setup #####",
        "[Usable Channel Group Setup]",
        Sp(35) + "USA" + Sp(15) + "INT" + Sp(15) + "CAN" + Sp(15) + "EXP CH" + Sp(12),
        "Enable" + Sp(29) + "On" + Sp(16) + "Off" + Sp(15) + "On" + Sp(16) + "Off" + Sp(15),
        "Priority CH" + Sp(24) + "16" + Sp(16) + "01" + Sp(16) + "EXP6" + Sp(14),
        "[Starting TX Mode]",
        "TX Po Display:" + Sp(21) + "Lo Po on Changing CH" + Sp(15),
        "",
        "[Scanning Function]",
        "SCAN:" + Sp(30) + "On" + Sp(16),
        "Resume Time:" + Sp(23) + "2Sec" + Sp(14),
        "PTT SCAN Clear:" + Sp(20) + "Off" + Sp(15),
        "Dual Watch:" + Sp(24) + "On" + Sp(16),
        "",
    };
}

std::vector<std::string> ExpectedPlanLines() {
    const std::string head = "CH   RX(MHz)  TX(MHz)  TX  LOW  UP  DUP  MEM";
    const std::string rule = "---  -------  -------  --  ---  --  ---  ---";
    return {
        "",
        "##### Programmable USA Channel #####",
        head,
        rule,
        "01A  156.050  156.050  --  LOW  --  ---  ---  ",
        "16   156.800  156.800  TX  ---  UP  ---  MEM  ",
        "",
        "##### Programmable International Channel #####",
        head,
        rule,
        "",
        "##### Programmable Canada Channel #####",
        head,
        rule,
        "01   160.650  156.050  TX  ---  --  DUP  ---  ",
        "15   156.750  ---.---  --  ---  --  ---  ---  ",
        "88A  157.425  157.425  TX  LOW  UP  ---  MEM  ",
    };
}

std::vector<std::string> ExpectedExpLines() {
    std::vector<std::string> lines = {
        "",
        "##### Programmable Exp Channel #####",
        "CH  CHD  ENABLE  RX(MHz)   TX(MHz)   LOW  UP  MEM",
        "--  ---  ------  --------  --------  ---  --  ---",
        "1    7   ENABLE  156.8000  156.8000  LOW  --  MEM  ",
        "2   ABC  ------  156.0100  156.0125  ---  UP  ---  ",
    };
    for (int n = 3; n <= 20; ++n)
        lines.push_back(std::to_string(n) + Sp(n < 10 ? 3 : 2) + Sp(5) +
                        "------  ---.----  ---.----  ---  --  ---  ");
    return lines;
}

TEST(TextReport, AllFlagsOffExactText) {
    DataSet data = SmallData({false, false, false});
    std::vector<std::string> expected = ExpectedSetupLines();
    for (const auto& l : ExpectedPlanLines()) expected.push_back(l);
    for (const auto& l : ExpectedExpLines()) expected.push_back(l);
    const std::string report = BuildTextReport(data);
    EXPECT_EQ(report, Join(expected));

    // "Dual Watch:" is followed by two empty lines before the USA title.
    const auto lines = SplitLines(report);
    const auto dual = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("Dual Watch:", 0) == 0; });
    ASSERT_NE(dual, lines.end());
    ASSERT_LT(dual + 3, lines.end());
    EXPECT_EQ(dual[1], "");
    EXPECT_EQ(dual[2], "");
    EXPECT_EQ(dual[3], "##### Programmable USA Channel #####");
}

TEST(TextReport, AllFlagsOnExactText) {
    DataSet data = SmallData({true, true, true});
    std::vector<std::string> expected = ExpectedSetupLines();
    expected.push_back("[Weather CH Function]");
    expected.push_back("Weather Alert:" + Sp(21) + "On Wx" + Sp(30));
    expected.push_back("[ATIS Setup]");
    expected.push_back(Sp(35) + "USA" + Sp(15) + "INT" + Sp(15) + "CAN" + Sp(15) + "EXP" + Sp(15));
    expected.push_back("Usable ATIS CH Group:" + Sp(14) + "On" + Sp(16) + "Off" + Sp(15) + "On" + Sp(16) + "Off" + Sp(15));
    expected.push_back("ATIS Code:" + Sp(25) + "123456789" + Sp(9));
    for (const auto& l : ExpectedPlanLines()) expected.push_back(l);
    for (const char* l : {"", "##### Programmable Wx Channel #####", "CH  ENABLE  MEM", "--  ------  ---"})
        expected.push_back(l);
    expected.push_back("1   ENABLE  MEM  ");
    for (int k = 2; k <= 9; ++k) expected.push_back(std::to_string(k) + "   ENABLE  ---  ");
    expected.push_back("10  ------  MEM  ");
    for (const auto& l : ExpectedExpLines()) expected.push_back(l);
    EXPECT_EQ(BuildTextReport(data), Join(expected));
}

TEST(TextReport, BlocksFollowTheModelFlags) {
    struct Case {
        ModelFlags flags;
        bool weatherBlock, atisBlock, wxList;
    };
    for (const Case& c : {Case{{true, false, false}, false, true, false}, Case{{false, true, false}, false, false, true},
                          Case{{false, false, true}, true, false, false}}) {
        DataSet data = SmallData(c.flags);
        const std::string report = BuildTextReport(data);
        EXPECT_EQ(report.find("[Weather CH Function]") != std::string::npos, c.weatherBlock);
        EXPECT_EQ(report.find("[ATIS Setup]") != std::string::npos, c.atisBlock);
        EXPECT_EQ(report.find("##### Programmable Wx Channel #####") != std::string::npos, c.wxList);
    }
    // ATIS without the weather alert: the ATIS block follows the empty line
    // after "Dual Watch:" directly.
    DataSet data = SmallData({true, false, false});
    const auto lines = SplitLines(BuildTextReport(data));
    EXPECT_EQ(lines[13], "");
    EXPECT_EQ(lines[14], "[ATIS Setup]");
    EXPECT_EQ(lines[18], "");
    EXPECT_EQ(lines[19], "##### Programmable USA Channel #####");
}

TEST(TextReport, FactoryDataListsThePlanTablesInOrder) {
    DataSet data = FactoryData({true, true, true});
    const auto lines = SplitLines(BuildTextReport(data));
    EXPECT_EQ(lines.front(), "##### Common Setup #####");
    EXPECT_EQ(lines.back().substr(0, 4), "20  ");
    EXPECT_EQ(lines.back().size(), 51u);

    const char* titles[kPlanCount] = {"##### Programmable USA Channel #####",
                                      "##### Programmable International Channel #####",
                                      "##### Programmable Canada Channel #####"};
    for (int plan = 0; plan < kPlanCount; ++plan) {
        const auto title = std::find(lines.begin(), lines.end(), titles[plan]);
        ASSERT_NE(title, lines.end());
        const auto& table = PlanTable(plan);
        auto row = title + 3;
        for (const PlanRow& entry : table) {
            ASSERT_LT(row, lines.end());
            EXPECT_EQ(row->size(), 46u) << *row;
            EXPECT_EQ(row->substr(0, 5), (std::string(entry.name) + "     ").substr(0, 5));
            if (entry.rxOnly) {
                EXPECT_EQ(row->substr(14, 9), "---.---  ") << "receive only: no transmit frequency: " << *row;
                EXPECT_EQ(row->substr(23, 4), "--  ") << "receive only: no transmit: " << *row;
            } else {
                EXPECT_NE(row->substr(14, 7), "---.---") << *row;
            }
            ++row;
        }
        EXPECT_TRUE(row->empty()) << "one row per enabled channel, then the next block";
    }
}

TEST(TextReport, WxAndExpListsHaveFixedRowCounts) {
    DataSet data = FactoryData({false, true, false});
    for (auto& w : data.wx) w.Enable = false;
    for (auto& e : data.exp) e.Enable = false;
    const auto lines = SplitLines(BuildTextReport(data));
    const auto wx = std::find(lines.begin(), lines.end(), "##### Programmable Wx Channel #####");
    const auto exp = std::find(lines.begin(), lines.end(), "##### Programmable Exp Channel #####");
    ASSERT_NE(wx, lines.end());
    ASSERT_NE(exp, lines.end());
    EXPECT_EQ(exp - wx, 1 + 2 + 10 + 1) << "title, two header lines, ten rows, the empty line";
    EXPECT_EQ(lines.end() - exp, 1 + 2 + 20);
    EXPECT_EQ(wx[3], "1   ------  ---  ");
    EXPECT_EQ(wx[12], "10  ------  ---  ");
}

TEST(TextReport, CellsStartUnderTheirHeaderWords) {
    DataSet data = SmallData({false, false, false});
    const auto lines = SplitLines(BuildTextReport(data));
    const auto title = std::find(lines.begin(), lines.end(), "##### Programmable USA Channel #####");
    ASSERT_NE(title, lines.end());
    const std::string& head = title[1];
    const std::string& row16 = title[4];
    ASSERT_EQ(row16.size(), 46u);
    for (const char* word : {"RX(MHz)", "TX(MHz)", "TX  ", "LOW", "UP", "DUP", "MEM"}) {
        const size_t at = head.find(word);
        ASSERT_NE(at, std::string::npos);
        EXPECT_NE(row16[at], ' ') << word;
        EXPECT_EQ(row16[at - 1], ' ') << word;
    }
}

TEST(TextReport, ExpFrequenciesShowSnappedOntoTheRaster) {
    DataSet data = SmallData({false, false, false});
    data.exp[20].Rxfreq = 157.1234;
    data.exp[20].Txfreq = 2.5e15;  // from a hostile file: shown by its own leading digits
    const auto lines = SplitLines(BuildTextReport(data));
    EXPECT_EQ(lines.back().substr(17, 20), "157.1200  2500000000");
}

TEST(TextReport, RecordOutsideTheBaseTableLosesOnlyItsTableCells) {
    DataSet data = SmallData({false, false, false});
    data.plan(PlanUSA)[30].Position = 500;
    const auto lines = SplitLines(BuildTextReport(data));
    const auto title = std::find(lines.begin(), lines.end(), "##### Programmable USA Channel #####");
    ASSERT_NE(title, lines.end());
    EXPECT_EQ(title[4], "TX  ---  UP  ---  MEM  ");
    EXPECT_EQ(title[5], "");
}

TEST(TextReport, MissingWxRecordsAreLeftOut) {
    DataSet data = SmallData({false, true, false});
    data.wx.resize(3);
    const auto lines = SplitLines(BuildTextReport(data));
    const auto wx = std::find(lines.begin(), lines.end(), "##### Programmable Wx Channel #####");
    ASSERT_NE(wx, lines.end());
    EXPECT_EQ(wx[5], "3   ENABLE  ---  ");
    EXPECT_EQ(wx[6], "");
}

TEST(TextReport, SavedFileEndsWithOneLineBreak) {
    DataSet data = SmallData({true, true, true});
    DataSet copy = data;
    const std::string file = ReportFileText(data);
    EXPECT_EQ(file, BuildTextReport(copy) + "\r\n");
    EXPECT_NE(file.substr(file.size() - 4), "\r\n\r\n");
}

}  // namespace
}  // namespace rp770
