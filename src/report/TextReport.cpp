#include "report/TextReport.h"

#include <string_view>

#include "core/Codecs.h"
#include "report/ReportCells.h"

namespace rp770 {

namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr int kLabelWidth = 35;
constexpr int kValueWidth = 18;

// The report text, grown one line at a time.
class Listing {
public:
    void Add(std::string_view line) {
        if (!text_.empty()) text_ += kLineBreak;
        text_ += line;
    }
    void AddEmpty() { Add({}); }
    std::string Take() { return std::move(text_); }

private:
    std::string text_;
};

std::string Label(std::string_view label) { return PadRight(label, kLabelWidth); }
std::string Value(std::string_view value) { return PadRight(value, kValueWidth); }

void AddChannelGroups(Listing& out, const DataSet& data) {
    out.Add("##### Common Setup #####");
    out.Add("[Usable Channel Group Setup]");
    out.Add(Label("") + Value("USA") + Value("INT") + Value("CAN") + Value("EXP CH"));
    std::string usable = Label("Enable");
    for (const ChannelGroup& group : data.groups) usable += Value(OnOffLabel(group.Usable));
    out.Add(usable);
    std::string priority = Label("Priority CH");
    for (int p = 0; p < kPlanCount; ++p)
        priority += Value(ChannelLabel(data.groups[static_cast<size_t>(p)].PriorityChannel));
    out.Add(priority);
}

void AddCommonSetup(Listing& out, const DataSet& data) {
    const CommonSetup& c = data.common;
    out.Add("[Starting TX Mode]");
    out.Add(Label("TX Po Display:") + PadRight(TxPoDisplayLabel(c.TxPoDisplay), kLabelWidth));
    out.AddEmpty();
    out.Add("[Scanning Function]");
    out.Add(Label("SCAN:") + Value(OnOffLabel(c.Scan)));
    out.Add(Label("Resume Time:") + Value(ResumeTimeLabel(c.ResumeTime)));
    out.Add(Label("PTT SCAN Clear:") + Value(OnOffLabel(c.PttScanClear)));
    out.Add(Label("Dual Watch:") + Value(OnOffLabel(c.DualWatch)));
    out.AddEmpty();
    if (data.flags.wa) {
        out.Add("[Weather CH Function]");
        out.Add(Label("Weather Alert:") + PadRight(WeatherAlertLabel(c.WeatherAlert), kLabelWidth));
    }
}

void AddAtis(Listing& out, const DataSet& data) {
    out.Add("[ATIS Setup]");
    std::string names = Label("");
    for (const ChannelGroup& group : data.groups) names += Value(group.Name);
    out.Add(names);
    std::string usable = Label("Usable ATIS CH Group:");
    for (bool on : data.atis.AtisGroups) usable += Value(OnOffLabel(on));
    out.Add(usable);
    out.Add(Label("ATIS Code:") + Value(data.atis.AtisCode));
}

constexpr const char* kPlanTitles[kPlanCount] = {
    "##### Programmable USA Channel #####",
    "##### Programmable International Channel #####",
    "##### Programmable Canada Channel #####",
};
constexpr int kRegularWidths[kRegularCells] = {5, 9, 9, 4, 5, 4, 5, 5};

void AddPlan(Listing& out, const DataSet& data, int plan) {
    out.AddEmpty();
    out.Add(kPlanTitles[plan]);
    out.Add("CH   RX(MHz)  TX(MHz)  TX  LOW  UP  DUP  MEM");
    out.Add("---  -------  -------  --  ---  --  ---  ---");
    for (const ChannelRecord& record : data.plan(plan)) {
        if (!record.Enable) continue;
        const auto cells = RegularRowCells(record);
        std::string row;
        for (int i = 0; i < kRegularCells; ++i)
            if (cells[static_cast<size_t>(i)]) row += PadRight(*cells[static_cast<size_t>(i)], kRegularWidths[i]);
        out.Add(row);
    }
}

constexpr int kWxWidths[kWxCells] = {4, 8, 5};

void AddWx(Listing& out, const DataSet& data) {
    out.AddEmpty();
    out.Add("##### Programmable Wx Channel #####");
    out.Add("CH  ENABLE  MEM");
    out.Add("--  ------  ---");
    // A data set that lacks some WX records leaves their rows out.
    for (int k = 0; k < kWxChannels && k < static_cast<int>(data.wx.size()); ++k) {
        const auto cells = WxRowCells(k, data.wx[static_cast<size_t>(k)]);
        std::string row;
        for (int i = 0; i < kWxCells; ++i) row += PadRight(cells[static_cast<size_t>(i)], kWxWidths[i]);
        out.Add(row);
    }
}

constexpr int kExpWidths[kExpCells] = {4, 5, 8, 10, 10, 5, 4, 5};

void AddExp(Listing& out, const DataSet& data) {
    out.AddEmpty();
    out.Add("##### Programmable Exp Channel #####");
    out.Add("CH  CHD  ENABLE  RX(MHz)   TX(MHz)   LOW  UP  MEM");
    out.Add("--  ---  ------  --------  --------  ---  --  ---");
    for (int n = 1; n <= kExpChannels; ++n) {
        const auto cells = ExpRowCells(n, data.exp[static_cast<size_t>(n)]);
        std::string row;
        for (int i = 0; i < kExpCells; ++i) row += PadRight(cells[static_cast<size_t>(i)], kExpWidths[i]);
        out.Add(row);
    }
}

}  // namespace

std::string BuildTextReport(const DataSet& data) {
    Listing out;
    AddChannelGroups(out, data);
    AddCommonSetup(out, data);
    if (data.flags.atis) AddAtis(out, data);
    for (int plan = 0; plan < kPlanCount; ++plan) AddPlan(out, data, plan);
    if (data.flags.wx) AddWx(out, data);
    AddExp(out, data);
    return out.Take();
}

std::string ReportFileText(const DataSet& data) { return BuildTextReport(data) + std::string(kLineBreak); }

}  // namespace rp770
