#pragma once
// The texts of the channel list: column headers and widths, and one row per
// listed channel, with the channel each row stands for. Plain functions;
// the grid widget only shows them.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/Model.h"
#include "messages/MessageText.h"
#include "presentation/ChannelEditorView.h"
#include "workspace/Edits.h"

namespace rp770::presentation {

inline constexpr int kGridColumns = 8;

struct GridColumn {
    MessageText header;  // the radio's own abbreviations stay as they are
    int widthTwips;
    std::optional<ChannelFlag> flag = std::nullopt;  // the switch the column shows
    // The editor's box the column's cells are typed into (an EXP channel's
    // display and frequencies; DisplayLeft stands for the whole display).
    std::optional<EditorBox> typed = std::nullopt;
};

// A switch's cell: a check box, ticked as the channel has the switch, and
// usable where the editor's box of that switch is.
struct GridCheck {
    bool checked = false;
    bool enabled = true;
    bool operator==(const GridCheck&) const = default;
};
using GridChecks = std::array<std::optional<GridCheck>, kGridColumns>;

using GridRow = std::array<std::string, kGridColumns>;

const std::array<GridColumn, kGridColumns>& RegularGridColumns();
const std::array<GridColumn, kGridColumns>& ExpGridColumns();

// The plan's enabled channels in slot order: their slots, and their rows.
std::vector<int> ListedSlots(const PlanArray& records);
std::vector<GridRow> ChannelGridRows(const PlanArray& records);
// All 20 EXP channels; frequencies show snapped to the raster.
std::vector<GridRow> ExpGridRows(const std::array<ChannelRecord, kExpChannels + 1>& exp);

// A channel list as a screen shows it: a plan's enabled channels or all EXP
// channels.
struct ChannelListView {
    Area area = Area::USA;
    std::string name;  // as the tree names the screen ("USA", "EXP Channel")
    std::array<GridColumn, kGridColumns> columns;
    std::vector<GridRow> rows;
    std::vector<ChannelRef> channels;  // the channel of each row
    std::vector<std::string> tips;     // each row's tag, blanks trimmed; empty for none
    std::vector<GridChecks> checks;    // each row's switch cells
};
// `area` USA, INT, CAN or EXP; any other gives no rows.
ChannelListView MakeChannelList(const DataSet& data, Area area);

}  // namespace rp770::presentation
