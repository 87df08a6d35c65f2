#include "workspace/DataDiff.h"

#include <algorithm>
#include <utility>

#include "core/Codecs.h"
#include "files/CsvText.h"
#include "workspace/Edits.h"

namespace rp770 {

namespace {

std::string OnOff(bool on) { return on ? "on" : "off"; }
std::string Text(const std::string& text) { return "\"" + ValidUtf8(text) + "\""; }
std::string Frequency(double mhz) { return mhz > 0 ? FreqDigits(mhz, 4) : "none"; }

class Differences {
public:
    std::vector<Difference> list;

    void Add(const std::string& area, const std::string& channel, const std::string& field, const std::string& a,
             const std::string& b) {
        if (a != b) list.push_back({area, channel, field, a, b});
    }
    void Add(const std::string& area, const std::string& channel, const std::string& field, bool a, bool b) {
        Add(area, channel, field, OnOff(a), OnOff(b));
    }
    // A number shown by its label ("3Sec"), or as itself where the label
    // says nothing or would hide the difference.
    template <typename Label>
    void AddNumber(const std::string& area, const std::string& channel, const std::string& field, int64_t a,
                   int64_t b, Label label) {
        if (a == b) return;
        std::string la = label(a), lb = label(b);
        const auto number = [](const std::string& l, int64_t v) {
            return l.empty() ? std::to_string(v) : l + " (" + std::to_string(v) + ")";
        };
        if (la.empty() || lb.empty() || la == lb) {
            la = number(la, a);
            lb = number(lb, b);
        }
        Add(area, channel, field, la, lb);
    }

    void Channel(const DataSet& da, const DataSet& db, ChannelRef ref) {
        const ChannelRecord& a = *FindRecord(da, ref);
        const ChannelRecord& b = *FindRecord(db, ref);
        const std::string area = AreaName(ref.area), channel = TableChannelName(da, ref);
        // The switches the area has, as the editor and the table show them.
        const std::pair<ChannelFlag, const char*> flags[] = {
            {ChannelFlag::Enable, "Enable"},       {ChannelFlag::Scan, "Scan"},
            {ChannelFlag::Duplex, "Duplex"},       {ChannelFlag::TxEnable, "TX Enable"},
            {ChannelFlag::LowPower, "Low Power"},  {ChannelFlag::PowerUp, "Power Up"},
        };
        for (const auto& [flag, field] : flags)
            if (HasFlag(ref.area, flag)) Add(area, channel, field, FlagValue(a, flag), FlagValue(b, flag));
        if (IsPlan(ref.area)) Add(area, channel, "Display A", a.DispayA, b.DispayA);
        if (ref.area == Area::EXP) {
            Add(area, channel, "Display", Text(ExpDisplayCell(a.CHDisplayL, a.CHDisplayR)),
                Text(ExpDisplayCell(b.CHDisplayL, b.CHDisplayR)));
            Add(area, channel, "RX", Frequency(a.Rxfreq), Frequency(b.Rxfreq));
            Add(area, channel, "TX", Frequency(a.Txfreq), Frequency(b.Txfreq));
        }
        Add(area, channel, "Tag", Text(a.ChTag), Text(b.ChTag));
    }
};

}  // namespace

std::vector<Difference> CompareDataSets(const DataSet& a, const DataSet& b) {
    Differences d;
    for (int g = 0; g < kGroupCount; ++g) {
        const auto& ga = a.groups[static_cast<size_t>(g)];
        const auto& gb = b.groups[static_cast<size_t>(g)];
        d.Add("Groups", GroupName(g), "Usable", ga.Usable, gb.Usable);
        if (g < kPlanCount)
            d.AddNumber("Groups", GroupName(g), "Priority CH", ga.PriorityChannel, gb.PriorityChannel,
                        [](int64_t v) { return ChannelLabel(v); });
    }

    const CommonSetup& ca = a.common;
    const CommonSetup& cb = b.common;
    const auto label = [](std::string (*f)(int)) { return [f](int64_t v) { return f(static_cast<int>(v)); }; };
    const auto none = [](int64_t) { return std::string(); };
    d.AddNumber("Common", "", "TX Po Display", ca.TxPoDisplay, cb.TxPoDisplay, label(TxPoDisplayLabel));
    d.Add("Common", "", EnglishWords(CommonCaptionId(CommonField::Scan)), ca.Scan, cb.Scan);
    d.AddNumber("Common", "", EnglishWords(CommonCaptionId(CommonField::ResumeTime)), ca.ResumeTime, cb.ResumeTime,
                label(ResumeTimeLabel));
    d.Add("Common", "", EnglishWords(CommonCaptionId(CommonField::PttScanClear)), ca.PttScanClear, cb.PttScanClear);
    d.Add("Common", "", EnglishWords(CommonCaptionId(CommonField::DualWatch)), ca.DualWatch, cb.DualWatch);
    d.AddNumber("Common", "", EnglishWords(CommonCaptionId(CommonField::WeatherAlert)), ca.WeatherAlert, cb.WeatherAlert,
                label(WeatherAlertLabel));
    d.Add("Common", "", "Time Display", ca.TimeDisplay, cb.TimeDisplay);
    d.AddNumber("Common", "", "Offset Time", ca.OffsetTime, cb.OffsetTime, none);

    if (a.flags.atis || b.flags.atis) {
        d.Add("ATIS", "", "Code", Text(a.atis.AtisCode), Text(b.atis.AtisCode));
        for (int g = 0; g < kGroupCount; ++g)
            d.Add("ATIS", GroupName(g), "Usable", a.atis.AtisGroups[static_cast<size_t>(g)],
                  b.atis.AtisGroups[static_cast<size_t>(g)]);
    }

    for (int plan = 0; plan < kPlanCount; ++plan)
        for (int slot = 0; slot < kPlanSlots; ++slot) d.Channel(a, b, PlanChannel(plan, slot));
    if (a.flags.wx || b.flags.wx)
        for (int k = 0; k < static_cast<int>(std::min(a.wx.size(), b.wx.size())); ++k) d.Channel(a, b, {Area::WX, k});
    for (int n = 1; n <= kExpChannels; ++n) d.Channel(a, b, {Area::EXP, n});
    return d.list;
}

std::string DifferenceLine(const Difference& difference) {
    return difference.area + (difference.channel.empty() ? "" : " " + difference.channel) + ": " + difference.field +
           " " + difference.a + " -> " + difference.b;
}

namespace {

// "-5", "157.0125": a number, which a spreadsheet takes as a number.
bool IsNumber(std::string_view cell) {
    if (!cell.empty() && cell.front() == '-') cell.remove_prefix(1);
    const size_t point = cell.find('.');
    const std::string_view whole = cell.substr(0, point), part = point == std::string_view::npos ? "" : cell.substr(point + 1);
    const auto digits = [](std::string_view t) { return std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }); };
    return !whole.empty() && digits(whole) && digits(part) && (point == std::string_view::npos || !part.empty());
}

std::string SpreadsheetCell(const std::string& cell) {
    if (IsNumber(cell)) return cell;
    // A spreadsheet reads a quoted cell without its quotes: the text inside is the cell.
    if (cell.size() >= 2 && cell.front() == '"' && cell.back() == '"')
        return "\"" + SpreadsheetText(std::string_view(cell).substr(1, cell.size() - 2)) + "\"";
    return SpreadsheetText(cell);
}

}  // namespace

std::string DifferencesForSpreadsheet(const std::vector<Difference>& differences) {
    std::string text = "Area\tChannel\tField\tThis\tOther\n";
    for (const Difference& d : differences) {
        const std::string cells[] = {d.area, d.channel, d.field, d.a, d.b};
        for (size_t i = 0; i < std::size(cells); ++i) text += (i ? "\t" : "") + SpreadsheetCell(cells[i]);
        text += "\n";
    }
    return text;
}

}  // namespace rp770
