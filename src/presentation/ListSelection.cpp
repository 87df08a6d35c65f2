#include "presentation/ListSelection.h"

#include "messages/MessageText.h"

namespace rp770::presentation {

namespace {

struct MenuFlag {
    ChannelFlag flag;
    const char* name;
};
constexpr MenuFlag kMenuFlags[] = {{ChannelFlag::Enable, "Enable"},
                                   {ChannelFlag::Scan, "Scan"},
                                   {ChannelFlag::LowPower, "LowPower"},
                                   {ChannelFlag::PowerUp, "PowerUp"}};

}  // namespace

ListMenuView MakeListMenu(const DataSet& data, Area area, const std::vector<ChannelRef>& selection) {
    ListMenuView menu;
    for (const MenuFlag& entry : kMenuFlags) {
        FlagEntry item{entry.flag, entry.name, Words(MessageId::ListSet, FlagCaption(entry.flag, area)),
                       Words(MessageId::ListClear, FlagCaption(entry.flag, area))};
        for (const ChannelRef& ref : selection) {
            const ChannelRecord* r = FindRecord(data, ref);
            if (!r || !HasFlag(ref.area, entry.flag)) continue;
            item.canSet = item.canSet || (!FlagValue(*r, entry.flag) && CanHaveFlag(*r, ref.area, entry.flag));
            item.canClear = item.canClear || FlagValue(*r, entry.flag);
        }
        menu.flags.push_back(std::move(item));
    }
    menu.openEnabled = selection.size() == 1;
    return menu;
}

std::optional<FlagChange> ColumnFlagChange(const DataSet& data, const GridColumn& column,
                                           const std::vector<ChannelRef>& selection) {
    if (!column.flag) return std::nullopt;
    const ChannelFlag flag = *column.flag;
    bool allOn = true;
    for (const ChannelRef& ref : selection) {
        const ChannelRecord* r = FindRecord(data, ref);
        if (r && CanHaveFlag(*r, ref.area, flag) && !FlagValue(*r, flag)) allOn = false;
    }
    return FlagChange{flag, !allOn};
}

}  // namespace rp770::presentation
