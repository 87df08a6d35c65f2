#include "files/ValueText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace rp770 {
namespace {

TEST(ValueText, BooleanTakesWordsInAnyCaseOrNumbers) {
    struct Case {
        const char* text;
        std::optional<bool> expected;
    };
    const Case cases[] = {
        {"1", true},      {"0", false},     {"-1", true},    {"2", true},        {"0.0", false},
        {"0.5", true},    {"True", true},   {"FALSE", false}, {"tRuE", true},    {" 1 ", true},
        {"\t0", false},   {"", std::nullopt}, {"yes", std::nullopt}, {"1x", std::nullopt},
        {"&H1", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt}, {"1 0", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ToBoolean(c.text), c.expected) << "'" << c.text << "'";
}

TEST(ValueText, IntegersRoundHalfToEvenAndRefuseWhatDoesNotFit) {
    EXPECT_EQ(ToInt16("32767"), int16_t{32767});
    EXPECT_EQ(ToInt16("-32768"), int16_t{-32768});
    EXPECT_EQ(ToInt16("32768"), std::nullopt);
    EXPECT_EQ(ToInt16("-32769"), std::nullopt);
    EXPECT_EQ(ToInt16("2.5"), int16_t{2});
    EXPECT_EQ(ToInt16("3.5"), int16_t{4});
    EXPECT_EQ(ToInt16("-2.5"), int16_t{-2});
    EXPECT_EQ(ToInt16("1e3"), int16_t{1000});
    EXPECT_EQ(ToInt16("1e400"), std::nullopt);
    EXPECT_EQ(ToInt16("99999999999999999999"), std::nullopt);
    EXPECT_EQ(ToInt16(""), std::nullopt);
    EXPECT_EQ(ToInt32("2147483647"), int32_t{2147483647});
    EXPECT_EQ(ToInt32("2147483648"), std::nullopt);
    EXPECT_EQ(ToInt32("-2147483648"), std::numeric_limits<int32_t>::min());
}

TEST(ValueText, DoublesUseThePointWhateverTheLocaleAndRefuseNonFiniteValues) {
    EXPECT_EQ(ToDouble("156.8"), 156.8);
    EXPECT_EQ(ToDouble(".5"), 0.5);
    EXPECT_EQ(ToDouble("5."), 5.0);
    EXPECT_EQ(ToDouble("1D2"), 100.0);
    EXPECT_EQ(ToDouble("+1.5e-1"), 0.15);
    EXPECT_EQ(ToDouble("-0.5"), -0.5);
    EXPECT_EQ(ToDouble("1e-400"), 0.0);
    EXPECT_EQ(ToDouble("0.000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000001"), 0.0);
    EXPECT_EQ(ToDouble("1e400"), std::nullopt);
    EXPECT_EQ(ToDouble("inf"), std::nullopt);
    EXPECT_EQ(ToDouble("nan"), std::nullopt);
    EXPECT_EQ(ToDouble("1,5"), std::nullopt);
    EXPECT_EQ(ToDouble("0x10"), std::nullopt);
    EXPECT_EQ(ToDouble("."), std::nullopt);
    EXPECT_EQ(ToDouble("-"), std::nullopt);
    EXPECT_EQ(ToDouble("1e"), std::nullopt);
}

TEST(ValueText, LeadingValueReadsTheNumberAtTheStart) {
    EXPECT_EQ(LeadingValue("12abc"), 12);
    EXPECT_EQ(LeadingValue("abc"), 0);
    EXPECT_EQ(LeadingValue(""), 0);
    EXPECT_EQ(LeadingValue("1 2"), 12);
    EXPECT_EQ(LeadingValue(" -5"), -5);
    EXPECT_EQ(LeadingValue("1e3x"), 1000);
    EXPECT_EQ(LeadingValue(".5"), 0.5);
    EXPECT_EQ(LeadingValue("7e"), 7);
    EXPECT_TRUE(std::isinf(LeadingValue("1e999")));
}

TEST(ValueText, FrequenciesAreWrittenWithFifteenSignificantDigitsAndNoTrailingZeros) {
    EXPECT_EQ(FormatFrequency(156.8), "156.8");
    EXPECT_EQ(FormatFrequency(157.0125), "157.0125");
    EXPECT_EQ(FormatFrequency(162.55), "162.55");
    EXPECT_EQ(FormatFrequency(157.0), "157");
    EXPECT_EQ(FormatFrequency(0.0), "0");
    EXPECT_EQ(FormatFrequency(-0.0), "0");
    EXPECT_EQ(FormatFrequency(123456.789012345678), "123456.789012346");
    EXPECT_EQ(FormatFrequency(1e20), "1E+20");
    EXPECT_EQ(FormatFrequency(-5), "-5");
    EXPECT_EQ(FormatFrequency(std::numeric_limits<double>::quiet_NaN()), "0");
    // Every frequency the radio can hold comes back unchanged.
    for (int units = 1000001; units < 2000000; units += 997) {
        const double mhz = units / 10000.0;
        EXPECT_EQ(ToDouble(FormatFrequency(mhz)), mhz) << units;
    }
}

}  // namespace
}  // namespace rp770
