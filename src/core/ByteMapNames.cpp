#include "core/ByteMapNames.h"

#include "core/ChannelTables.h"
#include "core/MemoryImage.h"

namespace rp770 {

namespace {

constexpr const char* kPlanNames[kPlanCount] = {"USA", "INT", "CAN"};
constexpr int kPlanMapBytes = (kPlanSlots + 7) / 8;
constexpr int kWxMapBytes = 2;
constexpr int kExpMapBytes = (kExpChannels + 7) / 8;

bool In(int address, int first, int count) { return address >= first && address < first + count; }

// The single bytes of the first two rows.
const char* SettingAt(int address) {
    switch (address) {
        case addr::ModelCode:
        case addr::ModelCode + 1: return "model code";
        case addr::CurrentPlan: return "current channel plan";
        case addr::OperatingMode: return "operating mode";
        case addr::CurrentChannel: return "start channel";
        case addr::LastChannel: return "last channel";
        case addr::CurrentWxChannel: return "current WX channel";
        case addr::TxPoDisplay: return "Common Setup: TX Po Display";
        case addr::WeatherAlert: return "Common Setup: Weather Alert";
        case addr::Scan: return "Common Setup: SCAN";
        case addr::PttScanClear: return "Common Setup: PTT SCAN Clear";
        case addr::ResumeTime: return "Common Setup: Resume Time";
        case addr::DualWatch: return "Common Setup: Dual Watch";
        case addr::UsableGroups: return "usable channel groups";
        case addr::AtisGroups: return "usable ATIS channel groups";
        default: return "";
    }
}

std::string PlanChannel(int plan, int slot) {
    return std::string(kPlanNames[plan]) + " CH " + BaseChannels()[static_cast<size_t>(slot)].name;
}

}  // namespace

std::string FieldAtAddress(int address) {
    if (const char* setting = SettingAt(address); *setting) return setting;
    if (In(address, addr::AtisCode, addr::AtisCodeLength)) return "ATIS code";
    for (int p = 0; p < kPlanCount; ++p) {
        const std::string plan = kPlanNames[p];
        if (In(address, addr::EnableMap[p], kPlanMapBytes)) return plan + " channels: CH Enable";
        if (address == addr::PriorityChannel[p]) return plan + " priority channel";
        if (In(address, addr::ScanMap[p], kPlanMapBytes)) return plan + " channels: Scan Memory";
        if (In(address, addr::ChannelList[p], addr::ChannelListLength)) return plan + " channel list";
        if (In(address, addr::Attributes[p], kPlanSlots))
            return PlanChannel(p, address - addr::Attributes[p]) + ": attributes";
    }
    if (In(address, addr::WxEnableMap, kWxMapBytes)) return "WX channels: CH Enable";
    if (In(address, addr::WxScanMap, kWxMapBytes)) return "WX channels: Scan Memory";
    if (In(address, addr::ExpEnableMap, kExpMapBytes)) return "EXP channels: CH Enable";
    if (In(address, addr::ExpScanMap, kExpMapBytes)) return "EXP channels: Scan Memory";
    if (In(address, addr::ExpRecords, addr::ExpRecordSize * kExpChannels)) {
        const int n = (address - addr::ExpRecords) / addr::ExpRecordSize + 1;
        const int offset = (address - addr::ExpRecords) % addr::ExpRecordSize;
        const char* part = offset == 0 ? "attributes"
                           : offset < 4 ? "CH Display"
                           : offset < 7 ? "Rx frequency"
                           : offset < 10 ? "Tx frequency"
                                         : nullptr;
        if (part) return "EXP CH " + std::to_string(n) + ": " + part;
    }
    return "";
}

}  // namespace rp770
