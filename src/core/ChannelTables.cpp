#include "core/ChannelTables.h"

#include <cstdio>

#include "core/Codecs.h"

namespace rp770 {

namespace {

std::string TwoDigits(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

std::array<BaseChannel, kPlanSlots> MakeBaseChannels() {
    std::array<BaseChannel, kPlanSlots> table{};
    auto fill = [&](int slot, int number, int64_t txUnits) {
        BaseChannel& main = table[static_cast<size_t>(slot)];
        main.defined = true;
        main.name = TwoDigits(number);
        main.tx = main.rx = UnitsToFreq(txUnits);
        main.duplexRx = UnitsToFreq(txUnits + 46000);  // + 4.6 MHz
        main.duplex = true;
        BaseChannel& variant = table[static_cast<size_t>(slot + 1)];
        variant.defined = true;
        variant.name = main.name + "A";
        variant.tx = variant.rx = main.tx;
        variant.duplexRx = 0;
        variant.duplex = false;
    };
    // Computed from whole 100 Hz steps so that every value is the exact
    // decimal (156.050 + 0.050 k), not an accumulated double.
    for (int k = 0; k <= 27; ++k) fill(2 * k, k + 1, 1560500 + 500 * k);
    for (int k = 0; k <= 28; ++k) fill(56 + 2 * k, 60 + k, 1560250 + 500 * k);
    return table;
}

std::vector<BaseChannel> MakeWxTable() {
    static const struct { const char* name; int64_t rxUnits; const char* text; } rows[] = {
        {"WX01[162.550MHz]", 1625500, "162.550MHZ"}, {"WX02[162.400MHz]", 1624000, "162.400MHZ"},
        {"WX03[162.475MHz]", 1624750, "162.475MHZ"}, {"WX04[162.425MHz]", 1624250, "162.425MHZ"},
        {"WX05[162.450MHz]", 1624500, "162.450MHZ"}, {"WX06[162.500MHz]", 1625000, "162.500MHZ"},
        {"WX07[162.525MHz]", 1625250, "162.525MHZ"}, {"WX08[161.650MHz]", 1616500, "161.650MHZ"},
        {"WX09[161.775MHz]", 1617750, "161.775MHZ"}, {"WX10[163.275MHz]", 1632750, "163.275MHZ"},
    };
    std::vector<BaseChannel> table;
    for (const auto& row : rows) {
        BaseChannel wx;
        wx.defined = true;
        wx.name = row.name;
        wx.tx = 0;
        wx.rx = wx.duplexRx = UnitsToFreq(row.rxUnits);
        wx.duplex = true;
        wx.lowPower = false;
        wx.text = row.text;
        table.push_back(wx);
    }
    return table;
}

constexpr bool R = true, D = true, L = true, _ = false;

const std::vector<PlanRow> kUsaRows = {
    {"01A", "VTS", _, _, _},         {"05A", "VTS", _, _, _},         {"06", "SAFTY", _, _, _},
    {"07A", "COMMERCIAL", _, _, _},  {"08", "COMMERCIAL", _, _, _},   {"09", "CALLING", _, _, _},
    {"10", "COMMERCIAL", _, _, _},   {"11", "VTS", _, _, _},          {"12", "VTS", _, _, _},
    {"13", "BRG/BRG", _, _, L},      {"14", "VTS", _, _, _},          {"15", "COMMERCIAL", R, _, _},
    {"16", "DISTRESS", _, _, _},     {"17", "SAR", _, _, L},          {"18A", "COMMERCIAL", _, _, _},
    {"19A", "COMMERCIAL", _, _, _},  {"20", "PORT OPR", _, D, _},     {"20A", "PORT OPR", _, _, _},
    {"21A", "CCG", _, _, _},         {"22A", "USCG", _, _, _},        {"23A", "USCG", _, _, _},
    {"24", "TELEPHONE", _, D, _},    {"25", "TELEPHONE", _, D, _},    {"26", "TELEPHONE", _, D, _},
    {"27", "TELEPHONE", _, D, _},    {"28", "TELEPHONE", _, D, _},    {"63A", "VTS", _, _, _},
    {"65A", "PORT OPR", _, _, _},    {"66A", "PORT OPR", _, _, _},    {"67", "BRG/BRG", _, _, L},
    {"68", "SHIP-SHIP", _, _, _},    {"69", "PLEASURE", _, _, _},     {"70", "DSC", R, _, _},
    {"71", "PLEASURE", _, _, _},     {"72", "SHIP-SHIP", _, _, _},    {"73", "PORT OPR", _, _, _},
    {"74", "PORT OPR", _, _, _},     {"75", "PORT OPR", _, _, L},     {"76", "PORT OPR", _, _, L},
    {"77", "PORT OPR", _, _, L},     {"78A", "SHIP-SHIP", _, _, _},   {"79A", "SHIP-SHIP", _, _, _},
    {"80A", "SHIP-SHIP", _, _, _},   {"81A", "CCG", _, _, _},         {"82A", "CCG", _, _, _},
    {"83A", "USCG", _, _, _},        {"84", "TELEPHONE", _, D, _},    {"85", "TELEPHONE", _, D, _},
    {"86", "TELEPHONE", _, D, _},    {"87A", "COMMERCIAL", _, _, _},  {"88A", "COMMERCIAL", _, _, _},
};

const std::vector<PlanRow> kIntRows = {
    {"01", "TELEPHONE", _, D, _},    {"02", "TELEPHONE", _, D, _},    {"03", "TELEPHONE", _, D, _},
    {"04", "INTL", _, D, _},         {"05", "INTL", _, D, _},         {"06", "SAFTY", _, _, _},
    {"07", "INTL", _, D, _},         {"08", "COMMERCIAL", _, _, _},   {"09", "CALLING", _, _, _},
    {"10", "COMMERCIAL", _, _, _},   {"11", "VTS", _, _, _},          {"12", "VTS", _, _, _},
    {"13", "BRG/BRG", _, _, _},      {"14", "VTS", _, _, _},          {"15", "COMMERCIAL", _, _, L},
    {"16", "DISTRESS", _, _, _},     {"17", "SAR", _, _, L},          {"18", "INTL", _, D, _},
    {"19", "INTL", _, D, _},         {"20", "PORT OPR", _, D, _},     {"21", "INTL", _, D, _},
    {"22", "INTL", _, D, _},         {"23", "INTL", _, D, _},         {"24", "TELEPHONE", _, D, _},
    {"25", "TELEPHONE", _, D, _},    {"26", "TELEPHONE", _, D, _},    {"27", "TELEPHONE", _, D, _},
    {"28", "TELEPHONE", _, D, _},    {"60", "TELEPHONE", _, D, _},    {"61", "INTL", _, D, _},
    {"62", "INTL", _, D, _},         {"63", "INTL", _, D, _},         {"64", "TELEPHONE", _, D, _},
    {"65", "INTL", _, D, _},         {"66", "INTL", _, D, _},         {"67", "BRG/BRG", _, _, _},
    {"68", "SHIP-SHIP", _, _, _},    {"69", "PLEASURE", _, _, _},     {"70", "DSC", R, _, _},
    {"71", "PLEASURE", _, _, _},     {"72", "SHIP-SHIP", _, _, _},    {"73", "PORT OPR", _, _, _},
    {"74", "PORT OPR", _, _, _},     {"75", "PORT OPR", _, _, L},     {"76", "PORT OPR", _, _, L},
    {"77", "PORT OPR", _, _, _},     {"78", "INTL", _, D, _},         {"79", "INTL", _, D, _},
    {"80", "INTL", _, D, _},         {"81", "INTL", _, D, _},         {"82", "INTL", _, D, _},
    {"83", "INTL", _, D, _},         {"84", "TELEPHONE", _, D, _},    {"85", "TELEPHONE", _, D, _},
    {"86", "TELEPHONE", _, D, _},    {"87", "PORT OPR", _, _, _},     {"88", "PORT OPR", _, _, _},
};

const std::vector<PlanRow> kCanRows = {
    {"01", "TELEPHONE", _, D, _},    {"02", "TELEPHONE", _, D, _},    {"03", "TELEPHONE", _, D, _},
    {"04A", "CCG", _, _, _},         {"05A", "VTS", _, _, _},         {"06", "SAFETY", _, _, _},
    {"07A", "COMMERCIAL", _, _, _},  {"08", "COMMERCIAL", _, _, _},   {"09", "CALLING", _, _, _},
    {"10", "COMMERCIAL", _, _, _},   {"11", "VTS", _, _, _},          {"12", "VTS", _, _, _},
    {"13", "BRG/BRG", _, _, L},      {"14", "VTS", _, _, _},          {"15", "COMMERCIAL", _, _, L},
    {"16", "DISTRESS", _, _, _},     {"17", "SAR", _, _, L},          {"18A", "COMMERCIAL", _, _, _},
    {"19A", "COMMERCIAL", _, _, _},  {"20", "PORT OPR", _, D, L},     {"21A", "CCG", _, _, _},
    {"22A", "USCG", _, _, _},        {"23", "INTL", _, D, _},         {"24", "TELEPHONE", _, D, _},
    {"25", "TELEPHONE", _, D, _},    {"26", "TELEPHONE", _, D, _},    {"27", "TELEPHONE", _, D, _},
    {"28", "TELEPHONE", _, D, _},    {"60", "TELEPHONE", _, D, _},    {"61A", "CCG", _, _, _},
    {"62A", "CCG", _, _, _},         {"63A", "SHIP-SHIP", _, _, _},   {"64", "TELEPHONE", _, D, _},
    {"64A", "COMMERCIAL", _, _, _},  {"65A", "PORT OPT", _, _, _},    {"66A", "PORT OPT", _, _, L},
    {"67", "BRG/BRG", _, _, _},      {"68", "SHIP-SHIP", _, _, _},    {"69", "PLEASURE", _, _, _},
    {"70", "DSC", R, _, _},          {"71", "PLEASURE", _, _, _},     {"72", "SHIP-SHIP", _, _, _},
    {"73", "PORT OPR", _, _, _},     {"74", "PORT OPR", _, _, _},     {"75", "PORT OPR", _, _, L},
    {"76", "PORT OPR", _, _, L},     {"77", "PORT OPR", _, _, L},     {"78A", "SHIP-SHIP", _, _, _},
    {"79A", "SHIP-SHIP", _, _, _},   {"80A", "SHIP-SHIP", _, _, _},   {"81A", "CCG", _, _, _},
    {"82A", "CCG", _, _, _},         {"83", "CCG", _, D, _},          {"83A", "CCG", _, _, _},
    {"84", "TELEPHONE", _, D, _},    {"85", "TELEPHONE", _, D, _},    {"86", "TELEPHONE", _, D, _},
    {"87", "PORT OPR", _, _, _},     {"88", "PORT OPR", _, _, _},
};

}  // namespace

const std::array<BaseChannel, kPlanSlots>& BaseChannels() {
    static const std::array<BaseChannel, kPlanSlots> table = MakeBaseChannels();
    return table;
}

const std::vector<BaseChannel>& WxTable() {
    static const std::vector<BaseChannel> table = MakeWxTable();
    return table;
}

int FindBaseSlot(const std::string& name) {
    const auto& table = BaseChannels();
    for (int slot = 0; slot < kPlanSlots; ++slot)
        if (table[static_cast<size_t>(slot)].name == name) return slot;
    return -1;
}

const std::vector<PlanRow>& PlanTable(int plan) {
    switch (plan) {
        case PlanINT: return kIntRows;
        case PlanCAN: return kCanRows;
        default: return kUsaRows;
    }
}

void ApplyPlanTable(int plan, PlanArray& records) {
    const auto& base = BaseChannels();
    for (int slot = 0; slot < kPlanSlots; ++slot) {
        ChannelRecord& r = records[static_cast<size_t>(slot)];
        r.Position = static_cast<int16_t>(slot);
        r.Enable = false;
        r.DuplexAllowed = base[static_cast<size_t>(slot)].duplex;
        r.RxOnly = false;
        r.TxEnable = true;
    }
    for (const PlanRow& row : PlanTable(plan)) {
        const int slot = FindBaseSlot(row.name);
        if (slot < 0) continue;
        ChannelRecord& r = records[static_cast<size_t>(slot)];
        r.RxOnly = row.rxOnly;
        if (row.rxOnly) r.DuplexAllowed = false;
        r.TxEnable = !row.rxOnly;
        r.ChTag = row.tag;
        r.Enable = true;
        r.Duplex = row.duplex;
        r.LowPower = row.lowPower;
    }
}

std::vector<ChannelRecord> BuildWxChannels(bool clearDuplexAllowed) {
    std::vector<ChannelRecord> channels;
    const auto& table = WxTable();
    for (size_t i = 0; i < table.size(); ++i) {
        const BaseChannel& entry = table[i];
        if (!entry.defined) continue;
        ChannelRecord r;
        r.Position = static_cast<int16_t>(i + 1);
        r.Enable = true;
        r.LowPower = entry.lowPower;
        r.PowUp = false;
        r.Duplex = entry.duplex;
        r.DuplexAllowed = clearDuplexAllowed ? false : entry.duplex;
        r.TxEnable = entry.tx > 0;
        r.DispayA = !entry.name.empty() && entry.name.back() == 'A';
        r.ScanMemory = false;
        r.ChTag = entry.text;
        channels.push_back(r);
    }
    return channels;
}

}  // namespace rp770
