// The shipped definition files are what the generator makes, and they load.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "core/MemoryImage.h"
#include "data/FactoryImage.h"

namespace rp770 {
namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string DataDir() {
    const char* dir = std::getenv("RP770_DATA_DIR");
    return dir ? dir : ".";
}

TEST(FactoryData, ShippedFilesMatchTheGenerator) {
    for (const auto& dest : FactoryDestinations()) {
        const auto file = ReadFile(DataDir() + "/" + dest.name + "_013E.ini");
        ASSERT_EQ(file.size(), 1024u) << dest.name;
        const MemoryImage made = MakeFactoryImage(dest.plan);
        EXPECT_TRUE(std::equal(file.begin(), file.end(), made.bytes.begin()))
            << dest.name << ": regenerate with rp770-gendata data/";
        EXPECT_EQ(file[0], 0x01);
        EXPECT_EQ(file[1], 0x3E);
        EXPECT_EQ(file[1022], 0x01);
        EXPECT_EQ(file[1023], 0x3E);
    }
}

TEST(FactoryData, EachDestinationStartsOnItsOwnPlan) {
    for (const auto& dest : FactoryDestinations()) {
        DataSet data;
        data.flags = {true, true, true};
        ResetDataSet(data);
        data.image = MakeFactoryImage(dest.plan);
        DecodeImage(data);
        EXPECT_EQ(data.image[addr::CurrentPlan], dest.plan) << dest.name;
        EXPECT_TRUE(data.groups[static_cast<size_t>(dest.plan)].Usable) << dest.name;
        EXPECT_TRUE(IsChannelValid(data.image, data.image[addr::CurrentChannel], dest.plan)) << dest.name;
        EXPECT_TRUE(data.plan(PlanUSA)[30].Enable);
    }
}

}  // namespace
}  // namespace rp770
