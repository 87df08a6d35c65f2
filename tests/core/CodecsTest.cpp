#include <gtest/gtest.h>

#include <cmath>

#include "core/Codecs.h"

namespace rp770 {
namespace {

TEST(Bits, SetBitOnlyOneSets) {
    uint8_t b = 0x00;
    EXPECT_EQ(SetBit(b, 1, 3), 0x08);
    EXPECT_EQ(SetBit(b, -1, 3), 0x00) << "true = -1 clears: only exactly 1 sets";
    b = 0xFF;
    EXPECT_EQ(SetBit(b, 2, 0), 0xFE);
    EXPECT_EQ(SetBit(b, 1, 8), 0xFE) << "bit outside 0-7 changes nothing";
    EXPECT_EQ(SetBit(b, 0, -1), 0xFE);
}

TEST(Bits, TestsAndPositions) {
    EXPECT_TRUE(TestBit(0x80, 7));
    EXPECT_FALSE(TestBit(0x80, 8));
    EXPECT_TRUE(TestBitPos(0x01, 1));
    EXPECT_FALSE(TestBitPos(0x01, 0));
}

TEST(Bits, MapPackingFirstChannelIsMostSignificantBit) {
    MemoryImage image;
    std::vector<bool> flags(20, false);
    flags[0] = true;
    flags[9] = true;
    flags[19] = true;
    image[0x052 + 3] = 0xAB;  // byte past the map must stay
    PackMap(image, 0x052, flags);
    EXPECT_EQ(image[0x052], 0x80);
    EXPECT_EQ(image[0x053], 0x40);
    EXPECT_EQ(image[0x054], 0x10) << "bits past channel 20 are cleared";
    EXPECT_EQ(image[0x055], 0xAB);
    for (int k = 0; k < 20; ++k) EXPECT_EQ(MapBit(image, 0x052, k), flags[static_cast<size_t>(k)]) << k;
    EXPECT_TRUE(TestMapBit(image, 0x052, 0));
}

struct FreqCase {
    double mhz;
    uint8_t b0, b1, b2;
};

TEST(Freq, EncodeKnownValues) {
    const FreqCase cases[] = {
        {156.8, 0x56, 0x80, 0x00},   {162.55, 0x62, 0x55, 0x00},  {156.025, 0x56, 0x02, 0x50},
        {157.0125, 0x57, 0x01, 0x25}, {156.0130, 0x56, 0x01, 0x30}, {100.0001, 0x00, 0x00, 0x01},
        {199.9999, 0x99, 0x99, 0x99}, {0, 0, 0, 0},                  {100, 0, 0, 0},
        {-5, 0, 0, 0},                {200, 0, 0, 0},                {250.5, 0, 0, 0},
    };
    for (const auto& c : cases) {
        uint8_t out[3] = {0xEE, 0xEE, 0xEE};
        EncodeFreq(c.mhz, out);
        EXPECT_EQ(out[0], c.b0) << c.mhz;
        EXPECT_EQ(out[1], c.b1) << c.mhz;
        EXPECT_EQ(out[2], c.b2) << c.mhz;
    }
}

TEST(Freq, EveryRasterValueRoundTripsExactly) {
    // Every 12.5 kHz and 5 kHz step from 100 to 200 MHz, encoded and decoded.
    MemoryImage image;
    for (int64_t units = 1000050; units < 2000000; units += 25) {
        if (units % 50 != 0 && units % 125 != 0) continue;
        const double f = UnitsToFreq(units);
        EncodeFreq(f, &image.bytes[0x284]);
        ASSERT_EQ(DecodeFreqMHz(image, 0x284), f) << units;
    }
}

TEST(Freq, DecodeBoundsAndGarbage) {
    MemoryImage image;
    auto decode = [&](uint8_t a, uint8_t b, uint8_t c) {
        image[0x10] = a;
        image[0x11] = b;
        image[0x12] = c;
        return DecodeFreqMHz(image, 0x10);
    };
    EXPECT_EQ(decode(0x56, 0x80, 0x00), 156.8);
    EXPECT_DOUBLE_EQ(DecodeFreq(image, 0x10), 56.8);
    EXPECT_EQ(decode(0x00, 0x00, 0x00), 0) << "100 MHz is not strictly above 100";
    EXPECT_EQ(decode(0xFF, 0xFF, 0xFF), 0) << "erased bytes: no frequency";
    EXPECT_EQ(decode(0xA6, 0x80, 0x00), 0) << "leading letter reads as 0";
    EXPECT_EQ(decode(0x56, 0x8A, 0x00), 156.8) << "numeric part ends at the letter";
    EXPECT_EQ(decode(0x12, 0x3E, 0x05), 0) << "12.3E05 is an exponent: far above 200";
    EXPECT_EQ(decode(0x12, 0x34, 0xE0), 112.34) << "E0 exponent keeps the value";
    EXPECT_EQ(decode(0x99, 0x99, 0x99), 199.9999);
}

TEST(Freq, Formats) {
    EXPECT_EQ(FormatFreq(156.8), "156.800");
    EXPECT_EQ(FormatFreq(156.025), "156.025");
    EXPECT_EQ(FormatFreq(0), "---.---");
    EXPECT_EQ(FormatFreq(-1), "---.---");
    EXPECT_EQ(FormatTxFreq(156.8, true), "---.---");
    EXPECT_EQ(FormatTxFreq(156.8, false), "156.800");
    EXPECT_EQ(FormatSnappedFreq(0), "---.----");
}

TEST(Freq, SnapAndFineFormat) {
    struct Case {
        double in;
        const char* shown;
        double after;
    } cases[] = {
        {156.0130, "156.0100", 156.01},   {156.0125, "156.0125", 156.0125}, {156.025, "156.0250", 156.025},
        {157.0125, "157.0125", 157.0125}, {162.55, "162.5500", 162.55},     {156.0149, "156.0100", 156.01},
        {156.0175, "156.0150", 156.015},  {156.005, "156.0050", 156.005},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatSnappedFreq(c.in), c.shown) << c.in;
        double f = c.in;
        EXPECT_EQ(SnapFreq(f), c.after) << c.in;
        EXPECT_EQ(f, c.after) << c.in;
    }
}

TEST(Freq, Step25k) {
    EXPECT_TRUE(IsStep25k(156.025));
    EXPECT_TRUE(IsStep25k(156.8));
    EXPECT_TRUE(IsStep25k(137.0));
    EXPECT_FALSE(IsStep25k(156.0125));
    EXPECT_FALSE(IsStep25k(156.01));
    EXPECT_TRUE(IsStep25k(0));
}

TEST(Freq, NonsenseValuesStayDefined) {
    // Values no radio has, from a hostile file: the text starts with the
    // value's own digits, whatever its size.
    const struct {
        double mhz;
        const char* coarse;
        const char* fine;
    } huge[] = {
        {999999999999.5, "999999999999.500", "999999999999.5000"},
        {1e12, "1000000000000.000", "1000000000000.0000"},
        {12345678901234.0, "12345678901234.000", "12345678901234.0000"},
        {2.5e15, "2500000000000000.000", "2500000000000000.0000"},
    };
    for (const auto& c : huge) {
        EXPECT_EQ(FormatFreq(c.mhz), c.coarse);
        EXPECT_EQ(FormatSnappedFreq(c.mhz), c.fine);
    }
    EXPECT_EQ(FormatFreq(1e300).substr(0, 12), "100000000000");
    EXPECT_EQ(FormatFreq(1e300).substr(FormatFreq(1e300).size() - 4), ".000");
    EXPECT_EQ(FormatSnappedFreq(std::nan("")), "---.----");
    EXPECT_EQ(FormatSnappedFreq(-1e300), "---.----");
    uint8_t out[3];
    EncodeFreq(std::nan(""), out);
    EXPECT_EQ(out[0] | out[1] | out[2], 0);
}

TEST(Atis, EncodeDecode) {
    MemoryImage image;
    EncodeAtis(image, 0x01B, "123456789", 0);
    const uint8_t expected[] = {0x12, 0x34, 0x56, 0x78, 0x9F};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(image[0x01B + k], expected[k]) << k;
    EXPECT_EQ(DecodeAtis(image, 0x01B), "123456789");

    EncodeAtis(image, 0x01B, "   ", 0);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(image[0x01B + k], 0xFF);
    EXPECT_EQ(DecodeAtis(image, 0x01B), "");

    EncodeAtis(image, 0x01B, "1234567899", 1);
    EXPECT_EQ(image[0x01F], 0x90) << "the flag forces the last low nibble to 0";

    EncodeAtis(image, 0x01B, "12a4", 0);
    EXPECT_EQ(image[0x01C], 0xF4);
    EXPECT_EQ(DecodeAtis(image, 0x01B), "12");

    image[0x01B] = 0x9F;
    EXPECT_EQ(DecodeAtis(image, 0x01B), "9");
}

TEST(DisplayChars, CodecAndText) {
    EXPECT_EQ(CharToCode("A"), 'A');
    EXPECT_EQ(CharToCode(","), ',');
    EXPECT_EQ(CharToCode("#"), 255);
    EXPECT_EQ(CharToCode(""), 255);
    EXPECT_EQ(CharToCode("AB"), 255);
    EXPECT_EQ(CodeToChar(' '), " ");
    EXPECT_EQ(CodeToChar(0xFF), "");
    EXPECT_EQ(CodeToChar(0xC1), "");

    MemoryImage image;
    image[0] = 0x41;
    image[1] = 0x00;
    image[2] = 0x42;
    EXPECT_EQ(ReadText(image, 0, 3), "A");
    image[0] = ' ';
    image[1] = '7';
    image[2] = ' ';
    EXPECT_EQ(ReadText(image, 0, 3), " 7") << "leading space stays, trailing goes";

    EXPECT_EQ(ExpDisplayCell("7", ""), " 7 ");
    EXPECT_EQ(ExpDisplayCell("ABC", "XY"), "BCY");
    EXPECT_EQ(ExpDisplayCell("", ""), "   ");
}

TEST(Text, Helpers) {
    EXPECT_EQ(PadRight("abc", 5), "abc  ");
    EXPECT_EQ(PadRight("abcdef", 3), "abc");
    EXPECT_EQ(PadRight("x", 0), "");
    EXPECT_EQ(Field3(""), "---");
    EXPECT_EQ(Field3("ab"), "ab ");
    EXPECT_EQ(HexDigits(0x3F0, 4), "03F0");
    EXPECT_EQ(HexDigits(0x1234, 2), "34");
    EXPECT_EQ(HexDigits(0, 2), "00");
    EXPECT_EQ(TrimSpaces("  a b \t "), "a b \t");
    const auto items = SplitList("Group1, Group2, Group3, Exp CH");
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[3], "Exp CH");
    EXPECT_EQ(SplitList("").size(), 1u);
    EXPECT_EQ(SplitList(",,").size(), 3u);
}

TEST(Labels, Tables) {
    EXPECT_EQ(OnOffLabel(-1), "On");
    EXPECT_EQ(OnOffLabel(0), "Off");
    EXPECT_EQ(ResumeTimeLabel(0), "--");
    EXPECT_EQ(ResumeTimeLabel(3), "3Sec");
    EXPECT_EQ(ResumeTimeLabel(4), "");
    EXPECT_EQ(TxPoDisplayLabel(1), "Lo Po on Changing CH");
    EXPECT_EQ(TxPoDisplayLabel(3), "");
    EXPECT_EQ(WeatherAlertLabel(0), "OFF");
    EXPECT_EQ(WeatherAlertLabel(3), "On");
    EXPECT_EQ(WeatherAlertLabel(255), "");
    EXPECT_EQ(EnableLabel(false), "------");
    EXPECT_EQ(MemLabel(true), "MEM");
}

TEST(Labels, ChannelLabelEdges) {
    const struct {
        int64_t code;
        const char* label;
    } cases[] = {{-1, "Off"},   {0, "01"},     {1, "01A"},    {30, "16"},    {113, "88A"},
                 {114, "EXP-125"}, {240, "EXP1"}, {279, "EXP40"}, {280, "Off"}, {32, "17"}};
    for (const auto& c : cases) EXPECT_EQ(ChannelLabel(c.code), c.label) << c.code;
}

}  // namespace
}  // namespace rp770

#include "core/HexDump.h"

namespace rp770 {
namespace {

TEST(HexDump, Lines) {
    MemoryImage image;
    for (int a = 0; a < 1024; ++a) image[a] = static_cast<uint8_t>(a);
    const auto lines = HexDumpLines(image);
    ASSERT_EQ(lines.size(), 66u);
    for (const auto& l : lines) EXPECT_EQ(l.size(), 54u) << l;
    EXPECT_EQ(lines[0].substr(0, 12), "       00 01");
    EXPECT_EQ(lines[0].substr(48), " 0E 0F");
    EXPECT_EQ(lines[1].substr(0, 9), " ----  --");
    EXPECT_EQ(lines[3], " 0010: 10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D 1E 1F");
    EXPECT_EQ(lines.back().substr(0, 6), " 03F0:");
    image.lastAddress = 8191;
    EXPECT_EQ(HexDumpLines(image).size(), 514u);
}

}  // namespace
}  // namespace rp770
