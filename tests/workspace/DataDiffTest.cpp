// The comparison of two data sets, area by area: one line per differing
// field, in the order of the report, with the values as the user knows them.
#include <gtest/gtest.h>

#include <functional>

#include "files/TestData.h"
#include "workspace/DataDiff.h"

namespace rp770 {
namespace {

struct DiffCase {
    const char* area;
    std::function<void(DataSet&)> change;  // made to the second data set
    std::vector<std::string> lines;
};

const DiffCase kCases[] = {
    {"none", [](DataSet&) {}, {}},
    {"Groups",
     [](DataSet& d) {
         d.groups[PlanINT].Usable = false;
         d.groups[PlanUSA].PriorityChannel = 16;  // channel 09
         d.groups[PlanCAN].PriorityChannel = 300;
     },
     {"Groups USA: Priority CH 17 -> 09", "Groups INT: Usable on -> off", "Groups CAN: Priority CH 17 -> Off"}},
    {"Common",
     [](DataSet& d) {
         d.common.DualWatch = true;
         d.common.ResumeTime = 1;
         d.common.OffsetTime = 5;
     },
     {"Common: Resume Time 3Sec -> 1Sec", "Common: Dual Watch off -> on", "Common: Offset Time 0 -> 5"}},
    {"ATIS", [](DataSet& d) { d.atis.AtisCode = "0123456789"; }, {"ATIS: Code \"\" -> \"0123456789\""}},
    {"USA",
     [](DataSet& d) {
         d.plan(PlanUSA)[41].ScanMemory = true;  // 21A
         d.plan(PlanUSA)[30].ChTag = "SOS";
     },
     {"USA 16: Tag \"DISTRESS\" -> \"SOS\"", "USA 21A: Scan off -> on"}},
    {"CAN", [](DataSet& d) { d.plan(PlanCAN)[0].Duplex = false; }, {"CAN 01: Duplex on -> off"}},
    {"WX", [](DataSet& d) { d.wx[9].Enable = false; }, {"WX 10: Enable on -> off"}},
    {"EXP",
     [](DataSet& d) {
         d.exp[3].Rxfreq = 157.0125;
         d.exp[20].CHDisplayL = "P1";
         d.exp[20].CHDisplayR = "A";
         d.exp[5].TxEnable = !d.exp[5].TxEnable;  // a switch EXP channels do not have
     },
     {"EXP 3: RX none -> 157.0125", "EXP 20: Display \"   \" -> \"P1A\""}},
};

TEST(DataDiff, OneLinePerDifferingFieldAreaByArea) {
    const DataSet a = testing::FactoryDataSet();
    DataSet all = a;
    std::vector<std::string> allLines;
    for (const DiffCase& c : kCases) {
        DataSet b = a;
        c.change(b);
        c.change(all);
        std::vector<std::string> lines;
        for (const Difference& d : CompareDataSets(a, b)) lines.push_back(DifferenceLine(d));
        EXPECT_EQ(lines, c.lines) << c.area;
        allLines.insert(allLines.end(), c.lines.begin(), c.lines.end());
    }
    // Together, in the order of the report; and the other way round.
    const std::vector<Difference> both = CompareDataSets(a, all);
    ASSERT_EQ(both.size(), allLines.size());
    for (size_t i = 0; i < both.size(); ++i) {
        EXPECT_EQ(DifferenceLine(both[i]), allLines[i]);
        const Difference back = CompareDataSets(all, a)[i];
        EXPECT_EQ(back.a, both[i].b);
        EXPECT_EQ(back.b, both[i].a);
    }
    // Values the same to 100 Hz are the same frequency.
    DataSet near = a;
    near.exp[1].Rxfreq = 156.80004;
    DataSet exact = a;
    exact.exp[1].Rxfreq = 156.8;
    EXPECT_TRUE(CompareDataSets(near, exact).empty());
}

// Copy for a spreadsheet: numbers stay numbers, a text that would run as a
// formula is marked as text inside its quotes.
TEST(DataDiff, TheSpreadsheetCopyRunsNoFormula) {
    const std::vector<Difference> differences = {
        {"USA", "16", "Tag", "\"=1+2\"", "\"DISTRESS\""},
        {"Common", "", "Offset Time", "-5", "3"},
        {"EXP", "3", "RX", "none", "157.0125"},
        {"EXP", "4", "Display", "\"-1A\"", "\"@\""},
    };
    EXPECT_EQ(DifferencesForSpreadsheet(differences),
              "Area\tChannel\tField\tThis\tOther\n"
              "USA\t16\tTag\t\"'=1+2\"\t\"DISTRESS\"\n"
              "Common\t\tOffset Time\t-5\t3\n"
              "EXP\t3\tRX\tnone\t157.0125\n"
              "EXP\t4\tDisplay\t\"'-1A\"\t\"'@\"\n");
}

}  // namespace
}  // namespace rp770
