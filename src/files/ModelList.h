#pragma once
// The model list file global.ini among the program's data: which of the ten
// model numbers are offered, and the feature flags of each.

#include <string>
#include <vector>

#include "core/Model.h"
#include "core/Storage.h"
#include "files/SettingsStore.h"

namespace rp770 {

inline constexpr int kModelSlots = 10;
inline constexpr const char* kModelListFileName = "global.ini";

// The model numbers whose "use" is numerically 1, scanning model1, model2,
// ... until a model has no "use" value at all. A missing global.ini offers
// none.
std::vector<int> OfferedModels(const ProgramData& data);

// "atis", "wx" and "wa" of a model; a missing or unconvertible value is false.
ModelFlags ReadModelFlags(const ProgramData& data, int modelNumber);

// The model to start with: the stored "lastmodel" when it is below 10 and
// offered, else the last offered model. `offered` must not be empty.
int ChooseStartModel(const std::vector<int>& offered, const SettingsStore& settings);

// Settings store names.
inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kLastModelKey = "lastmodel";

}  // namespace rp770
