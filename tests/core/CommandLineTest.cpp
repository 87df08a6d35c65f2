#include <gtest/gtest.h>

#include "core/CommandLine.h"

namespace rp770 {
namespace {

TEST(CommandLine, Switches) {
    const struct {
        const char* line;
        bool debug, noEcho;
    } cases[] = {
        {"", false, false},     {"/D", true, false},     {"/T", false, true},    {"/DT", true, true},
        {"/TD", true, true},    {"/dt", true, true},     {"  /TD  ", true, true}, {" /d", true, false},
        {"/D /T", false, false}, {"/T /D", false, false}, {"/X", false, false},   {"D", false, false},
        {"/DTD", false, false},
    };
    for (const auto& c : cases) {
        const Switches s = ParseCommandLine(c.line);
        EXPECT_EQ(s.debugMode, c.debug) << "'" << c.line << "'";
        EXPECT_EQ(s.noEchoMode, c.noEcho) << "'" << c.line << "'";
    }
}

TEST(CommandLine, AFileBesideTheSwitches) {
    const struct {
        std::vector<std::string> args;
        const char* file;
        Switches switches;
    } cases[] = {
        {{"boat.dat"}, "boat.dat", {}},           {{"/D", "Boat.HEX"}, "Boat.HEX", {true, false}},
        {{"/D", "/T", "a.dat"}, "a.dat", {}},     {{"/tmp/my boat.dat", "/td"}, "/tmp/my boat.dat", {true, true}},
        {{"a.dat", "/D", "b.hex"}, "a.dat", {}},  {{"boat.txt"}, "", {}},  // a second file is no file: no switch
    };
    for (const auto& c : cases) {
        const StartArguments start = ParseStartArguments(c.args);
        EXPECT_EQ(start.file, c.file) << c.args.front();
        EXPECT_EQ(start.switches, c.switches) << c.args.front();
    }
}

}  // namespace
}  // namespace rp770
