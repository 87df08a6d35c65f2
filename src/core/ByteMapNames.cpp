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
MessageId SettingAt(int address) {
    switch (address) {
        case addr::ModelCode:
        case addr::ModelCode + 1: return MessageId::FieldModelCode;
        case addr::CurrentPlan: return MessageId::FieldCurrentPlan;
        case addr::OperatingMode: return MessageId::FieldOperatingMode;
        case addr::CurrentChannel: return MessageId::FieldStartChannel;
        case addr::LastChannel: return MessageId::FieldLastChannel;
        case addr::CurrentWxChannel: return MessageId::FieldCurrentWxChannel;
        case addr::TxPoDisplay: return MessageId::FieldTxPoDisplay;
        case addr::WeatherAlert: return MessageId::FieldWeatherAlert;
        case addr::Scan: return MessageId::FieldScan;
        case addr::PttScanClear: return MessageId::FieldPttScanClear;
        case addr::ResumeTime: return MessageId::FieldResumeTime;
        case addr::DualWatch: return MessageId::FieldDualWatch;
        case addr::UsableGroups: return MessageId::FieldUsableGroups;
        case addr::AtisGroups: return MessageId::FieldAtisGroups;
        default: return MessageId::Verbatim;
    }
}

}  // namespace

MessageText FieldAtAddress(int address) {
    if (const MessageId setting = SettingAt(address); setting != MessageId::Verbatim) return setting;
    if (In(address, addr::AtisCode, addr::AtisCodeLength)) return MessageId::FieldAtisCode;
    for (int p = 0; p < kPlanCount; ++p) {
        const std::string plan = kPlanNames[p];
        if (In(address, addr::EnableMap[p], kPlanMapBytes)) return {MessageId::FieldPlanEnable, plan};
        if (address == addr::PriorityChannel[p]) return {MessageId::FieldPlanPriority, plan};
        if (In(address, addr::ScanMap[p], kPlanMapBytes)) return {MessageId::FieldPlanScan, plan};
        if (In(address, addr::ChannelList[p], addr::ChannelListLength)) return {MessageId::FieldPlanChannelList, plan};
        if (In(address, addr::Attributes[p], kPlanSlots))
            return {MessageId::FieldPlanAttributes, plan,
                    BaseChannels()[static_cast<size_t>(address - addr::Attributes[p])].name};
    }
    if (In(address, addr::WxEnableMap, kWxMapBytes)) return MessageId::FieldWxEnable;
    if (In(address, addr::WxScanMap, kWxMapBytes)) return MessageId::FieldWxScan;
    if (In(address, addr::ExpEnableMap, kExpMapBytes)) return MessageId::FieldExpEnable;
    if (In(address, addr::ExpScanMap, kExpMapBytes)) return MessageId::FieldExpScan;
    if (In(address, addr::ExpRecords, addr::ExpRecordSize * kExpChannels)) {
        const int n = (address - addr::ExpRecords) / addr::ExpRecordSize + 1;
        const int offset = (address - addr::ExpRecords) % addr::ExpRecordSize;
        const MessageId part = offset == 0 ? MessageId::FieldExpAttributes
                               : offset < 4 ? MessageId::FieldExpDisplay
                               : offset < 7 ? MessageId::FieldExpRx
                               : offset < 10 ? MessageId::FieldExpTx
                                             : MessageId::Verbatim;
        if (part != MessageId::Verbatim) return {part, n};
    }
    return {};
}

}  // namespace rp770
