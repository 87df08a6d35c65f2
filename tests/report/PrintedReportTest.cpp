// The printed report on the recording surface: pages, lines and positions.
#include <gtest/gtest.h>

#include <algorithm>

#include "report/PrintColumns.h"
#include "report/PrintedReport.h"
#include "report/RecordingSurface.h"
#include "report/ReportData.h"

namespace rp770 {
namespace {

using testing::FactoryData;
using testing::SmallData;

// The lines of one page: the non-empty texts of each line joined by "|"; a
// line ends where a text ends it, so empty lines show as "".
std::vector<std::string> PageLines(const RecordingSurface& surface, int page) {
    std::vector<std::string> lines;
    std::string line;
    for (const RecordedText& t : surface.Texts()) {
        if (t.page != page) continue;
        if (!t.text.empty()) line += (line.empty() ? "" : "|") + t.text;
        if (t.endLine) {
            lines.push_back(line);
            line.clear();
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

const RecordedText* FindText(const RecordingSurface& surface, int page, const std::string& text) {
    for (const RecordedText& t : surface.Texts())
        if (t.page == page && t.text == text) return &t;
    return nullptr;
}

double Twips(int columnMm) { return (columnMm + 10) * 56.7; }

using Lines = std::vector<std::string>;

Lines PageHead() { return {"MR318 Velloran", ""}; }

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<std::string> kRegularHeads = {"CH|RX(MHz)|TX(MHz)|TX|LOW|UP|DUP|MEM",
                                                "---|-------|-------|--|---|--|---|---"};

TEST(PrintedReport, AllFlagsOnGivesSevenPagesLineByLine) {
    DataSet data = SmallData({true, true, true});
    RecordingSurface surface;
    PrintReport(data, surface);
    ASSERT_EQ(surface.PageCount(), 7);
    EXPECT_TRUE(surface.Ended());

    const Lines setup = PageHead() + Lines{"", "##### Common Setup #####", "[Usable Channel Group]",
                                           "Group1|Group2|Group3|Exp CH", "Enable|On|Off|On|Off",
                                           "Priority CH|16|01|EXP6", "[Starting TX Mode]",
                                           "TX Po Display:|Lo Po on Changing CH", "", "[Scanning Function]",
                                           "SCAN:|On", "Resume Time:|2Sec", "PTT SCAN Clear:|Off", "Dual Watch:|On",
                                           "", "[Weather CH Function]", "Weather Alert:|On Wx"};
    EXPECT_EQ(PageLines(surface, 1), setup);
    const Lines atis = {"", "[ATIS Setup]", "USA|INT|CAN|EXP", "Usable ATIS CH Group:|On|Off|On|Off",
                        "ATIS Code:|123456789", ""};
    EXPECT_EQ(PageLines(surface, 2), atis) << "the ATIS part has a page of its own, without a header";
    const Lines usa = PageHead() + Lines{"##### Programmable USA Channel #####"} + kRegularHeads +
                      Lines{"01A|156.050|156.050|--|LOW|--|---|---", "16|156.800|156.800|TX|---|UP|---|MEM"};
    EXPECT_EQ(PageLines(surface, 3), usa);
    const Lines intl = PageHead() + Lines{"##### Programmable International Channel #####"} + kRegularHeads;
    EXPECT_EQ(PageLines(surface, 4), intl) << "a plan without enabled channels: header, title and headings only";
    const Lines can = PageHead() + Lines{"##### Programmable Canada Channel #####"} + kRegularHeads +
                      Lines{"01|160.650|156.050|TX|---|--|DUP|---", "15|156.750|---.---|--|---|--|---|---",
                            "88A|157.425|157.425|TX|LOW|UP|---|MEM"};
    EXPECT_EQ(PageLines(surface, 5), can);
    Lines wx = PageHead() + Lines{"##### Programmable WX Channel #####",
                                                                         "CH|ENABLE|MEM", "--|-----|---", "1|ENABLE|MEM"};
    for (int k = 2; k <= 9; ++k) wx.push_back(std::to_string(k) + "|ENABLE|---");
    wx.push_back("10|------|MEM");
    EXPECT_EQ(PageLines(surface, 6), wx);
    Lines exp =
        PageHead() + Lines{"##### Programmable EXP Channel #####",
                                              "CH|CHD|ENABLE|RX(MHz)|TX(MHz)|LOW|UP|MEM",
                                              "--|---|------|--------|--------|---|--|---",
                                              "1| 7 |ENABLE|156.8000|156.8000|LOW|--|MEM",
                                              "2|ABC|------|156.0100|156.0125|---|UP|---"};
    for (int n = 3; n <= 20; ++n) exp.push_back(std::to_string(n) + "|   |------|---.----|---.----|---|--|---");
    EXPECT_EQ(PageLines(surface, 7), exp);
}

TEST(PrintedReport, AllFlagsOffGivesFivePages) {
    DataSet data = FactoryData({false, false, false});
    RecordingSurface surface;
    PrintReport(data, surface);
    ASSERT_EQ(surface.PageCount(), 5);
    const char* titles[] = {"##### Common Setup #####", "##### Programmable USA Channel #####",
                            "##### Programmable International Channel #####", "##### Programmable Canada Channel #####",
                            "##### Programmable EXP Channel #####"};
    for (int page = 1; page <= 5; ++page) {
        const auto texts = surface.TextsOnPage(page);
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts[0].text, "MR318 Velloran") << page;
        EXPECT_DOUBLE_EQ(texts[0].x, 567);
        EXPECT_DOUBLE_EQ(texts[0].y, 283.5) << "5 mm from the top";
        EXPECT_NE(FindText(surface, page, titles[page - 1]), nullptr) << page;
    }
    const auto setup = PageLines(surface, 1);
    EXPECT_EQ(setup.back(), "") << "without the weather alert the setup page ends with the empty line";
    EXPECT_EQ(FindText(surface, 1, "[ATIS Setup]"), nullptr);
    EXPECT_EQ(FindText(surface, 1, "[Weather CH Function]"), nullptr);
}

TEST(PrintedReport, ValuesAndGroupColumnsSitAtTheirMillimetres) {
    DataSet data = SmallData({true, true, true});
    RecordingSurface surface;
    PrintReport(data, surface);
    const RecordedText* scan = FindText(surface, 1, "SCAN:");
    ASSERT_NE(scan, nullptr);
    EXPECT_DOUBLE_EQ(scan->x, 567) << "10 mm margin";
    const auto line = surface.TextsOnPage(1);
    const auto value = std::find_if(line.begin(), line.end(), [&](const RecordedText& t) { return t.y == scan->y && t.text == "On"; });
    ASSERT_NE(value, line.end());
    EXPECT_EQ(value->x, 3402) << "column 50 is 60 mm from the printable edge";

    const int groupColumns[] = {50, 80, 110, 140};
    const char* heads[] = {"Group1", "Group2", "Group3", "Exp CH"};
    const char* names[] = {"USA", "INT", "CAN", "EXP"};
    for (int g = 0; g < 4; ++g) {
        const RecordedText* head = FindText(surface, 1, heads[g]);
        ASSERT_NE(head, nullptr);
        EXPECT_DOUBLE_EQ(head->x, Twips(groupColumns[g]));
        const RecordedText* name = FindText(surface, 2, names[g]);
        ASSERT_NE(name, nullptr);
        EXPECT_DOUBLE_EQ(name->x, Twips(groupColumns[g]));
    }
}

TEST(PrintedReport, ListCellsSitAtTheirColumnsOnOneLine) {
    DataSet data = SmallData({true, true, true});
    RecordingSurface surface;
    PrintReport(data, surface);
    struct Case {
        int page;
        std::string firstCell;
        std::vector<int> columns;
        size_t cells;
    };
    for (const Case& c : {Case{3, "16", {0, 12, 29, 46, 54, 63, 71, 80}, 8}, Case{6, "10", {0, 9, 28}, 3},
                          Case{7, "2", {0, 7, 17, 34, 53, 72, 82, 89}, 8}}) {
        const auto texts = surface.TextsOnPage(c.page);
        const auto first = std::find_if(texts.begin(), texts.end(), [&](const RecordedText& t) { return t.text == c.firstCell; });
        ASSERT_NE(first, texts.end()) << c.page;
        ASSERT_GE(static_cast<size_t>(texts.end() - first), c.cells);
        for (size_t i = 0; i < c.cells; ++i) {
            EXPECT_DOUBLE_EQ(first[static_cast<long>(i)].x, Twips(c.columns[i])) << c.page << " cell " << i;
            EXPECT_DOUBLE_EQ(first[static_cast<long>(i)].y, first->y) << c.page << " cell " << i;
        }
    }
}

TEST(PrintedReport, LongListRunsOntoFurtherPages) {
    DataSet data = SmallData({false, false, false});
    for (auto& r : data.plan(PlanUSA)) r.Enable = true;
    // 30 lines of 240 twips to the page.
    RecordingSurface surface(30 * 240);
    PrintReport(data, surface);
    // USA page: header at 283.5, 4 more lines, then 23 rows down to 6763.5;
    // the other 91 rows fill three more pages and one row of a fourth.
    EXPECT_EQ(surface.PageCount(), 9);
    EXPECT_NE(FindText(surface, 2, "##### Programmable USA Channel #####"), nullptr);
    const auto usa = surface.TextsOnPage(2);
    EXPECT_EQ(usa.back().text, "---") << "the MEM cell of the 23rd row";
    const auto next = surface.TextsOnPage(3);
    ASSERT_FALSE(next.empty());
    EXPECT_EQ(next[0].text, "12A") << "the 24th slot continues at the top";
    EXPECT_DOUBLE_EQ(next[0].y, 0);
    EXPECT_DOUBLE_EQ(next[0].x, 567);
    EXPECT_DOUBLE_EQ(next[1].y, 0) << "the rest of the row stays on its line";
    EXPECT_NE(FindText(surface, 7, "##### Programmable International Channel #####"), nullptr);
    EXPECT_NE(FindText(surface, 9, "##### Programmable EXP Channel #####"), nullptr);
}

TEST(PrintedReport, RecordOutsideTheBaseTableLosesOnlyItsTableCells) {
    DataSet data = SmallData({false, false, false});
    data.plan(PlanUSA)[30].Position = -3;
    RecordingSurface surface;
    PrintReport(data, surface);
    const auto lines = PageLines(surface, 2);
    EXPECT_EQ(lines.back(), "TX|---|UP|---|MEM");
    const RecordedText* tx = FindText(surface, 2, "TX");
    ASSERT_NE(tx, nullptr);
    EXPECT_DOUBLE_EQ(tx->x, Twips(46));
}

TEST(RecordingSurface, KeepsPositionsAndIgnoresOutputAfterTheEnd) {
    RecordingSurface surface(0, 100, 200);
    surface.SetCurrentX(500);
    surface.SetCurrentY(50);
    surface.Print("abc", false);
    EXPECT_DOUBLE_EQ(surface.CurrentX(), 800);
    surface.Print("d", true);
    EXPECT_DOUBLE_EQ(surface.CurrentX(), 0);
    EXPECT_DOUBLE_EQ(surface.CurrentY(), 250);
    surface.NewPage();
    EXPECT_DOUBLE_EQ(surface.CurrentY(), 0);
    surface.Print("e", true);
    surface.EndDoc();
    surface.Print("late", true);
    surface.NewPage();
    ASSERT_EQ(surface.Texts().size(), 3u);
    EXPECT_EQ(surface.Texts()[1].x, 800);
    EXPECT_EQ(surface.Texts()[2].page, 2);
    EXPECT_EQ(surface.PageCount(), 2);
}

}  // namespace
}  // namespace rp770
