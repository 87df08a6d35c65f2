#include <gtest/gtest.h>

#include <random>

#include "core/ChannelTables.h"
#include "core/Codecs.h"
#include "core/MemoryImage.h"

namespace rp770 {
namespace {

DataSet FreshData(bool wx = true) {
    DataSet data;
    data.flags = {true, wx, true};
    ResetDataSet(data);
    return data;
}

// For every address, the bits that some field of the model writes.
std::array<uint8_t, kImageBufferSize> CoveredBits(bool wx) {
    std::array<uint8_t, kImageBufferSize> m{};
    auto full = [&](int from, int count) {
        for (int a = from; a < from + count; ++a) m[static_cast<size_t>(a)] = 0xFF;
    };
    full(0x00A, 1);
    full(0x00D, 1);
    m[0x00E] = 0x01;
    full(0x010, 3);
    m[0x016] = 0xF0;
    m[0x01A] = 0xF0;
    full(0x01B, 5);
    for (int p = 0; p < 3; ++p) {
        full(addr::EnableMap[p], 16);  // map + priority channel
        full(addr::ScanMap[p], 15);
        for (int s = 0; s < kPlanSlots; ++s) m[static_cast<size_t>(addr::Attributes[p] + s)] = 0xF1;
    }
    if (wx) {
        full(0x050, 2);
        full(0x090, 2);
    }
    full(0x052, 3);
    full(0x092, 3);
    for (int n = 1; n <= 20; ++n) {
        m[static_cast<size_t>(addr::ExpRecord(n))] = 0xB0;
        full(addr::ExpRecord(n) + 1, 9);
    }
    return m;
}

TEST(MemoryImage, DecodeThenEncodeKeepsEveryUncoveredBit) {
    std::mt19937 rng(1234);
    for (bool wx : {true, false}) {
        const auto covered = CoveredBits(wx);
        for (int round = 0; round < 200; ++round) {
            DataSet data = FreshData(wx);
            for (auto& b : data.image.bytes) b = static_cast<uint8_t>(rng());
            const MemoryImage before = data.image;
            DecodeImage(data);
            EncodeImage(data);
            for (int a = 0; a < kImageBufferSize; ++a) {
                const uint8_t keep = static_cast<uint8_t>(~covered[static_cast<size_t>(a)]);
                ASSERT_EQ(data.image[a] & keep, before[a] & keep) << "address " << a << " round " << round;
            }
        }
    }
}

TEST(MemoryImage, EncodedImageIsAFixedPointOfDecodeEncode) {
    std::mt19937 rng(99);
    for (int round = 0; round < 100; ++round) {
        DataSet data = FreshData();
        for (auto& b : data.image.bytes) b = static_cast<uint8_t>(rng());
        DecodeImage(data);
        EncodeImage(data);
        const MemoryImage once = data.image;
        DecodeImage(data);
        EncodeImage(data);
        ASSERT_EQ(data.image, once) << round;
    }
}

TEST(MemoryImage, InitImageDefaults) {
    DataSet data = FreshData();
    InitImage(data);
    const MemoryImage& im = data.image;
    EXPECT_EQ(im.lastAddress, 1023);
    EXPECT_EQ(im[0x000], 0x01);
    EXPECT_EQ(im[0x001], 0x3E);
    EXPECT_EQ(im[0x3FE], 0x01);
    EXPECT_EQ(im[0x3FF], 0x3E);
    for (int a : {0x004, 0x005, 0x006, 0x007, 0x008, 0x009, 0x00A, 0x00B, 0x014, 0x016}) EXPECT_EQ(im[a], 0x00) << a;
    for (int a : {0x02F, 0x03F, 0x04F}) EXPECT_EQ(im[a], 0x20) << a;
    EXPECT_EQ(im[0x011], 0x03);
    for (int a = 0x052; a <= 0x059; ++a) EXPECT_EQ(im[a], 0x00) << a;
    for (int a = 0x092; a <= 0x099; ++a) EXPECT_EQ(im[a], 0x00) << a;
    for (int a = 0x01A; a <= 0x01F; ++a) EXPECT_EQ(im[a], 0xFF) << a;
    for (int a : {0x002, 0x003, 0x00C, 0x00D, 0x0E0, 0x3C0, 0x3FD, 0x400, 0x1FFF}) EXPECT_EQ(im[a], 0xFF) << a;
    // The setup panels see the defaults.
    EXPECT_EQ(data.common.ResumeTime, 3);
    EXPECT_EQ(data.groups[0].PriorityChannel, 0x20);
    EXPECT_FALSE(data.groups[0].Usable);
    EXPECT_EQ(data.groups[3].Name, "EXP");
    EXPECT_EQ(data.atis.AtisCode, "");
}

TEST(MemoryImage, InitImageLeavesOtherModelsImageAlone) {
    DataSet data;
    data.modelNumber = 2;
    data.image[0x100] = 0x12;
    InitImage(data);
    EXPECT_EQ(data.image[0x100], 0x12);
    EXPECT_EQ(data.image[0x000], 0xFF);
}

TEST(MemoryImage, AllErasedImageDecodes) {
    DataSet data = FreshData();
    data.image.bytes.fill(0xFF);
    DecodeImage(data);
    for (int p = 0; p < 3; ++p)
        for (const auto& r : data.plan(p)) {
            ASSERT_TRUE(r.Enable && r.ScanMemory && r.TxEnable && r.PowUp && r.DispayA);
            ASSERT_FALSE(r.LowPower);
        }
    for (const auto& r : data.wx) EXPECT_TRUE(r.Enable && r.ScanMemory);
    for (int n = 1; n <= 20; ++n) {
        EXPECT_TRUE(data.exp[static_cast<size_t>(n)].Enable);
        EXPECT_EQ(data.exp[static_cast<size_t>(n)].Rxfreq, 0);
        EXPECT_EQ(data.exp[static_cast<size_t>(n)].Txfreq, 0);
        EXPECT_EQ(data.exp[static_cast<size_t>(n)].CHDisplayL, "");
    }
    EXPECT_EQ(data.atis.AtisCode, "");
    EXPECT_TRUE(data.common.PttScanClear);
    EXPECT_TRUE(data.common.DualWatch);
    EXPECT_EQ(data.common.WeatherAlert, 255) << "taken as it is, without range checks";
}

TEST(MemoryImage, ExpEncoding) {
    DataSet data = FreshData();
    data.exp[1].Rxfreq = 156.8;
    data.exp[1].Txfreq = 0;
    data.exp[1].CHDisplayL = "7";
    data.exp[1].CHDisplayR = "";
    data.exp[1].Enable = true;
    data.exp[20].Enable = true;
    EncodeImage(data);
    EXPECT_EQ(data.image[0x284], 0x56);
    EXPECT_EQ(data.image[0x285], 0x80);
    EXPECT_EQ(data.image[0x286], 0x00);
    EXPECT_EQ(data.image[0x287] | data.image[0x288] | data.image[0x289], 0);
    EXPECT_EQ(data.image[0x281], 0x20);
    EXPECT_EQ(data.image[0x282], 0x37);
    EXPECT_EQ(data.image[0x283], 0x20);
    EXPECT_EQ(data.image[0x054] & 0x0F, 0) << "bits past EXP 20 are cleared";
    EXPECT_EQ(data.image[0x054] & 0x10, 0x10);
    DecodeImage(data);
    EXPECT_EQ(data.exp[1].CHDisplayL, " 7");
    EXPECT_EQ(data.exp[1].CHDisplayR, "");
    EXPECT_EQ(data.exp[1].Rxfreq, 156.8);
}

TEST(MemoryImage, DisallowedDisplayCharacterIsStoredErased) {
    DataSet data = FreshData();
    data.exp[2].CHDisplayL = "#A";
    EncodeImage(data);
    EXPECT_EQ(data.image[addr::ExpRecord(2) + 1], 0xFF);
    EXPECT_EQ(data.image[addr::ExpRecord(2) + 2], 'A');
    DecodeImage(data);
    EXPECT_EQ(data.exp[2].CHDisplayL, "") << "decoding stops at the erased byte";
}

TEST(MemoryImage, DuplexNeedsDuplexAllowed) {
    DataSet data = FreshData();
    ChannelRecord& ch16 = data.plan(PlanUSA)[30];
    ch16.Duplex = true;
    ch16.DuplexAllowed = false;
    EncodeImage(data);
    EXPECT_EQ(data.image[0x100 + 30] & 0x40, 0);
    ch16.DuplexAllowed = true;
    EncodeImage(data);
    EXPECT_EQ(data.image[0x100 + 30] & 0x40, 0x40);
}

TEST(MemoryImage, PlanWithoutEnabledChannelIsNotUsableOnModel1) {
    DataSet data = FreshData();
    for (auto& g : data.groups) g.Usable = true;
    for (auto& r : data.plan(PlanINT)) r.Enable = false;
    EncodeImage(data);
    EXPECT_TRUE(data.groups[PlanUSA].Usable);
    EXPECT_FALSE(data.groups[PlanINT].Usable);
    EXPECT_FALSE(data.groups[GroupEXP].Usable) << "no EXP channel is enabled";
    EXPECT_EQ(data.image[0x016] & 0xF0, 0xA0);

    DataSet other = FreshData();
    other.modelNumber = 2;
    for (auto& g : other.groups) g.Usable = true;
    EncodeImage(other);
    EXPECT_TRUE(other.groups[GroupEXP].Usable) << "only model 1 clears empty groups";
}

TEST(MemoryImage, WxMapsOnlyWithWeatherChannels) {
    DataSet data = FreshData(false);
    data.image[0x050] = 0x12;
    data.wx[0].Enable = false;
    EncodeImage(data);
    EXPECT_EQ(data.image[0x050], 0x12);
    data.flags.wx = true;
    EncodeImage(data);
    EXPECT_EQ(data.image[0x050], 0x7F);
    EXPECT_EQ(data.image[0x051], 0xC0);
}

class FixStart : public ::testing::Test {
protected:
    DataSet data = FreshData();
    void Usable(bool usa, bool intl, bool can) {
        data.groups[0].Usable = usa;
        data.groups[1].Usable = intl;
        data.groups[2].Usable = can;
        EncodeImage(data);
    }
    MemoryImage& im() { return data.image; }
};

TEST_F(FixStart, RotatesToAUsablePlan) {
    const struct {
        int from;
        bool usa, intl, can;
        int expected;
    } cases[] = {
        {0, false, true, true, 1}, {0, false, false, true, 2}, {1, true, false, false, 0},
        {1, true, false, true, 2}, {2, true, true, false, 0},  {2, false, true, false, 1},
        {0, false, false, false, 0}, {2, false, false, false, 2},
    };
    for (const auto& c : cases) {
        Usable(c.usa, c.intl, c.can);
        im()[addr::OperatingMode] = 0;
        im()[addr::CurrentPlan] = static_cast<uint8_t>(c.from);
        FixStartChannel(data);
        EXPECT_EQ(im()[addr::CurrentPlan], c.expected) << c.from << c.usa << c.intl << c.can;
    }
}

TEST_F(FixStart, ReplacesAnInvalidCurrentChannel) {
    Usable(true, false, false);
    im()[addr::CurrentPlan] = 0;
    im()[addr::CurrentChannel] = 30;  // channel 16 is enabled in USA
    FixStartChannel(data);
    EXPECT_EQ(im()[addr::CurrentChannel], 30);
    EXPECT_EQ(im()[addr::LastChannel], 30);

    im()[addr::CurrentChannel] = 2;  // channel 02 is not in the USA plan
    FixStartChannel(data);
    EXPECT_EQ(im()[addr::CurrentChannel], 1) << "first enabled USA slot is 01A";
    EXPECT_EQ(im()[addr::LastChannel], 1);

    // No enabled USA channel: the index of the first enabled EXP channel.
    for (auto& r : data.plan(PlanUSA)) r.Enable = false;
    data.exp[4].Enable = true;
    im()[addr::CurrentChannel] = 200;
    FixStartChannel(data);
    EXPECT_EQ(im()[addr::CurrentChannel], 4);

    // Nothing to replace it with: both stay.
    data.exp[4].Enable = false;
    im()[addr::CurrentChannel] = 200;
    im()[addr::LastChannel] = 77;
    FixStartChannel(data);
    EXPECT_EQ(im()[addr::CurrentChannel], 200);
    EXPECT_EQ(im()[addr::LastChannel], 77);
}

TEST_F(FixStart, PlanOfThreeOrMoreLeavesChannelsAlone) {
    Usable(true, true, true);
    im()[addr::CurrentPlan] = 3;
    im()[addr::CurrentChannel] = 2;
    im()[addr::LastChannel] = 9;
    FixStartChannel(data);
    EXPECT_EQ(im()[addr::CurrentPlan], 3);
    EXPECT_EQ(im()[addr::CurrentChannel], 2);
    EXPECT_EQ(im()[addr::LastChannel], 9);
}

TEST_F(FixStart, WeatherMode) {
    Usable(true, false, false);
    im()[addr::OperatingMode] = 1;
    data.wx[0].Enable = false;
    data.wx[1].Enable = false;
    EncodeImage(data);
    im()[addr::CurrentWxChannel] = 0;  // disabled now
    im()[addr::CurrentChannel] = 50;
    FixStartChannel(data);
    EXPECT_EQ(im()[addr::CurrentWxChannel], 2);
    EXPECT_EQ(im()[addr::CurrentChannel], 2);

    im()[addr::CurrentWxChannel] = 12;  // outside 0-9 counts as valid
    FixStartChannel(data);
    EXPECT_EQ(im()[addr::CurrentWxChannel], 12);
    EXPECT_EQ(im()[addr::CurrentChannel], 12);
}

TEST_F(FixStart, ChannelListCleanUp) {
    Usable(true, false, false);
    im()[addr::ChannelList[0]] = 0x20;      // USA slot 32, channel 17: enabled
    im()[addr::ChannelList[0] + 1] = 0x02;  // USA slot 2: not in the plan
    im()[addr::ChannelList[0] + 2] = 161;   // EXP bit 2: not enabled
    im()[addr::ChannelList[1]] = 0x20;      // INT not usable
    FixStartChannel(data);
    EXPECT_EQ(im()[addr::ChannelList[0]], 0x20);
    EXPECT_EQ(im()[addr::ChannelList[0] + 1], 0xFF);
    EXPECT_EQ(im()[addr::ChannelList[0] + 2], 0xFF);
    EXPECT_EQ(im()[addr::ChannelList[1]], 0xFF);

    data.plan(PlanUSA)[32].Enable = false;
    im()[addr::ChannelList[0]] = 0x20;
    EncodeImage(data);
    FixStartChannel(data);
    EXPECT_EQ(im()[addr::ChannelList[0]], 0xFF);
}

TEST(MemoryImage, ChannelValidity) {
    DataSet data = FreshData();
    data.groups[0].Usable = true;
    data.exp[2].Enable = true;  // bit 1 of the EXP map
    EncodeImage(data);
    EXPECT_TRUE(IsChannelValid(data.image, 30, PlanUSA));
    EXPECT_FALSE(IsChannelValid(data.image, 30, PlanINT));
    EXPECT_TRUE(IsChannelValid(data.image, 160, PlanUSA)) << "code 160 tests EXP map bit 1";
    EXPECT_FALSE(IsChannelValid(data.image, 159, PlanUSA));
    EXPECT_FALSE(IsChannelValid(data.image, 114, PlanUSA));
    EXPECT_FALSE(IsChannelValid(data.image, 0xFF, PlanUSA));
    EXPECT_FALSE(IsChannelValid(data.image, 199, PlanUSA));
    EXPECT_TRUE(IsWxChannelValid(data.image, -1));
    EXPECT_TRUE(IsWxChannelValid(data.image, 0));
}

}  // namespace
}  // namespace rp770
