#pragma once
// The texts of the channel list: column headers and widths, and one row per
// listed channel. Plain functions; the grid widget only shows them.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/Model.h"
#include "workspace/Edits.h"

namespace rp770::ui {

inline constexpr int kGridColumns = 8;

struct GridColumn {
    const char* header;
    int widthTwips;
    std::optional<ChannelFlag> flag = std::nullopt;  // the switch the column shows
};

using GridRow = std::array<std::string, kGridColumns>;

const std::array<GridColumn, kGridColumns>& RegularGridColumns();
const std::array<GridColumn, kGridColumns>& ExpGridColumns();

// The plan's enabled channels in slot order: their slots, and their rows.
std::vector<int> ListedSlots(const PlanArray& records);
std::vector<GridRow> ChannelGridRows(const PlanArray& records);
// All 20 EXP channels; frequencies show snapped to the raster.
std::vector<GridRow> ExpGridRows(const std::array<ChannelRecord, kExpChannels + 1>& exp);

}  // namespace rp770::ui
