#include "presentation/ComboItems.h"

#include <string>

#include "core/ChannelTables.h"
#include "messages/MessageText.h"

namespace rp770::presentation {

std::vector<ComboItem> OffOnItems() { return {{Words(MessageId::Off), 0}, {Words(MessageId::On), 1}}; }

std::vector<ComboItem> ResumeTimeItems() {
    std::vector<ComboItem> items{{Words(MessageId::Off), 0}};
    for (int s = 1; s <= 5; ++s) items.push_back({Words(MessageId::Seconds, std::to_string(s)), s});
    return items;
}

std::vector<ComboItem> WeatherAlertItems() { return {{Words(MessageId::Off), 0}, {Words(MessageId::On), 3}}; }

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
