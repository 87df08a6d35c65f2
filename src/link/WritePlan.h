#pragma once
// Which bytes a programming sends, row by row. The radio never receives its
// model-code bytes (0x000-0x001 and the row 0x3F0 that holds the second
// copy), byte 0x017, or the rows 0x0E0-0x0FF; rows 0x000 and 0x010 go as
// single bytes, every other row as one 16-byte write.

#include <vector>

namespace rp770::link {

struct PlannedWrite {
    int address = 0;
    int count = 0;
    bool operator==(const PlannedWrite&) const = default;
};

struct PlannedRow {
    int row = 0;
    std::vector<PlannedWrite> writes;  // empty: the row is skipped
};

// Every 16-byte row from 0 up to lastAddress, in order.
std::vector<PlannedRow> WritePlan(int lastAddress);

}  // namespace rp770::link
