#include "files/HexFile.h"

#include <gtest/gtest.h>

#include "files/TestData.h"

namespace rp770 {
namespace {

TEST(HexFile, ASavedImageIsExactlyTheMemoryAndReadsBackWhole) {
    DataSet data = testing::FactoryDataSet();
    data.image[0x3C5] = 0x42;  // no field covers it
    data.image[0x0E0] = 0x17;
    const std::string bytes = HexFileBytes(data.image);
    ASSERT_EQ(bytes.size(), 1024u);
    EXPECT_EQ(bytes.substr(0, 2), "\x01\x3E");
    EXPECT_EQ(bytes.substr(1022), "\x01\x3E");
    EXPECT_EQ(bytes[0x3C5], 0x42);

    MemoryImage image;
    ASSERT_EQ(ReadHexBytes(bytes, 1, image), HexRead::Loaded);
    EXPECT_EQ(image, data.image);
}

TEST(HexFile, FilesOfTheWrongLengthOrWithBadModelCodesAreRefusedAndTheImageStays) {
    const DataSet data = testing::FactoryDataSet();
    std::string good = HexFileBytes(data.image);
    MemoryImage image = data.image;
    image[0x100] ^= 0xFF;
    const MemoryImage before = image;

    EXPECT_EQ(ReadHexBytes(good.substr(0, 1023), 1, image), HexRead::WrongLength);
    EXPECT_EQ(ReadHexBytes(good + "x", 1, image), HexRead::WrongLength);

    std::string badEnd = good;
    badEnd[1022] = badEnd[1023] = '\0';
    EXPECT_EQ(ReadHexBytes(badEnd, 1, image), HexRead::BadModelCode);

    std::string otherCode = good;
    otherCode[1] = otherCode[1023] = 0x3F;  // equal at both ends, but not 318
    EXPECT_EQ(ReadHexBytes(otherCode, 1, image), HexRead::BadModelCode);
    EXPECT_EQ(ReadHexBytes(good, 2, image), HexRead::BadModelCode);  // only model 1 has images
    EXPECT_EQ(image, before);
}

}  // namespace
}  // namespace rp770
