#include "presentation/ChannelGridRows.h"

#include "core/ChannelTables.h"
#include "core/Codecs.h"
#include "messages/MessageText.h"
#include "presentation/TreeNodes.h"
#include "report/ReportCells.h"

namespace rp770::presentation {

namespace {

const SwitchView& SwitchOf(const ChannelEditorView& view, ChannelFlag flag) {
    switch (flag) {
        case ChannelFlag::Enable: return view.enable;
        case ChannelFlag::Scan: return view.scan;
        case ChannelFlag::Duplex: return view.duplex;
        case ChannelFlag::TxEnable: return view.txEnable;
        case ChannelFlag::LowPower: return view.lowPower;
        case ChannelFlag::PowerUp: return view.powerUp;
    }
    return view.enable;
}

// The switch cells of a row, as the channel's editor shows its switches.
GridChecks ChecksOf(const DataSet& data, ChannelRef channel, const std::array<GridColumn, kGridColumns>& columns) {
    GridChecks checks;
    ChannelEditorScreen editor;
    editor.Load(channel);
    const auto view = editor.View(data);
    if (!view) return checks;
    for (size_t c = 0; c < columns.size(); ++c)
        if (columns[c].flag) {
            const SwitchView& shown = SwitchOf(*view, *columns[c].flag);
            checks[c] = GridCheck{shown.checked, shown.enabled && shown.visible};
        }
    return checks;
}

std::string TrimBlanks(const std::string& text) {
    constexpr const char* kBlanks = " \t\r\n\f\v";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

const std::array<GridColumn, kGridColumns>& RegularGridColumns() {
    static const std::array<GridColumn, kGridColumns> columns = {{{"CH", 800},
                                                                  {MessageId::GridRx, 1000},
                                                                  {MessageId::GridTx, 1000},
                                                                  {"TX", 600, ChannelFlag::TxEnable},
                                                                  {"LOW", 600, ChannelFlag::LowPower},
                                                                  {"UP", 600, ChannelFlag::PowerUp},
                                                                  {"DUP", 600, ChannelFlag::Duplex},
                                                                  {"MEM", 600, ChannelFlag::Scan}}};
    return columns;
}

const std::array<GridColumn, kGridColumns>& ExpGridColumns() {
    static const std::array<GridColumn, kGridColumns> columns = {{{"CH", 800},
                                                                  {"ENABLE", 1000, ChannelFlag::Enable},
                                                                  {"DISP", 800, std::nullopt, EditorBox::DisplayLeft},
                                                                  {MessageId::GridRx, 1000, std::nullopt, EditorBox::Rx},
                                                                  {MessageId::GridTx, 1000, std::nullopt, EditorBox::Tx},
                                                                  {"LOW", 600, ChannelFlag::LowPower},
                                                                  {"UP", 600, ChannelFlag::PowerUp},
                                                                  {"MEM", 600, ChannelFlag::Scan}}};
    return columns;
}

// The rows hold the report's cells: a channel reads the same in the grid and on paper.
std::vector<int> ListedSlots(const PlanArray& records) {
    std::vector<int> slots;
    for (int slot = 0; slot < kPlanSlots; ++slot) {
        const ChannelRecord& r = records[static_cast<size_t>(slot)];
        if (r.Enable && r.Position >= 0 && r.Position < kPlanSlots) slots.push_back(slot);
    }
    return slots;
}

std::vector<GridRow> ChannelGridRows(const PlanArray& records) {
    std::vector<GridRow> rows;
    for (int slot : ListedSlots(records)) {
        const auto cells = RegularRowCells(records[static_cast<size_t>(slot)]);
        GridRow row;
        for (size_t c = 0; c < row.size(); ++c) row[c] = cells[c].value_or(std::string());
        rows.push_back(row);
    }
    return rows;
}

std::vector<GridRow> ExpGridRows(const std::array<ChannelRecord, kExpChannels + 1>& exp) {
    std::vector<GridRow> rows;
    for (int n = 1; n <= kExpChannels; ++n) {
        const ChannelRecord& r = exp[static_cast<size_t>(n)];
        GridRow row = ExpRowCells(n, r);  // CH, CHD, ENABLE, RX, TX, LOW, UP, MEM
        // The grid shows the enable mark and the display characters unpadded,
        // as the radio will receive them (a character it cannot take is not shown as sent).
        row[1] = r.Enable ? Words(MessageId::GridEnabled) : "";
        row[2] = ReceivedExpDisplayCell(r.CHDisplayL, r.CHDisplayR);
        rows.push_back(row);
    }
    return rows;
}

ChannelListView MakeChannelList(const DataSet& data, Area area) {
    ChannelListView list;
    list.area = area;
    if (IsPlan(area)) {
        const int plan = PlanOf(area);
        list.name = GroupNodeText(data, plan);
        list.columns = RegularGridColumns();
        list.rows = ChannelGridRows(data.plan(plan));
        for (int slot : ListedSlots(data.plan(plan))) list.channels.push_back(PlanChannel(plan, slot));
    } else if (area == Area::EXP) {
        list.name = Words(MessageId::TreeExpChannel);
        list.columns = ExpGridColumns();
        list.rows = ExpGridRows(data.exp);
        for (int n = 1; n <= kExpChannels; ++n) list.channels.push_back({Area::EXP, n});
    } else {
        list.columns = RegularGridColumns();
    }
    for (const ChannelRef& ref : list.channels) {
        const ChannelRecord* record = FindRecord(data, ref);
        list.tips.push_back(record ? TrimBlanks(record->ChTag) : std::string());
        list.checks.push_back(ChecksOf(data, ref, list.columns));
    }
    return list;
}

}  // namespace rp770::presentation
