#pragma once
// What the common setup screen shows for a data set: the scanning settings,
// dual watch, the weather alert (usable while a weather channel is
// enabled), the usable channel groups with their priority channels, and the
// ATIS groups and code (usable for usable groups). Index 0-3 is USA, INT,
// CAN, EXP throughout.

#include <array>
#include <string>

#include "core/Model.h"
#include "presentation/Controls.h"

namespace rp770::presentation {

// The captions the groups carry before data are shown: the usable group
// boxes ("USA" ... "EXP CH Group"), the priority labels ("USA" ... "EXP")
// and the ATIS group boxes ("USA", "INTL", "CAN", "EXP"; a group's name
// replaces it once data are shown).
std::string UsableGroupCaption(int group);
const char* PriorityCaption(int group);
const char* AtisGroupCaption(int group);

struct GroupView {
    SwitchView usable;
    // The enabled channels of the group's plan, the stored priority channel
    // selected (else the first); usable, with its label, while the group is.
    // The EXP group has none: not visible.
    ChoiceView priority;
    bool operator==(const GroupView&) const = default;
};

struct CommonSetupView {
    ChoiceView scan;          // "Off", "On"
    ChoiceView resumeTime;    // usable, with its label and the scan lines, while scan is on
    ChoiceView pttScanClear;  // as resumeTime
    ChoiceView dualWatch;
    ChoiceView weatherAlert;  // "Off" 0, "On" 3; usable, with its label, while a weather channel is enabled
    bool weatherAlertVisible = false;  // the model has the weather alert
    std::array<GroupView, kGroupCount> groups;
    bool atisVisible = false;  // the model has ATIS
    std::array<SwitchView, kGroupCount> atisGroups;
    TextView atisCode;  // usable, with its label, while any group is usable
    bool operator==(const CommonSetupView&) const = default;
};

// The screen for these data. Showing it first turns the weather alert off
// when no weather channel is enabled (the session's SettleWeatherAlert).
CommonSetupView MakeCommonSetupView(const DataSet& data);

}  // namespace rp770::presentation
