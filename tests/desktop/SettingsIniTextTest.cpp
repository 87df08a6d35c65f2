// The settings file's text, as the Qt desktop writes it for this program:
// names and values escaped and read back, a file QSettings wrote read, and
// one value changed with everything else left as it was.
#include <gtest/gtest.h>

#include "desktop/FileSettingsStore.h"
#include "desktop/SettingsIniText.h"
#include "files/TestFolder.h"

namespace rp770::platform {
namespace {

// What QSettings wrote for these values (Qt 6, Linux).
constexpr const char* kWrittenByQt =
    "[General]\n"
    "toplevel=t\n"
    "\n"
    "[ComPath]\n"
    "ComNum=\"/dev/serial/by-id/usb-FTDI_x,y=z;w-if00\"\n"
    "\n"
    "[%General]\n"
    "x=g\n"
    "\n"
    "[IniFilePath]\n"
    "IniFileName_1=USA-M\n"
    "\n"
    "[Settings]\n"
    "at=@@home\n"
    "ctl=tab\\there\\nnl \\\"q\\\" back\\\\slash 1\\x1\\x32 \xC3\xA4\xC3\x9F\xE2\x82\xAC\n"
    "empty=\n"
    "lastmodel=1\n"
    "list=a, b\n"
    "space=\" lead and trail \"\n"
    "\n"
    "[Weird%20Key]\n"
    "a%20b%25c=v\n";

TEST(SettingsIniText, ValuesAreEscapedAsQtEscapesThemAndReadBack) {
    const struct {
        std::string value;
        std::string written;
    } cases[] = {
        {"1", "1"},
        {"", ""},
        {"@home", "@@home"},
        {" lead and trail ", "\" lead and trail \""},
        {"/dev/serial/by-id/usb-FTDI_x,y=z;w-if00", "\"/dev/serial/by-id/usb-FTDI_x,y=z;w-if00\""},
        {"tab\there\nnl \"q\" back\\slash 1\x01" "2 \xC3\xA4", "tab\\there\\nnl \\\"q\\\" back\\\\slash 1\\x1\\x32 \xC3\xA4"},
        {std::string("nul\0" "ab", 6), "nul\\0\\x61\\x62"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeIniValue(c.value), c.written) << c.value;
        EXPECT_EQ(UnescapeIniValue(c.written), c.value) << c.written;
    }
    // What a person may have typed: spaces around a value, an octal escape,
    // a list (which is no text), a type Qt writes for bytes.
    EXPECT_EQ(UnescapeIniValue("  3  "), "3");
    EXPECT_EQ(UnescapeIniValue("\\101B"), "AB");
    EXPECT_EQ(UnescapeIniValue("a, b"), "");
    EXPECT_EQ(UnescapeIniValue("@ByteArray(xyz)"), "xyz");
}

TEST(SettingsIniText, NamesAreEscapedAsQtEscapesThemAndReadBack) {
    const struct {
        std::string name;
        std::string written;
    } cases[] = {
        {"IniFileName_1", "IniFileName_1"}, {"Weird Key", "Weird%20Key"}, {"a b%c", "a%20b%25c"},
        {"x/y", "x\\y"},                    {"\xC3\xA4", "%E4"},          {"\xE2\x82\xAC", "%U20AC"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeIniKey(c.name), c.written) << c.name;
        EXPECT_EQ(UnescapeIniKey(c.written), c.name) << c.written;
    }
}

TEST(SettingsIniText, AFileQtWroteReadsAsQtReadsIt) {
    const auto values = ReadSettingsIni(kWrittenByQt);
    const std::map<std::string, std::string> expected = {
        {"toplevel", "t"},
        {"ComPath/ComNum", "/dev/serial/by-id/usb-FTDI_x,y=z;w-if00"},
        {"General/x", "g"},
        {"IniFilePath/IniFileName_1", "USA-M"},
        {"Settings/at", "@home"},
        {"Settings/ctl", "tab\there\nnl \"q\" back\\slash 1\x01" "2 \xC3\xA4\xC3\x9F\xE2\x82\xAC"},
        {"Settings/empty", ""},
        {"Settings/lastmodel", "1"},
        {"Settings/list", ""},
        {"Settings/space", " lead and trail "},
        {"Weird Key/a b%c", "v"},
    };
    EXPECT_EQ(values, expected);
    // Comments, a line continued, line ends of either kind.
    EXPECT_EQ(ReadSettingsIni("; note\r\n[S]\r\n# more\r\nk=ab\\\r\ncd\r\n"), (std::map<std::string, std::string>{{"S/k", "abcd"}}));
}

TEST(SettingsIniText, SettingAValueChangesItsLineAndNothingElse) {
    const std::string text = kWrittenByQt;
    const struct {
        std::string section, key, value, expected;
    } cases[] = {
        // In place.
        {"Settings", "lastmodel", "3", [&] {
             std::string t = text;
             t.replace(t.find("lastmodel=1"), 11, "lastmodel=3");
             return t;
         }()},
        // At the end of its section.
        {"IniFilePath", "IniFileName_2", "INT", [&] {
             std::string t = text;
             t.insert(t.find("IniFileName_1=USA-M\n") + 20, "IniFileName_2=INT\n");
             return t;
         }()},
        // In a section of its own at the end.
        {"Window", "MainLeft", "120", text + "\n[Window]\nMainLeft=120\n"},
        {"General", "y", "@x", [&] {
             std::string t = text;
             t.insert(t.find("x=g\n") + 4, "y=@@x\n");
             return t;
         }()},
    };
    for (const auto& c : cases) {
        const std::string changed = WithSettingsIniValue(text, c.section, c.key, c.value);
        EXPECT_EQ(changed, c.expected) << c.section << "/" << c.key;
        EXPECT_EQ(ReadSettingsIni(changed).at(c.section + "/" + c.key), c.value);
    }
    // A new file; a section named General; a file with Windows line ends
    // and no last line end.
    EXPECT_EQ(WithSettingsIniValue("", "ComPath", "ComNum", "2"), "[ComPath]\nComNum=2\n");
    EXPECT_EQ(WithSettingsIniValue("[A]\nb=1\n", "General", "y", "2"), "[A]\nb=1\n\n[%General]\ny=2\n");
    EXPECT_EQ(WithSettingsIniValue("[ComPath]\r\nComNum=1", "ComPath", "ComDevice", "COM7", "\r\n"),
              "[ComPath]\r\nComNum=1\r\nComDevice=COM7\r\n");
}

TEST(UserSettingsFile, IsWhereTheDesktopKeepsIt) {
#if defined(_WIN32)
    EXPECT_EQ(UserSettingsFile(nullptr, nullptr, "C:\\Users\\u\\AppData\\Roaming"),
              std::filesystem::path("C:\\Users\\u\\AppData\\Roaming") / "RP770" / "RP770.ini");
    EXPECT_EQ(UserSettingsFile(nullptr, nullptr, nullptr), std::filesystem::path());
#else
    const struct {
        const char* xdg;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/x/config", "/home/u", "/x/config/RP770/RP770.conf"},
        {nullptr, "/home/u", "/home/u/.config/RP770/RP770.conf"},
        {"relative", "/home/u", "/home/u/.config/RP770/RP770.conf"},
        {nullptr, nullptr, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(UserSettingsFile(c.xdg, c.home, nullptr).string(), c.expected);
#endif
}

TEST(FileSettingsStore, KeepsValuesInTheFileAndLeavesNoLockBehind) {
    testing::TestFolder folder;
    const std::filesystem::path file = folder.path() / "RP770" / "RP770.conf";
    FileSettingsStore store(file);
    EXPECT_EQ(store.Get("ComPath", "ComNum"), std::nullopt);
    store.Set("ComPath", "ComNum", "3");
    store.Set("ComPath", "ComDevice", "/dev/ttyUSB0");
    EXPECT_EQ(FileSettingsStore(file).Get("ComPath", "ComNum"), "3");
    EXPECT_EQ(testing::ReadBytes(file.string()), "[ComPath]\nComNum=3\nComDevice=/dev/ttyUSB0\n");
    EXPECT_FALSE(std::filesystem::exists(file.string() + ".lock"));
#if !defined(_WIN32)
    // A lock left by a program that has gone does not stop the next change.
    testing::WriteBytes(file.string() + ".lock", "999999999\nrp770\n\n");
    store.Set("ComPath", "ComNum", "4");
    EXPECT_EQ(store.Get("ComPath", "ComNum"), "4");
#endif
}

}  // namespace
}  // namespace rp770::platform
