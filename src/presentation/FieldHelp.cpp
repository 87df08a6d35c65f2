#include "presentation/FieldHelp.h"

#include <array>

namespace rp770::presentation {

namespace {

constexpr std::array<FieldHelpEntry, kFieldCount> kTable{{
    {Field::Scan, "scan", MessageId::HelpScan},
    {Field::ResumeTime, "resumeTime", MessageId::HelpResumeTime},
    {Field::PttScanClear, "pttScanClear", MessageId::HelpPttScanClear},
    {Field::DualWatch, "dualWatch", MessageId::HelpDualWatch},
    {Field::WeatherAlert, "weatherAlert", MessageId::HelpWeatherAlert},
    {Field::UsableGroup, "usableGroup", MessageId::HelpUsableGroup},
    {Field::UsableExpGroup, "usableExpGroup", MessageId::HelpUsableExpGroup},
    {Field::PriorityChannel, "priorityChannel", MessageId::HelpPriorityChannel},
    {Field::AtisGroup, "atisGroup", MessageId::HelpAtisGroup},
    {Field::AtisCode, "atisCode", MessageId::HelpAtisCode},
    {Field::ChEnable, "enable", MessageId::HelpChEnable},
    {Field::DisplayLeft, "displayLeft", MessageId::HelpDisplayLeft},
    {Field::DisplayRight, "displayRight", MessageId::HelpDisplayRight},
    {Field::RxFrequency, "rx", MessageId::HelpRxFrequency},
    {Field::TxFrequency, "tx", MessageId::HelpTxFrequency},
    {Field::TxEnable, "txEnable", MessageId::HelpTxEnable},
    {Field::LowPowerOnly, "lowPower", MessageId::HelpLowPowerOnly},
    {Field::PowerUp, "powerUp", MessageId::HelpPowerUp},
    {Field::Duplex, "duplex", MessageId::HelpDuplex},
    {Field::ScanMemory, "scanMemory", MessageId::HelpScanMemory},
    {Field::WxEnable, "wxEnable", MessageId::HelpWxEnable},
    {Field::WxScan, "wxScan", MessageId::HelpWxScan},
}};

// The table is in the enum's order, so a field is its own index.
constexpr bool InOrder() {
    for (size_t i = 0; i < kTable.size(); ++i)
        if (static_cast<size_t>(kTable[i].field) != i) return false;
    return true;
}
static_assert(InOrder(), "the help table lists every field once, in the order of Field");

}  // namespace

std::span<const FieldHelpEntry> FieldHelpTable() { return kTable; }

MessageId FieldHelp(Field field) { return kTable[static_cast<size_t>(field)].help; }

}  // namespace rp770::presentation
