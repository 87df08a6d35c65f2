#include "files/HexFile.h"

#include <gtest/gtest.h>

#include "files/TestData.h"

namespace rp770 {
namespace {

using testing::ReadBytes;
using testing::TestFolder;
using testing::WriteBytes;

std::string ImageBytes(const MemoryImage& image) {
    return std::string(reinterpret_cast<const char*>(image.bytes.data()), static_cast<size_t>(image.size()));
}

TEST(HexFile, ASavedImageIsExactlyTheMemoryAndReadsBackWhole) {
    TestFolder folder;
    DataSet data = testing::FactoryDataSet();
    data.image[0x3C5] = 0x42;  // no field covers it
    data.image[0x0E0] = 0x17;
    const std::string path = folder / "image.hex";
    WriteBytes(path, std::string(5000, 'x'));  // a longer file is replaced
    ASSERT_TRUE(SaveHexFileAs(path, data.image).Ok());
    const std::string bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 1024u);
    EXPECT_EQ(bytes.substr(0, 2), "\x01\x3E");
    EXPECT_EQ(bytes.substr(1022), "\x01\x3E");
    EXPECT_EQ(bytes, ImageBytes(data.image));

    MemoryImage image;
    ASSERT_EQ(ReadHexFileAs(path, 1, image).outcome, HexRead::Loaded);
    EXPECT_EQ(image, data.image);
}

TEST(HexFile, FilesOfTheWrongLengthOrWithBadModelCodesAreRefusedAndTheImageStays) {
    TestFolder folder;
    const DataSet data = testing::FactoryDataSet();
    std::string good = ImageBytes(data.image);
    MemoryImage image = data.image;
    image[0x100] ^= 0xFF;
    const MemoryImage before = image;

    WriteBytes(folder / "short.hex", good.substr(0, 1023));
    WriteBytes(folder / "long.hex", good + "x");
    EXPECT_EQ(ReadHexFileAs(folder / "short.hex", 1, image).outcome, HexRead::WrongLength);
    EXPECT_EQ(ReadHexFileAs(folder / "long.hex", 1, image).outcome, HexRead::WrongLength);

    std::string badEnd = good;
    badEnd[1022] = badEnd[1023] = '\0';
    WriteBytes(folder / "bad-end.hex", badEnd);
    EXPECT_EQ(ReadHexFileAs(folder / "bad-end.hex", 1, image).outcome, HexRead::BadModelCode);

    std::string otherCode = good;
    otherCode[1] = otherCode[1023] = 0x3F;  // equal at both ends, but not 318
    WriteBytes(folder / "other.hex", otherCode);
    EXPECT_EQ(ReadHexFileAs(folder / "other.hex", 1, image).outcome, HexRead::BadModelCode);

    WriteBytes(folder / "good.hex", good);
    EXPECT_EQ(ReadHexFileAs(folder / "good.hex", 2, image).outcome, HexRead::BadModelCode);  // only model 1 has images
    EXPECT_EQ(image, before);
}

TEST(HexFile, AMissingFileEndsInTheModelCodeCheck) {
    TestFolder folder;
    MemoryImage image;
    const MemoryImage before = image;
    EXPECT_EQ(ReadHexFileAs(folder / "missing.hex", 1, image).outcome, HexRead::BadModelCode);
    EXPECT_EQ(image, before);
}

}  // namespace
}  // namespace rp770
