#include "files/IniValue.h"

#include <gtest/gtest.h>

namespace rp770 {
namespace {

// One value looked up in a text: how sections, keys, blanks, quotes, line
// ends, the default marker and odd bytes are read.
TEST(IniValue, ReadFromText) {
    const std::string models = "[Model1]\r\nUSE=1\r\nAtis=True\r\n";
    const std::string missing = "[model1]\r\nuse=<NONE>\r\nkeyonly\r\n";
    const std::string twice = "[a]\nx=1\n[b]\ny=5\n[a]\ny=2\n";
    const struct {
        const char* why;
        std::string text;
        const char* section;
        const char* key;
        std::string value;
    } cases[] = {
        {"section and key in any case", models, "model1", "use", "1"},
        {"section and key in any case", models, "MODEL1", "ATIS", "True"},
        {"the default marker", missing, "model1", "use", ""},
        {"a missing key", missing, "model1", "wx", ""},
        {"a missing section", missing, "model2", "use", ""},
        {"a key without a value", missing, "model1", "keyonly", ""},
        {"one leading hash is removed", "[m]\nuse=#1\n", "m", "use", "1"},
        {"only one leading hash is removed", "[m]\nuse=##1\n", "m", "use", "#1"},
        {"at most 127 characters", "[m]\nk=" + std::string(200, 'x') + "\n", "m", "k", std::string(127, 'x')},
        {"a NUL ends the value", std::string("[m]\nk=12\0" "34\n", 12), "m", "k", "12"},
        {"a NUL first: empty", std::string("[m]\nk=\0" "34\n", 10), "m", "k", ""},
        {"blanks around key and value", "[m]\n  use \t=\t 1 \t\n", "m", "use", "1"},
        {"double quotes", "[m]\nuse=\"1\"\n", "m", "use", "1"},
        {"single quotes", "[m]\nuse='a b'\n", "m", "use", "a b"},
        {"an unpaired quote stays", "[m]\nuse=\"1\n", "m", "use", "\"1"},
        {"blanks around the section name", "[ m ]\nuse=1\n", "m", "use", "1"},
        {"the first section of a name", twice, "a", "x", "1"},
        {"only the first section of a name", twice, "a", "y", ""},
        {"a section between", twice, "b", "y", "5"},
        {"CR line ends", "[m]\ruse=1\rwx=0", "m", "wx", "0"},
        {"LF line ends", "[m]\nuse=1\nwx=0\n", "m", "use", "1"},
        {"CR LF, CR and LF in one text", "[m]\r\nuse=1\rwx=0\natis=1", "m", "atis", "1"},
        {"LF then CR: an empty line between", "[m]\n\ruse=1\r", "m", "use", "1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadIniValueFromText(c.text, c.section, c.key), c.value) << c.why << ": " << c.section << "/" << c.key;
    EXPECT_EQ(PrivateProfileString(missing, "model1", "wx", "<NONE>"), "<NONE>");
}

}  // namespace
}  // namespace rp770
