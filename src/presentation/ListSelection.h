#pragma once
// What the channel lists do with a selection of channels: which switches
// their menu offers to set and to clear, and what Space on a switch column
// does. Plain functions over the data; the list only shows and calls them.

#include <optional>
#include <string>
#include <vector>

#include "core/Model.h"
#include "messages/MessageText.h"
#include "presentation/ChannelGridRows.h"
#include "workspace/Edits.h"

namespace rp770::presentation {

// One switch of the menu: "Set X" and "Clear X", each offered where it would
// change something for the selection (set: a channel that can have it and
// has it not; clear: a channel that has it).
struct FlagEntry {
    ChannelFlag flag = ChannelFlag::Enable;
    std::string name;       // names the entries: "Enable" (mnuListSetEnable, mnuListClearEnable)
    std::string setText;    // "Set CH Enable"
    std::string clearText;  // "Clear CH Enable"
    bool canSet = false;
    bool canClear = false;
    bool operator==(const FlagEntry&) const = default;
};

struct ListMenuView {
    std::vector<FlagEntry> flags;  // Enable, Scan, LowPower, PowerUp: a separator after each
    std::string openText = Words(MessageId::ListOpenEditor);
    bool openEnabled = false;  // exactly one channel selected
};

// The menu for the selected channels of a list showing `area` (its captions
// are that area's).
ListMenuView MakeListMenu(const DataSet& data, Area area, const std::vector<ChannelRef>& selection);

// The switch a column shows, set for the selection as Space sets it: on for
// all, unless all that can have it have it already, then off. Nothing for a
// column that shows no switch.
struct FlagChange {
    ChannelFlag flag = ChannelFlag::Enable;
    bool on = false;
    bool operator==(const FlagChange&) const = default;
};
std::optional<FlagChange> ColumnFlagChange(const DataSet& data, const GridColumn& column,
                                           const std::vector<ChannelRef>& selection);

}  // namespace rp770::presentation
