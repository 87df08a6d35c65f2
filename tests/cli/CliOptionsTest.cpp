#include "cli/CliOptions.h"

#include <gtest/gtest.h>

namespace rp770::cli {
namespace {

CliSpec Spec(std::string synopsis, size_t positional, std::vector<std::string> values, std::vector<std::string> flags,
             std::vector<std::string> required = {}, std::vector<std::string> optionalValue = {}) {
    return CliSpec{std::move(synopsis), positional, positional, std::move(values), std::move(flags),
                   std::move(required), {}, std::move(optionalValue)};
}

TEST(CliOptions, SharedOptionsCommandOptionsAndArguments) {
    const CliSpec spec = Spec("read OUT.dat", 1, {"--port"}, {"--verbose"});
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

    options = ParseCliOptions({"-"}, spec, "/exe", error);  // standard input or output
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->positional, std::vector<std::string>{"-"});
}

TEST(CliOptions, AnOptionalValueIsTakenOnlyWhenTheArgumentsAreComplete) {
    const CliSpec spec = Spec("report IN", 1, {}, {}, {}, {"--print"});
    std::string error;
    const struct {
        std::vector<std::string> args;
        std::optional<std::string> queue;
        std::string in;
    } cases[] = {{{"in", "--print"}, std::nullopt, "in"},
                 {{"in", "--print", "q"}, "q", "in"},
                 {{"--print", "in"}, std::nullopt, "in"},
                 {{"--print=q", "in"}, "q", "in"}};
    for (const auto& c : cases) {
        const auto options = ParseCliOptions(c.args, spec, "/exe", error);
        ASSERT_TRUE(options) << error;
        EXPECT_TRUE(options->Has("--print"));
        EXPECT_EQ(options->Value("--print"), c.queue);
        EXPECT_EQ(options->positional, std::vector<std::string>{c.in});
    }
}

TEST(CliOptions, WrongCommandLinesSayWhatIsWrongAndHelpStopsTheParsing) {
    const CliSpec spec = Spec("dump IN.hex", 1, {"--port"}, {}, {"--port"});
    const struct {
        std::vector<std::string> args;
        std::string error;
    } cases[] = {{{"--port", "1"}, "wrong number of arguments"},
                 {{"a", "--port", "1", "--verbose"}, "unknown option '--verbose'"},
                 {{"a", "--port", "1", "--data-dir"}, "option '--data-dir' needs a value"},
                 {{"a", "--port", "1", "--destination="}, "option '--destination' needs a value"},
                 {{"a"}, "option '--port' is needed"},
                 {{}, "option '--port' is needed"}};
    for (const auto& c : cases) {
        std::string error;
        bool help = false;
        EXPECT_FALSE(ParseCliOptions(c.args, spec, "/exe", error, &help));
        EXPECT_EQ(error, c.error);
        EXPECT_FALSE(help);
    }
    std::string error;
    bool help = false;
    EXPECT_FALSE(ParseCliOptions({"--colour", "-h"}, spec, "/exe", error, &help));
    EXPECT_FALSE(help) << "the wrong option comes first";
    EXPECT_FALSE(ParseCliOptions({"a", "--help", "--colour"}, spec, "/exe", error, &help));
    EXPECT_TRUE(help);
}

}  // namespace
}  // namespace rp770::cli
