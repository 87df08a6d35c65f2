#include "files/SectionTable.h"

#include <gtest/gtest.h>

#include <random>

namespace rp770 {
namespace {

std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) text.append(line).append("\r\n");
    return text;
}

TEST(SectionTable, NamesAndKeysMatchInAnyCaseAndValuesAreTrimmed) {
    const auto table = SectionTable::Parse(Lines({"[chusa5]", "position=5", "  ChTag =#  NOTE  ", "Val=a=b"}));
    EXPECT_EQ(table.Lookup("CHUSA5", "Position"), "5");
    EXPECT_EQ(table.Lookup("CHUSA5", "ChTag"), "  NOTE");  // the "#" keeps the leading spaces
    EXPECT_EQ(table.Lookup("CHUSA5", "VAL"), "a=b");
    EXPECT_EQ(table.Lookup("CHUSA5", "missing"), "");
    EXPECT_EQ(table.Lookup("CHUSA6", "Position"), "");
}

TEST(SectionTable, LookupTakesTheFirstSectionThatHasTheEntry) {
    const auto table = SectionTable::Parse(Lines({"[A]", "x=1", "y=", "[a]", "y=2", "y=3", "z=9", "[A]", "z=4"}));
    EXPECT_EQ(table.Lookup("A", "x"), "1");
    EXPECT_EQ(table.Lookup("A", "y"), "");   // present, empty: the first one counts
    EXPECT_EQ(table.Lookup("A", "z"), "9");
    ASSERT_EQ(table.sections().size(), 3u);
    EXPECT_EQ(table.sections()[1].entryCount, 3u);

    // Thousands of entries, in sections of one name, each key twice.
    std::string many;
    for (int s = 0; s < 3; ++s) {
        many += "[M]\n";
        for (int k = 0; k < 2500; ++k) many += "k" + std::to_string(s * 2500 + k) + "=" + std::to_string(s) + "\n";
        if (s == 1) many += "k0=again\n";
    }
    const auto big = SectionTable::Parse(many);
    for (int k : {0, 1023, 1024, 2499, 2500, 4999, 5000, 7499})
        EXPECT_EQ(big.Lookup("M", "K" + std::to_string(k)), std::to_string(k / 2500)) << k;
    EXPECT_EQ(big.Lookup("M", "k7500"), "");
}

TEST(SectionTable, HeadersFollowTheReadersRules) {
    const auto table = SectionTable::Parse(Lines({
        "k=before any header",  // ignored
        "[]",                   // no name: dropped
        "[open",                // no "]": dropped
        "[ MAIN ] trailing",    // name before the first "]", trimmed
        "MODELTYPE=1",
        "=no key",              // "=" first: ignored
        "no equals",            // ignored
        "x[y",                  // a "[" ends the section and the line is dropped
        "lost=1",               // ... so this key line is lost
        "[NEXT]",
        "kept=1",
        "[LAST]",               // a header on the very last line has no entries
    }));
    EXPECT_EQ(table.Lookup("MAIN", "MODELTYPE"), "1");
    EXPECT_EQ(table.Lookup("MAIN", "lost"), "");
    EXPECT_EQ(table.Lookup("MAIN", ""), "");
    EXPECT_EQ(table.Lookup("NEXT", "kept"), "1");
    ASSERT_EQ(table.sections().size(), 2u);
    EXPECT_EQ(table.sections()[0].name, "MAIN");
    EXPECT_EQ(table.sections()[0].entryCount, 1u);

    // Headers at the very end of the text.
    const std::pair<const char*, size_t> atTheEnd[] = {
        {"x\n[S]", 1},      // read as a header: a section without entries
        {"[S]", 1},  {"[A]\n[S]", 1},  // ends A's entries on the last line: dropped
        {"[A]\n[S]\r\n", 1}, {"[A]\n[S", 1}, {"[", 0}, {"[]", 0}, {"[S", 0},
    };
    for (const auto& [text, count] : atTheEnd)
        EXPECT_EQ(SectionTable::Parse(text).sections().size(), count) << testing::PrintToString(std::string(text));
    const auto blank = SectionTable::Parse("[ ]\na=1");
    ASSERT_EQ(blank.sections().size(), 1u);
    EXPECT_EQ(blank.sections()[0].name, "");
    EXPECT_EQ(blank.Lookup("", "a"), "1");
}

TEST(SectionTable, AHeaderLineWithAnEqualsSignIsAnEntry) {
    const auto table = SectionTable::Parse(Lines({"[S]", "[T]=1", "a=2"}));
    EXPECT_EQ(table.Lookup("S", "[T]"), "1");
    EXPECT_EQ(table.Lookup("S", "a"), "2");
}

TEST(SectionTable, AnyLineEndWorksAndTheLastLineNeedsNone) {
    struct Case {
        const char* text;
        const char* section;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"[S]\na=1\nb=2", "S", "b", "2"},
        {"[S]\ra=1\rb=2", "S", "a", "1"},
        {"[S]\r\na=1\rb=2\nc=3\r\n", "S", "b", "2"},  // CR LF, CR and LF in one file
        {"[S]\r\na=1\rb=2\nc=3\r\n", "S", "c", "3"},
        {"[S]\n\ra=1", "S", "a", "1"},                 // LF then CR: an empty line between
        {"[S]\na=1\r", "S", "a", "1"},                 // a CR as the very last byte
        {"[S]\na=" "0123456789012345678901234567890123456789012345678901234567890123456789" "\rb=2\n", "S", "a",
         "0123456789012345678901234567890123456789012345678901234567890123456789"},  // a long value ends at its CR
        {"[S]\na=  v  ", "S", "a", "v"},               // the value ends the text, spaces and all
        {"[S]\na=#", "S", "a", ""},
        {"[S]\na=b=", "S", "a", "b="},
        {"[ S ]\r\n a b =1", "s", "A B", "1"},         // inner spaces kept, outer ones trimmed
        {"[S]\na b=1", "S", "a b ", ""},               // a key asked with a space at its end is no key
        {"[S]\nab=1\na=2", "S", "a", "2"},             // a key is not the start of a longer one
        {"[S]\na=1", "S", "ab", ""},
        {"[S]\nx]=1", "S", "x]", "1"},
        {"[CHUSA1]\na=1\n[CHUSA10]\na=10", "CHUSA1", "a", "1"},
        {"[CHUSA1]\na=1\n[CHUSA10]\na=10", "CHUSA10", "a", "10"},
        {"[CHUSA1]\na=1\n[CHUSA10]\na=10", "CHUSA", "a", ""},
        {"[CHUSA1]\na=1\n[CHUSA10]\na=10", "CHUSA1 ", "a", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SectionTable::Parse(c.text).Lookup(c.section, c.key), c.value)
            << testing::PrintToString(std::string(c.text)) << " " << c.section << "/" << c.key;
}

TEST(SectionTable, ValuesSurviveMovingTheTable) {
    SectionTable moved = SectionTable::Parse("[S]\na=1\n");
    SectionTable table = std::move(moved);
    EXPECT_EQ(table.Lookup("s", "A"), "1");
}

TEST(SectionTable, BinaryJunkNulBytesAndHugeLinesAreHandled) {
    std::string text = std::string("[S]\0x\r\n", 7) + "a=" + std::string(5'000'000, 'v') + "\r\n";
    text += std::string("b=\0\0\r\n", 6);
    const auto table = SectionTable::Parse(text);
    EXPECT_EQ(table.Lookup(std::string("S", 1), "a").size(), 5'000'000u);
    EXPECT_EQ(table.Lookup("S", "b"), std::string_view("\0\0", 2));

    std::mt19937 random(770);
    const char alphabet[] = "[]=#\r\n ab\0\xff";
    for (int round = 0; round < 300; ++round) {
        std::string junk(static_cast<size_t>(random() % 400), '\0');
        for (char& c : junk) c = alphabet[random() % (sizeof alphabet - 1)];
        const auto parsed = SectionTable::Parse(junk);
        size_t entries = 0;
        for (const auto& s : parsed.sections()) entries += s.entryCount;
        EXPECT_EQ(entries, parsed.entryCount());
    }
}

}  // namespace
}  // namespace rp770
