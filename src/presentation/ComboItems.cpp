#include "presentation/ComboItems.h"

#include "core/ChannelTables.h"

namespace rp770::presentation {

std::vector<ComboItem> OffOnItems() { return {{"Off", 0}, {"On", 1}}; }

std::vector<ComboItem> ResumeTimeItems() {
    return {{"Off", 0}, {"1Sec", 1}, {"2Sec", 2}, {"3Sec", 3}, {"4Sec", 4}, {"5Sec", 5}};
}

std::vector<ComboItem> WeatherAlertItems() { return {{"Off", 0}, {"On", 3}}; }

std::vector<ComboItem> PriorityItems(const DataSet& data, int group) {
    std::vector<ComboItem> items;
    if (group < 0 || group >= kPlanCount) return items;
    const auto& base = BaseChannels();
    for (const ChannelRecord& r : data.plan(group))
        if (r.Enable && r.Position >= 0 && r.Position < kPlanSlots)
            items.push_back({base[static_cast<size_t>(r.Position)].name, r.Position});
    return items;
}

int IndexOfData(const std::vector<ComboItem>& items, int value) {
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].data == value) return static_cast<int>(i);
    return -1;
}

}  // namespace rp770::presentation
