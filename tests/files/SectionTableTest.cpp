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
}

TEST(SectionTable, AHeaderLineWithAnEqualsSignIsAnEntry) {
    const auto table = SectionTable::Parse(Lines({"[S]", "[T]=1", "a=2"}));
    EXPECT_EQ(table.Lookup("S", "[T]"), "1");
    EXPECT_EQ(table.Lookup("S", "a"), "2");
}

TEST(SectionTable, AnyLineEndWorksAndTheLastLineNeedsNone) {
    EXPECT_EQ(SectionTable::Parse("[S]\na=1\nb=2").Lookup("S", "b"), "2");
    EXPECT_EQ(SectionTable::Parse("[S]\ra=1\rb=2").Lookup("S", "a"), "1");
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
