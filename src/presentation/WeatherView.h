#pragma once
// What the weather channel screen shows: one row per weather channel, its
// name from the weather table, its enable switch and its scan switch, which
// is usable only while the channel is enabled (it keeps its tick).

#include <string>
#include <vector>

#include "core/Model.h"
#include "presentation/Controls.h"

namespace rp770::presentation {

struct WeatherRowView {
    std::string label;  // "WX01[162.550MHz]"
    SwitchView enable;  // caption "Enable"
    SwitchView scan;    // caption "Scan"
    bool operator==(const WeatherRowView&) const = default;
};

// The ten rows. Showing them first turns the weather alert off when no
// weather channel is enabled (the session's SettleWeatherAlert).
std::vector<WeatherRowView> MakeWeatherView(const DataSet& data);

}  // namespace rp770::presentation
