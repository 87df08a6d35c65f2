#pragma once
// Data the radio-link tests start from.

#include "core/MemoryImage.h"
#include "sim/SimulatedRadio.h"

namespace rp770::testing {

// A radio memory with a distinct-looking value at every address and the
// model code at both ends, so that every byte read or written can be traced.
inline sim::RadioMemory PatternMemory() {
    sim::RadioMemory m{};
    for (size_t i = 0; i < m.size(); ++i) m[i] = static_cast<uint8_t>((i * 7 + 3) & 0xFF);
    m[0] = m[1022] = 0x01;
    m[1] = m[1023] = 0x3E;
    return m;
}

// A new data set of the MR318 with every feature.
inline DataSet FreshData() {
    DataSet data;
    data.modelNumber = 1;
    data.flags = {true, true, true};
    ResetDataSet(data);
    return data;
}

}  // namespace rp770::testing
