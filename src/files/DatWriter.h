#pragma once
// The writer of the settings text file (.dat): the typed model by name, as
// INI-style text with CR LF line ends.

#include <string>

#include "core/Model.h"
#include "core/Failure.h"

namespace rp770 {

// The whole file text for the data set (its model number and flags decide
// the model name and the optional ATIS and weather sections).
std::string FormatSettingsText(const DataSet& data);

// Writes the file as a whole: the previous file is replaced only when the
// new one was written completely.
Failure SaveFileAs(const std::string& path, const DataSet& data);

}  // namespace rp770
