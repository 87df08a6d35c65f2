#include "files/IniValue.h"

#include <gtest/gtest.h>

#include "files/TestFolder.h"

namespace rp770 {
namespace {

using testing::TestFolder;
using testing::WriteBytes;

TEST(IniValue, SectionsAndKeysMatchWithoutRegardToCase) {
    const std::string text = "[Model1]\r\nUSE=1\r\nAtis=True\r\n";
    EXPECT_EQ(ReadIniValueFromText(text, "model1", "use"), "1");
    EXPECT_EQ(ReadIniValueFromText(text, "MODEL1", "ATIS"), "True");
}

TEST(IniValue, MissingValuesAndTheDefaultMarkerGiveEmptyText) {
    const std::string text = "[model1]\r\nuse=<NONE>\r\nkeyonly\r\n";
    EXPECT_EQ(ReadIniValueFromText(text, "model1", "use"), "");
    EXPECT_EQ(ReadIniValueFromText(text, "model1", "wx"), "");
    EXPECT_EQ(ReadIniValueFromText(text, "model2", "use"), "");
    EXPECT_EQ(ReadIniValueFromText(text, "model1", "keyonly"), "");
    EXPECT_EQ(PrivateProfileString(text, "model1", "wx", "<NONE>"), "<NONE>");
}

TEST(IniValue, OneLeadingHashIsRemoved) {
    EXPECT_EQ(ReadIniValueFromText("[m]\nuse=#1\n", "m", "use"), "1");
    EXPECT_EQ(ReadIniValueFromText("[m]\nuse=##1\n", "m", "use"), "#1");
}

TEST(IniValue, AtMost127CharactersAndANulEndsTheValue) {
    const std::string longValue(200, 'x');
    EXPECT_EQ(ReadIniValueFromText("[m]\nk=" + longValue + "\n", "m", "k"), std::string(127, 'x'));
    EXPECT_EQ(ReadIniValueFromText(std::string("[m]\nk=12\0" "34\n", 12), "m", "k"), "12");
    EXPECT_EQ(ReadIniValueFromText(std::string("[m]\nk=\0" "34\n", 10), "m", "k"), "");
}

TEST(IniValue, BlanksAroundKeysAndValuesAndOnePairOfQuotesAreDropped) {
    EXPECT_EQ(ReadIniValueFromText("[m]\n  use \t=\t 1 \t\n", "m", "use"), "1");
    EXPECT_EQ(ReadIniValueFromText("[m]\nuse=\"1\"\n", "m", "use"), "1");
    EXPECT_EQ(ReadIniValueFromText("[m]\nuse='a b'\n", "m", "use"), "a b");
    EXPECT_EQ(ReadIniValueFromText("[m]\nuse=\"1\n", "m", "use"), "\"1");
    EXPECT_EQ(ReadIniValueFromText("[ m ]\nuse=1\n", "m", "use"), "1");
}

TEST(IniValue, OnlyTheFirstSectionOfANameIsSearched) {
    const std::string text = "[a]\nx=1\n[b]\ny=5\n[a]\ny=2\n";
    EXPECT_EQ(ReadIniValueFromText(text, "a", "x"), "1");
    EXPECT_EQ(ReadIniValueFromText(text, "a", "y"), "");
    EXPECT_EQ(ReadIniValueFromText(text, "b", "y"), "5");
}

TEST(IniValue, AnyLineEndIsALineEnd) {
    EXPECT_EQ(ReadIniValueFromText("[m]\ruse=1\rwx=0", "m", "wx"), "0");
    EXPECT_EQ(ReadIniValueFromText("[m]\nuse=1\nwx=0\n", "m", "use"), "1");
}

TEST(IniValue, AFileIsReadByPathAndAMissingFileReadsAsEmpty) {
    TestFolder folder;
    WriteBytes(folder / "global.ini", "[model1]\r\nuse=1\r\n");
    EXPECT_EQ(ReadIniValue(folder / "global.ini", "model1", "use"), "1");
    EXPECT_EQ(ReadIniValue(folder / "missing.ini", "model1", "use"), "");
    EXPECT_EQ(ReadIniValue(folder.str(), "model1", "use"), "");  // a folder is not a file
}

}  // namespace
}  // namespace rp770
