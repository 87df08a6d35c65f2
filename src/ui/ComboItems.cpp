#include "ui/ComboItems.h"

#include <QComboBox>

#include "core/ChannelTables.h"

namespace rp770::ui {

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

int SelectedItemData(const QComboBox& combo) {
    if (combo.currentIndex() < 0) return -1;
    bool ok = false;
    const int value = combo.currentData().toInt(&ok);
    return ok ? value : -1;
}

void SelectByItemData(QComboBox& combo, int value) {
    if (value < 0) {
        combo.setCurrentIndex(-1);
        return;
    }
    const int index = combo.findData(value);
    if (index >= 0) combo.setCurrentIndex(index);
}

}  // namespace rp770::ui
