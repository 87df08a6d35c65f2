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

}  // namespace
}  // namespace rp770
