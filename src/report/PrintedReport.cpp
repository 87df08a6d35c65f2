#include "report/PrintedReport.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/Codecs.h"
#include "core/Titles.h"
#include "report/PrintColumns.h"
#include "report/ReportCells.h"

namespace rp770 {

namespace {

constexpr double kHeaderTopTwips = 283.5;  // 5 mm from the top
constexpr int kValueColumn = 50;
constexpr std::array<int, kGroupCount> kGroupColumns = {50, 80, 110, 140};
constexpr std::string_view kGroupHeadList = "Group1, Group2, Group3, Exp CH";

// Draws cells at millimetre columns and ends lines.
class Pen {
public:
    explicit Pen(PrintSurface& surface) : surface_(surface) {}

    void Cell(int columnMm, std::string_view text, bool endLine = false) {
        surface_.SetCurrentX(ColumnTwips(columnMm));
        surface_.Print(text, endLine);
    }
    // An empty cell at column 0 that ends the line; at the start of a line
    // it leaves an empty line.
    void EndLine() { Cell(0, {}, true); }
    void Line(std::string_view text) {
        Cell(0, text);
        EndLine();
    }
    void LabelValue(std::string_view label, std::string_view value) {
        Cell(0, label);
        Cell(kValueColumn, value);
        EndLine();
    }
    // One row of a list: each cell at its column, the last one drawn ending
    // the line. Missing cells are left out.
    template <typename Cells>
    void Row(const std::vector<int>& columns, const Cells& cells) {
        int last = -1;
        for (size_t i = 0; i < cells.size() && i < columns.size(); ++i)
            if (Present(cells[i])) last = static_cast<int>(i);
        if (last < 0) {
            EndLine();
            return;
        }
        for (size_t i = 0; i <= static_cast<size_t>(last); ++i)
            if (Present(cells[i])) Cell(columns[i], Text(cells[i]), static_cast<int>(i) == last);
    }
    void NewPage() { surface_.NewPage(); }
    void EndDoc() { surface_.EndDoc(); }
    void MoveToY(double twips) { surface_.SetCurrentY(twips); }

private:
    static bool Present(const std::string&) { return true; }
    static bool Present(const ReportCell& cell) { return cell.has_value(); }
    static std::string_view Text(const std::string& cell) { return cell; }
    static std::string_view Text(const ReportCell& cell) { return *cell; }

    PrintSurface& surface_;
};

void PageHeader(Pen& pen, const DataSet& data) {
    pen.MoveToY(kHeaderTopTwips);
    pen.Line(PageHeaderTitle(data.modelNumber));
    pen.EndLine();
}

void ChannelGroups(Pen& pen, const DataSet& data) {
    pen.EndLine();
    pen.Line("##### Common Setup #####");
    pen.Line("[Usable Channel Group]");
    const std::vector<std::string> heads = SplitList(kGroupHeadList);
    for (size_t g = 0; g < heads.size() && g < kGroupColumns.size(); ++g) pen.Cell(kGroupColumns[g], heads[g]);
    pen.EndLine();
    pen.Cell(0, "Enable");
    for (size_t g = 0; g < kGroupColumns.size(); ++g) pen.Cell(kGroupColumns[g], OnOffLabel(data.groups[g].Usable));
    pen.EndLine();
    pen.Cell(0, "Priority CH");
    for (size_t p = 0; p < kPlanCount; ++p) pen.Cell(kGroupColumns[p], ChannelLabel(data.groups[p].PriorityChannel));
    pen.EndLine();
}

void CommonSetupPart(Pen& pen, const DataSet& data) {
    const CommonSetup& c = data.common;
    pen.Line("[Starting TX Mode]");
    pen.LabelValue("TX Po Display:", TxPoDisplayLabel(c.TxPoDisplay));
    pen.EndLine();
    pen.Line("[Scanning Function]");
    pen.LabelValue("SCAN:", OnOffLabel(c.Scan));
    pen.LabelValue("Resume Time:", ResumeTimeLabel(c.ResumeTime));
    pen.LabelValue("PTT SCAN Clear:", OnOffLabel(c.PttScanClear));
    pen.LabelValue("Dual Watch:", OnOffLabel(c.DualWatch));
    pen.EndLine();
    if (data.flags.wa) {
        pen.Line("[Weather CH Function]");
        pen.LabelValue("Weather Alert:", WeatherAlertLabel(c.WeatherAlert));
    }
}

void AtisPart(Pen& pen, const DataSet& data) {
    pen.EndLine();
    pen.Line("[ATIS Setup]");
    for (size_t g = 0; g < kGroupColumns.size(); ++g) pen.Cell(kGroupColumns[g], data.groups[g].Name);
    pen.EndLine();
    pen.Cell(0, "Usable ATIS CH Group:");
    for (size_t i = 0; i < kGroupColumns.size(); ++i) pen.Cell(kGroupColumns[i], OnOffLabel(data.atis.AtisGroups[i]));
    pen.EndLine();
    pen.LabelValue("ATIS Code:", data.atis.AtisCode);
    pen.EndLine();
}

void Headings(Pen& pen, const std::vector<int>& columns, const std::vector<std::string>& words,
              const std::vector<int>& dashes) {
    pen.Row(columns, words);
    std::vector<std::string> rules;
    for (int n : dashes) rules.emplace_back(static_cast<size_t>(n), '-');
    pen.Row(columns, rules);
}

constexpr const char* kPlanTitles[kPlanCount] = {
    "##### Programmable USA Channel #####",
    "##### Programmable International Channel #####",
    "##### Programmable Canada Channel #####",
};

void PlanList(Pen& pen, const DataSet& data, int plan) {
    pen.Cell(0, kPlanTitles[plan], true);
    Headings(pen, RegularColumns(), {"CH", "RX(MHz)", "TX(MHz)", "TX", "LOW", "UP", "DUP", "MEM"},
             {3, 7, 7, 2, 3, 2, 3, 3});
    for (const ChannelRecord& record : data.plan(plan))
        if (record.Enable) pen.Row(RegularColumns(), RegularRowCells(record));
}

void WxList(Pen& pen, const DataSet& data) {
    pen.Cell(0, "##### Programmable WX Channel #####", true);
    Headings(pen, WxColumns(), {"CH", "ENABLE", "MEM"}, {2, 5, 3});
    for (int k = 0; k < kWxChannels && k < static_cast<int>(data.wx.size()); ++k)
        pen.Row(WxColumns(), WxRowCells(k, data.wx[static_cast<size_t>(k)]));
}

void ExpList(Pen& pen, const DataSet& data) {
    pen.Cell(0, "##### Programmable EXP Channel #####", true);
    Headings(pen, ExpColumns(), {"CH", "CHD", "ENABLE", "RX(MHz)", "TX(MHz)", "LOW", "UP", "MEM"},
             {2, 3, 6, 8, 8, 3, 2, 3});
    for (int n = 1; n <= kExpChannels; ++n) pen.Row(ExpColumns(), ExpRowCells(n, data.exp[static_cast<size_t>(n)]));
}

}  // namespace

std::string PageHeaderTitle(int modelNumber) { return ModelName(modelNumber) + " Velloran"; }

void PrintReport(const DataSet& data, PrintSurface& surface) {
    Pen pen(surface);
    PageHeader(pen, data);
    ChannelGroups(pen, data);
    CommonSetupPart(pen, data);
    if (data.flags.atis) {
        pen.NewPage();
        AtisPart(pen, data);
    }
    for (int plan = 0; plan < kPlanCount; ++plan) {
        pen.NewPage();
        PageHeader(pen, data);
        PlanList(pen, data, plan);
    }
    pen.NewPage();
    if (data.flags.wx) {
        PageHeader(pen, data);
        WxList(pen, data);
        pen.NewPage();
    }
    PageHeader(pen, data);
    ExpList(pen, data);
    pen.EndDoc();
}

}  // namespace rp770
