#include "ui/ChannelGridRows.h"

#include "core/ChannelTables.h"
#include "core/Codecs.h"

namespace rp770::ui {

const std::array<GridColumn, kGridColumns>& RegularGridColumns() {
    static const std::array<GridColumn, kGridColumns> columns = {{{"CH", 800},
                                                                  {"RX[MHz]", 1000},
                                                                  {"TX[MHz]", 1000},
                                                                  {"TX", 600},
                                                                  {"LOW", 600},
                                                                  {"UP", 600},
                                                                  {"DUP", 600},
                                                                  {"MEM", 600}}};
    return columns;
}

const std::array<GridColumn, kGridColumns>& ExpGridColumns() {
    static const std::array<GridColumn, kGridColumns> columns = {{{"CH", 800},
                                                                  {"ENABLE", 1000},
                                                                  {"DISP", 800},
                                                                  {"RX[MHz]", 1000},
                                                                  {"TX[MHz]", 1000},
                                                                  {"LOW", 600},
                                                                  {"UP", 600},
                                                                  {"MEM", 600}}};
    return columns;
}

std::vector<GridRow> ChannelGridRows(const PlanArray& records) {
    const auto& base = BaseChannels();
    std::vector<GridRow> rows;
    for (const ChannelRecord& r : records) {
        if (!r.Enable || r.Position < 0 || r.Position >= kPlanSlots) continue;
        const BaseChannel& b = base[static_cast<size_t>(r.Position)];
        rows.push_back({b.name, FormatFreq(r.Duplex ? b.duplexRx : b.rx), FormatTxFreq(b.tx, r.RxOnly),
                        TxLabel(r.TxEnable), LowLabel(r.LowPower), UpLabel(r.PowUp), DupLabel(r.Duplex),
                        MemLabel(r.ScanMemory)});
    }
    return rows;
}

std::vector<GridRow> ExpGridRows(std::array<ChannelRecord, kExpChannels + 1>& exp) {
    std::vector<GridRow> rows;
    for (int n = 1; n <= kExpChannels; ++n) {
        ChannelRecord& r = exp[static_cast<size_t>(n)];
        rows.push_back({std::to_string(n), r.Enable ? "[Enable]" : "", ExpDisplayCell(r.CHDisplayL, r.CHDisplayR),
                        FormatFreqFine(r.Rxfreq), FormatFreqFine(r.Txfreq), LowLabel(r.LowPower), UpLabel(r.PowUp),
                        MemLabel(r.ScanMemory)});
    }
    return rows;
}

}  // namespace rp770::ui
