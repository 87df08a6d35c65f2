#pragma once
// What a screen shows in one control, as plain data a widget or an HTML
// element can take over: its caption or text, its value, and whether it
// can be used and is there at all.

#include <string>
#include <vector>

#include "presentation/ComboItems.h"

namespace rp770::presentation {

// A check box or any other switch.
struct SwitchView {
    std::string caption;
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    bool operator==(const SwitchView&) const = default;
};

// A combo box: its items, and the index of the one to select; kNoSelection
// clears the selection, kSelectionStays leaves it as it is (a stored value
// that no item stands for).
inline constexpr int kNoSelection = -1;
inline constexpr int kSelectionStays = -2;
struct ChoiceView {
    std::vector<ComboItem> items;
    int selected = kSelectionStays;
    bool enabled = true;
    bool visible = true;
    bool operator==(const ChoiceView&) const = default;
};

// A text box.
struct TextView {
    std::string text;
    bool enabled = true;
    bool editable = true;  // read-only boxes show their text, greyed as a button face
    bool operator==(const TextView&) const = default;
};

}  // namespace rp770::presentation
