#include "workspace/Edits.h"

#include "core/ChannelTables.h"
#include "core/Codecs.h"
#include "core/DecimalText.h"
#include "files/ValueText.h"

namespace rp770 {

namespace {

constexpr std::u32string_view kDisplayLetters = U"AbCdEFHIKLMnoPQRStUy";
constexpr std::u32string_view kFrontOnlyLetters = U"KMQR";

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

template <typename Data, typename Record>
Record* Find(Data& data, ChannelRef ref) {
    if (IsPlan(ref.area)) {
        if (ref.index < 0 || ref.index >= kPlanSlots) return nullptr;
        return &data.plan(PlanOf(ref.area))[static_cast<size_t>(ref.index)];
    }
    if (ref.area == Area::WX) {
        if (ref.index < 0 || ref.index >= static_cast<int>(data.wx.size())) return nullptr;
        return &data.wx[static_cast<size_t>(ref.index)];
    }
    if (ref.index < 1 || ref.index > kExpChannels) return nullptr;
    return &data.exp[static_cast<size_t>(ref.index)];
}

}  // namespace

const ChannelRecord* FindRecord(const DataSet& data, ChannelRef ref) {
    return Find<const DataSet, const ChannelRecord>(data, ref);
}

ChannelRecord* FindRecord(DataSet& data, ChannelRef ref) { return Find<DataSet, ChannelRecord>(data, ref); }

std::string ChannelName(const DataSet& data, ChannelRef ref) {
    const ChannelRecord* record = FindRecord(data, ref);
    if (IsPlan(ref.area)) {
        const int position = record ? record->Position : ref.index;
        if (position < 0 || position >= kPlanSlots) return "CH";
        return "CH" + BaseChannels()[static_cast<size_t>(position)].name;
    }
    if (ref.area == Area::WX) {
        const std::string number = std::to_string(ref.index + 1);
        return "WX" + std::string(number.size() < 2 ? "0" : "") + number;
    }
    return "EXP" + std::to_string(ref.index);
}

const char* AreaName(Area area) {
    switch (area) {
        case Area::USA: return "USA";
        case Area::INT: return "INT";
        case Area::CAN: return "CAN";
        case Area::WX: return "WX";
        case Area::EXP: return "EXP";
    }
    return "";
}

std::string TableChannelName(const DataSet& data, ChannelRef ref) {
    return IsPlan(ref.area) ? ChannelName(data, ref).substr(2) : std::to_string(TableNumber(ref));  // "CH16" -> "16"
}

std::string AreaChannelName(const DataSet& data, ChannelRef ref) {
    return std::string(AreaName(ref.area)) + " " + TableChannelName(data, ref);
}

int TableNumber(ChannelRef ref) { return ref.area == Area::WX ? ref.index + 1 : ref.index; }

std::optional<ChannelRef> FromTableNumber(const DataSet& data, Area area, int number) {
    const ChannelRef ref{area, area == Area::WX ? number - 1 : number};
    if (!FindRecord(data, ref)) return std::nullopt;
    return ref;
}

std::string FlagCaption(ChannelFlag flag, Area area) {
    if (area == Area::WX) return Words(flag == ChannelFlag::Scan ? MessageId::Scan : MessageId::Enable);
    switch (flag) {
        case ChannelFlag::Enable: return Words(MessageId::ChEnable);
        case ChannelFlag::Scan: return Words(MessageId::ScanMemory);
        case ChannelFlag::Duplex: return Words(MessageId::Duplex);
        case ChannelFlag::TxEnable: return Words(MessageId::TxEnable);
        case ChannelFlag::LowPower: return Words(MessageId::LowPowerOnly);
        case ChannelFlag::PowerUp: return Words(MessageId::PowerUp);
    }
    return {};
}

MessageId CommonCaptionId(CommonField field) {
    switch (field) {
        case CommonField::Scan: return MessageId::ScanCaps;
        case CommonField::ResumeTime: return MessageId::ResumeTime;
        case CommonField::PttScanClear: return MessageId::PttScanClear;
        case CommonField::DualWatch: return MessageId::DualWatch;
        case CommonField::WeatherAlert: return MessageId::WeatherAlert;
    }
    return MessageId::Verbatim;
}

std::string CommonCaption(CommonField field) { return Words(CommonCaptionId(field)); }

const char* GroupName(int group) {
    static const char* const names[kGroupCount] = {"USA", "INT", "CAN", "EXP"};
    return group >= 0 && group < kGroupCount ? names[group] : "";
}

bool HasFlag(Area area, ChannelFlag flag) {
    if (area == Area::WX) return flag == ChannelFlag::Enable || flag == ChannelFlag::Scan;
    if (area == Area::EXP) return flag != ChannelFlag::Duplex && flag != ChannelFlag::TxEnable;
    return true;
}

bool CanHaveFlag(const ChannelRecord& record, Area area, ChannelFlag flag) {
    if (!HasFlag(area, flag)) return false;
    if (flag == ChannelFlag::TxEnable) return !record.RxOnly;
    if (flag == ChannelFlag::Duplex) return record.DuplexAllowed;
    return true;
}

bool FlagValue(const ChannelRecord& record, ChannelFlag flag) {
    switch (flag) {
        case ChannelFlag::Enable: return record.Enable;
        case ChannelFlag::Scan: return record.ScanMemory;
        case ChannelFlag::Duplex: return record.Duplex;
        case ChannelFlag::TxEnable: return record.TxEnable;
        case ChannelFlag::LowPower: return record.LowPower;
        case ChannelFlag::PowerUp: return record.PowUp;
    }
    return false;
}

std::optional<double> CheckExpFrequency(std::string_view text) {
    if (TrimSpaces(text).empty()) return 0.0;
    // A comma is taken as the decimal point: people with a comma locale type it by habit.
    const double value = LeadingValue(CommaAsPoint(text));
    if (value >= 137.0 && value <= 174.0 && IsStep25k(value)) return UnitsToFreq(FreqUnits(value));
    return std::nullopt;
}

std::optional<std::string> CheckAtisCode(std::string_view text) {
    const std::string code = TrimSpaces(text);
    if (code.empty()) return code;
    if (code.size() != 10) return std::nullopt;
    for (char c : code)
        if (c < '0' || c > '9') return std::nullopt;
    return code;
}

bool DisplayKeyAllowed(char32_t key, bool leftBoxEmpty) {
    if (IsDigit(key) || key == U'-' || key == U' ' || key == U'\b') return true;
    if (kDisplayLetters.find(key) == std::u32string_view::npos) return false;
    return leftBoxEmpty || kFrontOnlyLetters.find(key) == std::u32string_view::npos;
}

bool DisplayTextAllowed(std::string_view text, bool leftBox) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char32_t c = static_cast<unsigned char>(text[i]);
        if (c == U'\b' || !DisplayKeyAllowed(c, leftBox && i == 0)) return false;
    }
    return true;
}

bool AnyWeatherEnabled(const DataSet& data) {
    for (const ChannelRecord& r : data.wx)
        if (r.Enable) return true;
    return false;
}

int16_t WeatherAlertFollowing(const DataSet& before, const DataSet& after) {
    if (!AnyWeatherEnabled(after)) return 0;
    if (!AnyWeatherEnabled(before)) return 3;
    return before.common.WeatherAlert;
}

bool HasReceivedChannelNumber(const ChannelRecord& record) {
    const std::string cell = ExpDisplayCell(record.CHDisplayL, record.CHDisplayR);
    return !TrimSpaces(ReceivedDisplayText(std::string_view(cell).substr(0, 2))).empty();
}

bool IsIncompleteExpChannel(const ChannelRecord& record) {
    return record.Enable && (!(record.Rxfreq > 0) || !HasReceivedChannelNumber(record));
}

std::vector<int> IncompleteExpChannels(const DataSet& data) {
    std::vector<int> incomplete;
    for (int n = 1; n <= kExpChannels; ++n)
        if (IsIncompleteExpChannel(data.exp[static_cast<size_t>(n)])) incomplete.push_back(n);
    return incomplete;
}

std::vector<int> NewlyIncompleteExpChannels(const DataSet& before, const DataSet& after) {
    std::vector<int> made;
    // One that was incomplete already (opened or read so) may be mended a step at a time.
    for (int n : IncompleteExpChannels(after))
        if (!IsIncompleteExpChannel(before.exp[static_cast<size_t>(n)])) made.push_back(n);
    return made;
}

EditResult ApplyChannelFlag(DataSet& data, ChannelRef channel, ChannelFlag flag, bool on, Completion completion) {
    ChannelRecord* record = FindRecord(data, channel);
    if (!record || !HasFlag(channel.area, flag) || (on && !CanHaveFlag(*record, channel.area, flag)))
        return Refusal{kDataError, FlagCaption(flag, channel.area)};
    if (flag == ChannelFlag::Enable && on && channel.area == Area::EXP && completion == Completion::Required) {
        ChannelRecord enabled = *record;
        enabled.Enable = true;
        if (IsIncompleteExpChannel(enabled))
            return Refusal{kDataError, FlagCaption(flag, channel.area), kIncompleteExpRule};
    }
    if (flag == ChannelFlag::Enable && channel.area == Area::WX) {
        const DataSet before = data;
        record->Enable = on;
        data.common.WeatherAlert = WeatherAlertFollowing(before, data);
        return std::nullopt;
    }
    switch (flag) {
        case ChannelFlag::Enable: record->Enable = on; break;
        case ChannelFlag::Scan: record->ScanMemory = on; break;
        case ChannelFlag::Duplex: record->Duplex = on; break;
        case ChannelFlag::TxEnable: record->TxEnable = on; break;
        case ChannelFlag::LowPower: record->LowPower = on; break;
        case ChannelFlag::PowerUp: record->PowUp = on; break;
    }
    return std::nullopt;
}

EditResult ApplyExpDisplay(DataSet& data, int n, std::string_view left, std::string_view right) {
    ChannelRecord* record = FindRecord(data, {Area::EXP, n});
    if (!record || left.size() > 2 || right.size() > 1 || !DisplayTextAllowed(left, true) ||
        !DisplayTextAllowed(right, false))
        return Refusal{kDataError, Words(MessageId::ChDisplay), kDisplayRule};
    const std::string padded = "  " + std::string(left);
    record->CHDisplayL = padded.substr(padded.size() - 2);
    record->CHDisplayR = std::string(right);
    return std::nullopt;
}

EditResult ApplyExpFrequency(DataSet& data, int n, bool rx, std::string_view text) {
    ChannelRecord* record = FindRecord(data, {Area::EXP, n});
    const std::optional<double> value = CheckExpFrequency(text);
    if (!record || !value) return FrequencyRefusal(rx);
    (rx ? record->Rxfreq : record->Txfreq) = *value;
    return std::nullopt;
}

Refusal FrequencyRefusal(bool rx) {
    return {kDataError, Words(rx ? MessageId::RxFrequencyHint : MessageId::TxFrequencyHint),
            CatalogueText{MessageId::RuleFrequency}};
}

Refusal AtisRefusal() { return {kDataError, Words(MessageId::AtisNo), CatalogueText{MessageId::RuleAtisCode}}; }

}  // namespace rp770
