#include "files/DatReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "core/Codecs.h"
#include "files/IniValue.h"
#include "files/SettingsTextKeys.h"
#include "files/ValueText.h"

namespace rp770 {

namespace {

// Fetches values of one section and converts them into fields.
class SectionReader {
public:
    SectionReader(const SectionTable& table, std::string_view section) : table_(table), first_(table.Find(section)) {}
    // Section prefix + number ("CHUSA" + 12), named without building a string.
    SectionReader(const SectionTable& table, std::string_view prefix, size_t number) : table_(table) {
        char name[48];  // a prefix of a few letters, and room for any number
        const size_t length = std::min(prefix.size(), sizeof name - 24);
        prefix.copy(name, length);
        const char* end = std::to_chars(name + length, name + sizeof name, number).ptr;
        first_ = table.Find(std::string_view(name, static_cast<size_t>(end - name)));
    }

    std::string_view Raw(std::string_view key) const { return table_.Lookup(first_, key); }
    void Flag(std::string_view key, bool& field) const { Convert(key, field, ToBoolean); }
    void Int16(std::string_view key, int16_t& field) const { Convert(key, field, ToInt16); }
    void Int32(std::string_view key, int32_t& field) const { Convert(key, field, ToInt32); }
    void Frequency(std::string_view key, double& field) const { Convert(key, field, ToDouble); }
    void Text(std::string_view key, std::string& field) const { field.assign(Raw(key)); }

private:
    // An empty value (a missing key or section among them) converts to
    // nothing, so it is not offered to the converter.
    template <typename T, typename Converter>
    void Convert(std::string_view key, T& field, Converter convert) const {
        const std::string_view raw = Raw(key);
        if (raw.empty()) return;
        if (const auto v = convert(raw)) field = *v;
    }

    const SectionTable& table_;
    size_t first_;  // the first section of the name
};

void ApplyGroups(const SectionTable& table, DataSet& data) {
    const SectionReader in(table, dat::Groups);
    const std::vector<std::string> usableKeys = SplitList(dat::UsableKeyList);
    for (int g = 0; g < kGroupCount; ++g) in.Flag(usableKeys[static_cast<size_t>(g)], data.groups[static_cast<size_t>(g)].Usable);
    for (int g = 0; g < kGroupCount; ++g) in.Int32(dat::PriorityKey(g), data.groups[static_cast<size_t>(g)].PriorityChannel);
}

void ApplyCommon(const SectionTable& table, CommonSetup& c) {
    const SectionReader in(table, dat::Common);
    in.Int16(dat::TxPoDisplay, c.TxPoDisplay);
    in.Flag(dat::Scan, c.Scan);
    in.Int16(dat::ResumeTime, c.ResumeTime);
    in.Flag(dat::PttScanClear, c.PttScanClear);
    in.Flag(dat::DualWatch, c.DualWatch);
    in.Int16(dat::OffsetTime, c.OffsetTime);
    in.Flag(dat::TimeDisplay, c.TimeDisplay);
    in.Int16(dat::WeatherAlert, c.WeatherAlert);
}

void ApplyAtis(const SectionTable& table, AtisSettings& atis) {
    const SectionReader in(table, dat::Atis);
    for (int i = 0; i < 4; ++i) in.Flag(dat::AtisGroupKey(i), atis.AtisGroups[static_cast<size_t>(i)]);
    in.Text(dat::AtisCode, atis.AtisCode);
}

// Sections prefix + 0, 1, 2, ... until one has no "Position"; each names
// the slot it applies to. Slots outside the plan are skipped.
void ApplyPlan(const SectionTable& table, const char* prefix, PlanArray& records) {
    for (size_t n = 0;; ++n) {
        const SectionReader in(table, prefix, n);
        const std::string_view position = in.Raw(dat::Position);
        if (position.empty()) return;
        const double slot = std::nearbyint(LeadingValue(position));
        if (!(slot >= 0 && slot < static_cast<double>(records.size()))) continue;
        ChannelRecord& r = records[static_cast<size_t>(slot)];
        r.Position = static_cast<int16_t>(slot);
        in.Flag(dat::Enable, r.Enable);
        in.Flag(dat::LowPower, r.LowPower);
        in.Flag(dat::PowUp, r.PowUp);
        in.Flag(dat::Duplex, r.Duplex);
        r.Duplex = r.Duplex && r.DuplexAllowed;
        in.Flag(dat::TxEnable, r.TxEnable);
        in.Flag(dat::DispayA, r.DispayA);
        in.Flag(dat::ScanMemory, r.ScanMemory);
        in.Text(dat::ChTag, r.ChTag);
    }
}

void ApplyWx(const SectionTable& table, std::vector<ChannelRecord>& wx) {
    for (size_t k = 0; k < wx.size(); ++k) {
        const SectionReader in(table, dat::WxPrefix, k);
        in.Flag(dat::Enable, wx[k].Enable);
        in.Flag(dat::ScanMemory, wx[k].ScanMemory);
        in.Text(dat::ChTag, wx[k].ChTag);
    }
}

void ApplyExp(const SectionTable& table, DataSet& data) {
    for (int n = 1; n <= kExpChannels; ++n) {
        ChannelRecord& r = data.exp[static_cast<size_t>(n)];
        const SectionReader in(table, dat::ExpPrefix, static_cast<size_t>(n));
        in.Flag(dat::Enable, r.Enable);
        in.Text(dat::CHDisplayL, r.CHDisplayL);
        in.Text(dat::CHDisplayR, r.CHDisplayR);
        in.Frequency(dat::Rxfreq, r.Rxfreq);
        in.Frequency(dat::Txfreq, r.Txfreq);
        in.Flag(dat::LowPower, r.LowPower);
        in.Flag(dat::PowUp, r.PowUp);
        in.Flag(dat::ScanMemory, r.ScanMemory);
        in.Text(dat::ChTag, r.ChTag);
    }
}

}  // namespace

bool ModelTypeMatches(std::string_view fileText, int modelNumber) {
    const auto value = ToDouble(ReadIniValueFromText(fileText, dat::Main, dat::ModelType));
    return value && *value == static_cast<double>(modelNumber);
}

void ApplySections(const SectionTable& table, DataSet& data) {
    ApplyGroups(table, data);
    ApplyCommon(table, data.common);
    if (data.flags.atis) ApplyAtis(table, data.atis);
    for (int p = 0; p < kPlanCount; ++p) ApplyPlan(table, dat::PlanPrefix[p], data.plan(p));
    ApplyWx(table, data.wx);
    ApplyExp(table, data);
}

}  // namespace rp770
