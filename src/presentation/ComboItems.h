#pragma once
// The item lists of the setup combo boxes: each item's text and the value
// it stands for (its item data).

#include <string>
#include <vector>

#include "core/Model.h"

namespace rp770::presentation {

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

// The index of the first item with this value, -1 when none has it.
int IndexOfData(const std::vector<ComboItem>& items, int value);

}  // namespace rp770::presentation
