#pragma once
// The factory data of the USA destination, as a new data set holds them.

#include "core/MemoryImage.h"
#include "data/FactoryImage.h"

namespace rp770::presentation::test {

inline DataSet FactoryData() {
    DataSet data;
    data.flags = {true, true, true};
    ResetDataSet(data);
    data.image = MakeFactoryImage(PlanUSA);
    DecodeImage(data);
    return data;
}

}  // namespace rp770::presentation::test
