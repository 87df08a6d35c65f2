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
        {{"/D", "--", "notes"}, "notes", {true, false}},  {{"--", "/D"}, "/D", {}},  // after --: a file
        {{"a.dat", "--", "b"}, "a.dat", {}},     {{"/T", "--"}, "", {false, true}},
    };
    for (const auto& c : cases) {
        const StartArguments start = ParseStartArguments(c.args);
        EXPECT_EQ(start.file, c.file) << c.args.front();
        EXPECT_EQ(start.switches, c.switches) << c.args.front();
    }
}

TEST(CommandLine, WindowArgumentsAreCheckedBeforeTheWindow) {
    using Kind = WindowRequest::Kind;
    const struct {
        std::vector<std::string> args;
        Kind kind;
        const char* problem;
        std::vector<std::string> kept;  // what ParseStartArguments reads, for Start
    } cases[] = {
        {{}, Kind::Start, "", {}},
        {{"/D", "boat.dat"}, Kind::Start, "", {"/D", "boat.dat"}},
        {{"/home/me/boat.hex"}, Kind::Start, "", {"/home/me/boat.hex"}},
        {{"-boat.dat"}, Kind::Start, "", {"-boat.dat"}},  // a file, not an option
        {{"-"}, Kind::Start, "", {"-"}},
        {{"-platform", "offscreen", "/D"}, Kind::Start, "", {"/D"}},
        {{"--style", "fusion", "-reverse", "a.dat"}, Kind::Start, "", {"a.dat"}},
        {{"-style=fusion", "/T"}, Kind::Start, "", {"/T"}},
        {{"-session", "x.dat"}, Kind::Start, "", {}},  // the toolkit's value, not a file
        {{"--", "-bogus", "--help"}, Kind::Start, "", {"--", "-bogus", "--help"}},
        {{"--help"}, Kind::Help, "", {}},
        {{"/D", "-h"}, Kind::Help, "", {}},
        {{"--bogus", "--help"}, Kind::Help, "", {}},
        {{"--version", "--help"}, Kind::Version, "", {}},
        {{"--bogus"}, Kind::Usage, "unknown option '--bogus'", {}},
        {{"/D", "-x", "-y"}, Kind::Usage, "unknown option '-x'", {}},
        {{"-reverse=1"}, Kind::Usage, "unknown option '-reverse=1'", {}},
        {{"-help"}, Kind::Usage, "unknown option '-help'", {}},
        {{"a.dat", "-style"}, Kind::Usage, "option '-style' needs a value", {}},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const std::string& a : c.args) line += a + " ";
        const WindowRequest request = CheckWindowArguments(c.args);
        EXPECT_EQ(request.kind, c.kind) << line;
        EXPECT_EQ(request.problem, c.problem) << line;
        if (c.kind == Kind::Start) {
            EXPECT_EQ(WithoutToolkitOptions(c.args), c.kept) << line;
        }
    }
}

TEST(CommandLine, HelpTextIsWrappedToTheWidth) {
    const struct {
        const char* text;
        size_t width;
        const char* wrapped;
    } cases[] = {
        {"short line\n\n  --x   fits\n", 20, "short line\n\n  --x   fits\n"},
        {"a description that runs on", 12, "a\ndescription\nthat runs on"},
        {"  --port DEVICE  the serial port to use now\n", 30,
         "  --port DEVICE  the serial\n                 port to use\n                 now\n"},
        {"  a paragraph of several words\n", 16, "  a paragraph of\n  several words\n"},
        {"Usage: prog cmd [--print [QUEUE]] [-o OUT]", 26, "Usage: prog cmd\n            [--print [QUEUE]]\n            [-o OUT]"},
        {"   or: prog --help | --version", 20, "   or: prog --help |\n            --version"},
        {"  /dev/serial/by-id/usb-long-name x", 12, "  /dev/serial/by-id/usb-long-name\n  x"},
        {"many   spaces   between", 14, "many spaces\nbetween"},
        // Translations: a column is a character, not a byte; the usage line in any language.
        {"Schließen Sie über", 18, "Schließen Sie über"},
        {"  -x  ä ö ü ß é è", 12, "  -x  ä ö ü\n      ß é è"},
        {"Aufruf: prog cmd [--print [QUEUE]]", 20, "Aufruf: prog cmd\n             [--print [QUEUE]]"},
        {"Utilisation\u00a0: prog cmd [-o OUT]", 24, "Utilisation\u00a0: prog cmd\n                   [-o OUT]"},
        {"prog: the window needs a display (none is set)", 24, "prog: the window needs a\ndisplay (none is set)"},
    };
    for (const auto& c : cases) EXPECT_EQ(WrapHelpText(c.text, c.width), c.wrapped) << c.text;
}

}  // namespace
}  // namespace rp770
