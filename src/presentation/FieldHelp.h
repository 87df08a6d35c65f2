#pragma once
// A short help text for every field of the editing screens: what the
// setting does on the radio and the values it takes. The window shows it as
// the tooltip of the field and its label and in the help line under the
// editing area; the page as the field's description and its help line.

#include <span>
#include <string_view>

#include "messages/MessageId.h"

namespace rp770::presentation {

enum class Field {
    // Common setup
    Scan,
    ResumeTime,
    PttScanClear,
    DualWatch,
    WeatherAlert,
    UsableGroup,     // USA, INT, CAN
    UsableExpGroup,  // the EXP channels' group
    PriorityChannel,
    AtisGroup,
    AtisCode,
    // Channel editor
    ChEnable,
    DisplayLeft,
    DisplayRight,
    RxFrequency,
    TxFrequency,
    TxEnable,
    LowPowerOnly,
    PowerUp,
    Duplex,
    ScanMemory,
    // Weather channels
    WxEnable,
    WxScan,
};
inline constexpr int kFieldCount = static_cast<int>(Field::WxScan) + 1;

struct FieldHelpEntry {
    Field field;
    std::string_view name;  // the page's name for the field
    MessageId help;
};

// Every field once, in the order above.
std::span<const FieldHelpEntry> FieldHelpTable();
MessageId FieldHelp(Field field);

}  // namespace rp770::presentation
