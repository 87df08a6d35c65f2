#include "cli/CliOptions.h"

#include <gtest/gtest.h>

namespace rp770::cli {
namespace {

TEST(CliOptions, SharedOptionsCommandOptionsAndArguments) {
    const CliSpec spec{"read OUT.dat", 1, 1, {"--port"}, {"--verbose"}};
    std::string error;
    auto options = ParseCliOptions({"--data-dir", "/d", "out.dat", "--destination=USA", "--port", "2", "--verbose"}, spec,
                                   "/exe", error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->dataDir, "/d");
    EXPECT_EQ(options->destination, "USA");
    EXPECT_EQ(options->positional, std::vector<std::string>{"out.dat"});
    EXPECT_EQ(options->Value("--port"), "2");
    EXPECT_TRUE(options->Has("--verbose"));

    options = ParseCliOptions({"--", "--data-dir"}, spec, "/exe", error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->dataDir, "/exe");
    EXPECT_EQ(options->destination, std::nullopt);
    EXPECT_EQ(options->positional, std::vector<std::string>{"--data-dir"});
}

TEST(CliOptions, WrongCommandLinesSayWhatIsWrong) {
    const CliSpec spec{"dump IN.hex", 1, 1, {}, {}};
    std::string error;
    EXPECT_FALSE(ParseCliOptions({}, spec, "/exe", error));
    EXPECT_EQ(error, "wrong number of arguments");
    EXPECT_FALSE(ParseCliOptions({"a", "--verbose"}, spec, "/exe", error));
    EXPECT_EQ(error, "unknown option '--verbose'");
    EXPECT_FALSE(ParseCliOptions({"a", "--data-dir"}, spec, "/exe", error));
    EXPECT_EQ(error, "option '--data-dir' needs a value");
    EXPECT_FALSE(ParseCliOptions({"a", "--destination="}, spec, "/exe", error));
    EXPECT_EQ(error, "option '--destination' needs a value");
}

}  // namespace
}  // namespace rp770::cli
