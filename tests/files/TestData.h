#pragma once
// Data sets for the file tests: factory defaults with a destination's
// definition file laid over them, as a new data set starts.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/MemoryImage.h"
#include "files/ModelDefinitions.h"
#include "files/TestFolder.h"

namespace rp770::testing {

inline DataSet FactoryDataSet(bool atis = true, bool wx = true, const std::string& destination = "USA") {
    DataSet data;
    data.modelNumber = 1;
    data.flags = ModelFlags{atis, wx, true};
    ResetDataSet(data);
    const auto path = std::filesystem::path(ShippedDataFolder()) / (destination + "_013E.ini");
    EXPECT_EQ(FileReadIni(path, data), DefinitionLoad::Loaded) << path;
    return data;
}

}  // namespace rp770::testing
