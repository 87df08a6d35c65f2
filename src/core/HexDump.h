#pragma once
// The lines of the hex dump of a memory image: a column header, a rule, then
// one line of 16 bytes per row, each line 54 characters.

#include <string>
#include <vector>

#include "core/Model.h"

namespace rp770 {

std::vector<std::string> HexDumpLines(const MemoryImage& image);

}  // namespace rp770
