#pragma once
// The built-in channel data: the 114-slot base channel table, the three plan
// tables (USA, INT, CAN) and the weather channel table.

#include <array>
#include <string>
#include <vector>

#include "core/Model.h"

namespace rp770 {

struct BaseChannel {
    bool defined = false;
    std::string name;       // "01", "01A", ... or "WX01[162.550MHz]"
    double tx = 0;          // MHz, 0 = no transmit
    double rx = 0;          // MHz when not duplex
    double duplexRx = 0;    // MHz when duplex
    bool duplex = false;    // the slot can be used duplex
    bool lowPower = false;  // WX table only
    std::string text;       // WX table only: "162.550MHZ"
};

// The receive frequency a plan channel uses with its Duplex switch as given
// (0 = none: a slot without a duplex frequency switched to Duplex).
inline double ReceiveFrequencyInUse(const BaseChannel& base, bool duplex) { return duplex ? base.duplexRx : base.rx; }

// Slot 2k is channel k+1 (k = 0..27), slot 2k+1 its "A" variant; slots
// 56+2k are channels 60+k (k = 0..28) and 57+2k their "A" variants.
const std::array<BaseChannel, kPlanSlots>& BaseChannels();
// WX positions 1-10 at indices 0-9.
const std::vector<BaseChannel>& WxTable();

// The slot of the first base channel with exactly this name, or -1.
int FindBaseSlot(const std::string& name);

struct PlanRow {
    const char* name;
    const char* tag;
    bool rxOnly;
    bool duplex;
    bool lowPower;
};
const std::vector<PlanRow>& PlanTable(int plan);

// Resets the plan's records to the plan table's defaults; fields the table
// does not set keep what they held.
void ApplyPlanTable(int plan, PlanArray& records);
std::vector<ChannelRecord> BuildWxChannels(bool clearDuplexAllowed);

}  // namespace rp770
