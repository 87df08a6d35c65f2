#include "workspace/ChannelCsv.h"

#include "core/ChannelTables.h"
#include "core/Codecs.h"
#include "files/CsvText.h"

namespace rp770 {

namespace {

constexpr std::array<const char*, kCsvColumns> kColumnNames = {
    "Plan", "Slot", "Channel", "Tag", "RxMHz", "TxMHz", "Enable", "Scan", "Duplex", "TxEnable", "LowPower", "PowerUp",
    "Display"};

std::string& Cell(ChannelCsvCells& cells, CsvColumn column) { return cells[static_cast<size_t>(column)]; }

}  // namespace

const char* CsvColumnName(CsvColumn column) { return kColumnNames[static_cast<size_t>(column)]; }

std::optional<ChannelFlag> ColumnFlag(CsvColumn column) {
    switch (column) {
        case CsvColumn::Enable: return ChannelFlag::Enable;
        case CsvColumn::Scan: return ChannelFlag::Scan;
        case CsvColumn::Duplex: return ChannelFlag::Duplex;
        case CsvColumn::TxEnable: return ChannelFlag::TxEnable;
        case CsvColumn::LowPower: return ChannelFlag::LowPower;
        case CsvColumn::PowerUp: return ChannelFlag::PowerUp;
        default: return std::nullopt;
    }
}

std::vector<ChannelRef> ChannelCsvRows(const DataSet& data) {
    std::vector<ChannelRef> rows;
    for (int plan = 0; plan < kPlanCount; ++plan)
        for (int slot = 0; slot < kPlanSlots; ++slot) rows.push_back(PlanChannel(plan, slot));
    if (data.flags.wx)
        for (int k = 0; k < static_cast<int>(data.wx.size()); ++k) rows.push_back({Area::WX, k});
    for (int n = 1; n <= kExpChannels; ++n) rows.push_back({Area::EXP, n});
    return rows;
}

std::string CsvFrequency(double mhz) { return mhz > 0 ? FreqDigits(mhz, 4) : std::string(); }

ChannelCsvCells ChannelCsvRow(const DataSet& data, ChannelRef ref) {
    ChannelCsvCells cells;
    const ChannelRecord* record = FindRecord(data, ref);
    if (!record) return cells;
    const ChannelRecord& r = *record;
    Cell(cells, CsvColumn::Plan) = AreaName(ref.area);
    Cell(cells, CsvColumn::Slot) = std::to_string(TableNumber(ref));
    Cell(cells, CsvColumn::Tag) = ValidUtf8(r.ChTag);
    for (int c = 0; c < kCsvColumns; ++c)
        if (const auto flag = ColumnFlag(static_cast<CsvColumn>(c)); flag && HasFlag(ref.area, *flag))
            cells[static_cast<size_t>(c)] = FlagValue(r, *flag) ? "1" : "0";
    if (IsPlan(ref.area)) {
        if (r.Position < 0 || r.Position >= kPlanSlots) return cells;
        const BaseChannel& base = BaseChannels()[static_cast<size_t>(r.Position)];
        Cell(cells, CsvColumn::Channel) = base.name;
        Cell(cells, CsvColumn::RxMHz) = CsvFrequency(ReceiveFrequencyInUse(base, r.Duplex));
        Cell(cells, CsvColumn::TxMHz) = r.RxOnly ? std::string() : CsvFrequency(base.tx);
    } else if (ref.area == Area::WX) {
        if (ref.index >= static_cast<int>(WxTable().size())) return cells;
        const BaseChannel& weather = WxTable()[static_cast<size_t>(ref.index)];
        Cell(cells, CsvColumn::Channel) = weather.name;
        Cell(cells, CsvColumn::RxMHz) = CsvFrequency(weather.rx);
        Cell(cells, CsvColumn::TxMHz) = CsvFrequency(weather.tx);
    } else {
        Cell(cells, CsvColumn::Channel) = std::to_string(ref.index);
        Cell(cells, CsvColumn::RxMHz) = CsvFrequency(r.Rxfreq);
        Cell(cells, CsvColumn::TxMHz) = CsvFrequency(r.Txfreq);
        Cell(cells, CsvColumn::Display) = ValidUtf8(ExpDisplayCell(r.CHDisplayL, r.CHDisplayR));
    }
    return cells;
}

bool IsTextColumn(CsvColumn column) {
    return column == CsvColumn::Channel || column == CsvColumn::Tag || column == CsvColumn::Display;
}

std::string ExportChannelCsv(const DataSet& data) {
    std::string text = CsvRecordText(std::vector<std::string>(kColumnNames.begin(), kColumnNames.end()));
    for (const ChannelRef& ref : ChannelCsvRows(data)) {
        ChannelCsvCells cells = ChannelCsvRow(data, ref);
        // Text cells are written so that no spreadsheet runs them as formulas.
        for (int c = 0; c < kCsvColumns; ++c)
            if (IsTextColumn(static_cast<CsvColumn>(c))) cells[static_cast<size_t>(c)] = SpreadsheetText(cells[static_cast<size_t>(c)]);
        text += CsvRecordText(std::vector<std::string>(cells.begin(), cells.end()));
    }
    return text;
}

}  // namespace rp770
