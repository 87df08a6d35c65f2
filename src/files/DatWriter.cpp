#include "files/DatWriter.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/Codecs.h"
#include "core/Titles.h"
#include "files/SettingsTextKeys.h"
#include "files/ValueText.h"

namespace rp770 {

namespace {

class TextBuilder {
public:
    void Section(std::string_view name) { Line("[", name, "]"); }
    void Flag(std::string_view key, bool value) { Line(key, "=", value ? "1" : "0"); }
    void Number(std::string_view key, int64_t value) { Line(key, "=", std::to_string(value)); }
    void Magnitude(std::string_view key, int64_t value) { Number(key, value < 0 ? -value : value); }
    void Frequency(std::string_view key, double mhz) { Line(key, "=", FormatFrequency(mhz)); }
    // "#" keeps leading spaces; a value never runs past its own line.
    void Text(std::string_view key, std::string_view value) { Line(key, "=#", SingleLine(value)); }
    void Display(std::string_view key, std::string_view value) { Line(key, "=", SingleLine(value)); }
    std::string Take() { return std::move(text_); }

private:
    static std::string_view SingleLine(std::string_view value) { return value.substr(0, value.find_first_of("\r\n")); }
    // Appended piece by piece: no line is built on its own first.
    void Line(std::string_view a, std::string_view b, std::string_view c) {
        text_ += a;
        text_ += b;
        text_ += c;
        text_ += "\r\n";
    }
    std::string text_;
};

void WriteRegularChannel(TextBuilder& out, const std::string& section, const ChannelRecord& r) {
    out.Section(section);
    out.Number(dat::Position, r.Position);
    out.Flag(dat::Enable, r.Enable);
    out.Flag(dat::LowPower, r.LowPower);
    out.Flag(dat::PowUp, r.PowUp);
    out.Flag(dat::Duplex, r.Duplex);
    out.Flag(dat::TxEnable, r.TxEnable);
    out.Flag(dat::DispayA, r.DispayA);
    out.Flag(dat::ScanMemory, r.ScanMemory);
    out.Text(dat::ChTag, r.ChTag);
}

}  // namespace

std::string FormatSettingsText(const DataSet& data) {
    TextBuilder out;
    out.Section("MAIN");
    out.Text("MODEL", ModelName(data.modelNumber));
    out.Text("TYPE", "QZP");
    out.Text("VERSION", "1.00");
    out.Number("MODELTYPE", data.modelNumber);

    out.Section(dat::Groups);
    const std::vector<std::string> usableKeys = SplitList(dat::UsableKeyList);
    for (int g = 0; g < kGroupCount; ++g) out.Flag(usableKeys[static_cast<size_t>(g)], data.groups[static_cast<size_t>(g)].Usable);
    for (int g = 0; g < kGroupCount; ++g) out.Magnitude(dat::PriorityKey(g), data.groups[static_cast<size_t>(g)].PriorityChannel);

    const CommonSetup& c = data.common;
    out.Section(dat::Common);
    out.Magnitude(dat::TxPoDisplay, c.TxPoDisplay);
    out.Flag(dat::Scan, c.Scan);
    out.Number(dat::ResumeTime, c.ResumeTime);
    out.Flag(dat::PttScanClear, c.PttScanClear);
    out.Flag(dat::DualWatch, c.DualWatch);
    out.Number(dat::OffsetTime, c.OffsetTime);
    out.Flag(dat::TimeDisplay, c.TimeDisplay);
    out.Magnitude(dat::WeatherAlert, c.WeatherAlert);

    if (data.flags.atis) {
        out.Section(dat::Atis);
        for (int i = 0; i < 4; ++i) out.Flag(dat::AtisGroupKey(i), data.atis.AtisGroups[static_cast<size_t>(i)]);
        out.Text(dat::AtisCode, data.atis.AtisCode);
    }

    for (int p = 0; p < kPlanCount; ++p) {
        const PlanArray& records = data.plan(p);
        for (size_t n = 0; n < records.size(); ++n)
            WriteRegularChannel(out, dat::PlanPrefix[p] + std::to_string(n), records[n]);
    }

    if (data.flags.wx) {
        for (size_t k = 0; k < data.wx.size(); ++k) {
            const ChannelRecord& r = data.wx[k];
            out.Section(dat::WxPrefix + std::to_string(k));
            out.Flag(dat::Enable, r.Enable);
            out.Flag(dat::ScanMemory, r.ScanMemory);
            out.Text(dat::ChTag, r.ChTag);
        }
    }

    for (int n = 1; n <= kExpChannels; ++n) {
        const ChannelRecord& r = data.exp[static_cast<size_t>(n)];
        out.Section(dat::ExpPrefix + std::to_string(n));
        out.Flag(dat::Enable, r.Enable);
        out.Display(dat::CHDisplayL, r.CHDisplayL);
        out.Display(dat::CHDisplayR, r.CHDisplayR);
        out.Frequency(dat::Rxfreq, r.Rxfreq);
        out.Frequency(dat::Txfreq, r.Txfreq);
        out.Flag(dat::LowPower, r.LowPower);
        out.Flag(dat::PowUp, r.PowUp);
        out.Flag(dat::ScanMemory, r.ScanMemory);
        out.Text(dat::ChTag, r.ChTag);
    }
    return out.Take();
}

}  // namespace rp770
