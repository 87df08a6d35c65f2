#pragma once
// The writer of the settings text file (.dat): the typed model by name, as
// INI-style text with CR LF line ends.

#include <string>

#include "core/Model.h"

namespace rp770 {

// The whole file text for the data set (its model number and flags decide
// the model name and the optional ATIS and weather sections).
std::string FormatSettingsText(const DataSet& data);

}  // namespace rp770
