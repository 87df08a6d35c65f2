#pragma once
// The reader side of the settings text file (.dat): the model type check
// and the laying of a file's values over the data set.

#include <string_view>

#include "core/Model.h"
#include "files/SectionTable.h"

namespace rp770 {

// "MODELTYPE" of section "MAIN", read as the INI value reader reads it, is a
// number equal to the model number. A missing or empty value fails.
bool ModelTypeMatches(std::string_view fileText, int modelNumber);

// Lays the file's values over the data set, in the file reader's order:
// groups, common setup, ATIS (when the model has it), the USA, INT and CAN
// channels (each up to the first missing "Position"), the WX channels
// (always) and the EXP channels. A value that does not convert keeps a flag
// or number as it was; a text field takes what is there, so a missing text
// key empties it. The memory image is left alone.
void ApplySections(const SectionTable& table, DataSet& data);

}  // namespace rp770
