// What the editing boxes accept, and the checks of what was typed.
#include <gtest/gtest.h>

#include "presentation/InputRules.h"
#include "workspace/Edits.h"

namespace rp770::presentation {
namespace {

TEST(InputRules, DisplayKeysExactlyTheseCases) {
    const std::u32string wide = U"0123456789AbCdEFHIKLMnoPQRStUy- \b";
    for (char32_t c : wide) EXPECT_TRUE(DisplayKeyAllowed(c, true)) << static_cast<char>(c);
    for (char32_t c : std::u32string(U"KMQR")) {
        EXPECT_FALSE(DisplayKeyAllowed(c, false)) << static_cast<char>(c);  // only first in the left box
    }
    for (char32_t c : std::u32string(U"0AbHy- \b")) EXPECT_TRUE(DisplayKeyAllowed(c, false));
    // Other cases and characters are dropped.
    for (char32_t c : std::u32string(U"aBcDefhiklmNOpqrsTuYGJVWXZz+()./*,"))
        EXPECT_FALSE(DisplayKeyAllowed(c, true)) << static_cast<char>(c);
}

TEST(InputRules, PastedDisplayText) {
    EXPECT_TRUE(DisplayTextAllowed("K5", true));
    EXPECT_FALSE(DisplayTextAllowed("5K", true));
    EXPECT_FALSE(DisplayTextAllowed("K", false));
    EXPECT_FALSE(DisplayTextAllowed("Z", true));
    EXPECT_TRUE(DisplayTextAllowed("", true));
}

TEST(InputRules, FrequencyAndAtisKeys) {
    for (char32_t c : std::u32string(U"0123456789.\b")) EXPECT_TRUE(FrequencyKeyAllowed(c));
    for (char32_t c : std::u32string(U"-,e a")) EXPECT_FALSE(FrequencyKeyAllowed(c));
    EXPECT_EQ(FrequencyKeyTyped(U','), U'.');  // the decimal comma of many keyboards
    for (char32_t c : std::u32string(U"0.-e\b")) EXPECT_EQ(FrequencyKeyTyped(c), c);
    for (char32_t c : std::u32string(U"0123456789\b")) EXPECT_TRUE(AtisKeyAllowed(c));
    for (char32_t c : std::u32string(U". a-")) EXPECT_FALSE(AtisKeyAllowed(c));
}

TEST(InputRules, LeadingNumberReadsLikeATypedValue) {
    EXPECT_DOUBLE_EQ(LeadingNumber("156.025"), 156.025);
    EXPECT_DOUBLE_EQ(LeadingNumber("  156.0.25"), 156.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("12abc"), 12);
    EXPECT_DOUBLE_EQ(LeadingNumber("abc"), 0);
    EXPECT_DOUBLE_EQ(LeadingNumber("."), 0);
    EXPECT_DOUBLE_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(LeadingNumber(""), 0);
}

TEST(InputRules, ExpFrequencyCheck) {
    struct Case { const char* text; bool ok; double value; };
    const Case cases[] = {
        {"156.025", true, 156.025}, {"", true, 0},        {"   ", true, 0},      {"137", true, 137},
        {"174", true, 174},         {"174.000", true, 174}, {"156.0125", false, 0}, {"136.9", false, 0},
        {"174.5", false, 0},        {"174.025", false, 0}, {"156.01", false, 0},   {"0", false, 0},
        {"---.----", false, 0},     {"abc", false, 0},     {"162.55", true, 162.55}, {"162.5625", false, 0},
        {"162.575", true, 162.575}, {"157,025", true, 157.025}, {"157,0125", false, 0},
    };
    for (const Case& c : cases) {
        const auto value = CheckExpFrequency(c.text);
        EXPECT_EQ(value.has_value(), c.ok) << c.text;
        if (value && c.ok) {
            EXPECT_DOUBLE_EQ(*value, c.value) << c.text;
        }
    }
}

TEST(InputRules, AtisCodeCheck) {
    EXPECT_EQ(CheckAtisCode(""), std::optional<std::string>(""));
    EXPECT_EQ(CheckAtisCode("   "), std::optional<std::string>(""));
    EXPECT_EQ(CheckAtisCode("1234567890"), std::optional<std::string>("1234567890"));
    EXPECT_EQ(CheckAtisCode(" 1234567890 "), std::optional<std::string>("1234567890"));
    EXPECT_FALSE(CheckAtisCode("123456789"));     // nine digits
    EXPECT_FALSE(CheckAtisCode("12345678901"));   // eleven
    // Ten characters that are not all digits would program a wrong code.
    EXPECT_FALSE(CheckAtisCode("12345abcde"));
}

TEST(InputRules, RegularChannelDisplay) {
    struct Case { const char* name; const char* left; const char* right; };
    const Case cases[] = {{"16", "16", ""}, {"01A", "01", "A"}, {"88A", "88", "A"}, {"06", "06", ""}};
    for (const Case& c : cases) {
        const DisplayPair d = RegularChannelDisplay(c.name);
        EXPECT_EQ(d.left, c.left) << c.name;
        EXPECT_EQ(d.right, c.right) << c.name;
    }
    EXPECT_EQ(RegularChannelDisplay("105").left, "o5");
    EXPECT_EQ(RegularChannelDisplay("112").left, "'2");
}

}  // namespace
}  // namespace rp770::presentation
