#pragma once
// The item lists of the setup combo boxes and the two item-data operations
// the panels use on them.

#include <string>
#include <vector>

#include "core/Model.h"

class QComboBox;

namespace rp770::ui {

struct ComboItem {
    std::string text;
    int data = 0;
    bool operator==(const ComboItem&) const = default;
};

std::vector<ComboItem> OffOnItems();         // "Off" 0, "On" 1
std::vector<ComboItem> ResumeTimeItems();    // "Off", "1Sec" ... "5Sec"
std::vector<ComboItem> WeatherAlertItems();  // "Off" 0, "On" 3
// The enabled channels of a group's plan, named after their base channel,
// with the channel code as item data; empty for the EXP group.
std::vector<ComboItem> PriorityItems(const DataSet& data, int group);

// The item data of the selected item, -1 when none is selected.
int SelectedItemData(const QComboBox& combo);
// Selects the first item with this item data; a negative value clears the
// selection; when no item matches, the selection stays.
void SelectByItemData(QComboBox& combo, int value);

}  // namespace rp770::ui
