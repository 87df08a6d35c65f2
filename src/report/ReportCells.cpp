#include "report/ReportCells.h"

#include "core/ChannelTables.h"
#include "core/Codecs.h"

namespace rp770 {

std::array<ReportCell, kRegularCells> RegularRowCells(const ChannelRecord& record) {
    std::array<ReportCell, kRegularCells> cells;
    if (record.Position >= 0 && record.Position < kPlanSlots) {
        const BaseChannel& base = BaseChannels()[static_cast<size_t>(record.Position)];
        cells[0] = base.name;
        cells[1] = FormatFreq(ReceiveFrequencyInUse(base, record.Duplex));
        cells[2] = FormatTxFreq(base.tx, record.RxOnly);
    }
    cells[3] = TxLabel(record.TxEnable);
    cells[4] = LowLabel(record.LowPower);
    cells[5] = UpLabel(record.PowUp);
    cells[6] = DupLabel(record.Duplex);
    cells[7] = MemLabel(record.ScanMemory);
    return cells;
}

std::array<std::string, kWxCells> WxRowCells(int k, const ChannelRecord& record) {
    return {std::to_string(k + 1), EnableLabel(record.Enable), MemLabel(record.ScanMemory)};
}

std::array<std::string, kExpCells> ExpRowCells(int n, const ChannelRecord& record) {
    return {std::to_string(n),
            Field3(ReceivedExpDisplayCell(record.CHDisplayL, record.CHDisplayR)),  // as the radio will show them
            EnableLabel(record.Enable),
            FormatSnappedFreq(record.Rxfreq),
            FormatSnappedFreq(record.Txfreq),
            LowLabel(record.LowPower),
            UpLabel(record.PowUp),
            MemLabel(record.ScanMemory)};
}

}  // namespace rp770
