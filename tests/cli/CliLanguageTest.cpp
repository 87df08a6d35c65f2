// rp770-cli speaks the language the environment asks for, in its help and
// in what it says on a wrong command line; under the C locale it says
// exactly what it has always said, and its help fits 80 columns in every
// language.

#include "CliFixture.h"

#include "messages/BuiltInTranslations.h"
#include "messages/MessageText.h"

namespace rp770 {
namespace {

// The text of a message in a language, as the program's tables hold it.
std::string In(const char* language, MessageId id) { return std::string(BuiltInTranslations(language)->Text(id)); }

// The widest line of a text, in characters (not bytes).
size_t WidestLine(const std::string& text) {
    size_t widest = 0, columns = 0;
    for (const char c : text) {
        if (c == '\n') {
            widest = std::max(widest, columns);
            columns = 0;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++columns;
        }
    }
    return std::max(widest, columns);
}

class CliLanguage : public Cli {};

TEST_F(CliLanguage, HelpAndUsageErrorsSpeakTheEnvironmentsLanguage) {
    const struct {
        const char* environment;
        const char* language;
    } cases[] = {
        {"env LC_ALL=de_DE.UTF-8 LANGUAGE=de", "de"},
        {"env LC_ALL= LC_MESSAGES= LANG=nl_BE.UTF-8 LANGUAGE=", "nl"},
        {"env LC_ALL=fr_CA.UTF-8 LANGUAGE=", "fr"},
    };
    for (const auto& c : cases) {
        const CliRun help = RunShell(std::string(c.environment) + " " + Quote(RP770_CLI_PATH) + " --help");
        EXPECT_EQ(help.status, 0) << c.language;
        EXPECT_NE(help.out.find(In(c.language, MessageId::CliUsage).substr(0, 20)), std::string::npos) << help.out;
        EXPECT_NE(help.out.find(In(c.language, MessageId::CliSummaryDump)), std::string::npos) << help.out;
        EXPECT_EQ(help.out.find("Exit status:"), std::string::npos) << c.language;
        const CliRun wrong = RunShell(std::string(c.environment) + " " + Quote(RP770_CLI_PATH) + " dump");
        EXPECT_EQ(wrong.status, 2) << c.language;
        EXPECT_NE(wrong.err.find(In(c.language, MessageId::CliWrongArgumentCount)), std::string::npos) << wrong.err;
        // A command's own words, the fleet's help and the window's help and usage.
        const CliRun simulate = RunShell(std::string(c.environment) + " " + Quote(RP770_CLI_PATH) + " simulate --bogus");
        EXPECT_EQ(simulate.status, 2) << c.language;
        EXPECT_NE(simulate.err.find(FillPlaceholders(In(c.language, MessageId::CliUnknownArgument), {"--bogus"})),
                  std::string::npos)
            << simulate.err;
        EXPECT_NE(help.out.find(In(c.language, MessageId::CliSummaryFleet).substr(0, 30)), std::string::npos) << help.out;
        const std::string window = std::string(c.environment) + " QT_QPA_PLATFORM=none " + Quote(RP770_GUI_PATH);
        const CliRun windowHelp = RunShell(window + " --help");
        EXPECT_EQ(windowHelp.status, 0) << c.language;
        EXPECT_EQ(windowHelp.out.rfind(In(c.language, MessageId::WindowHelp).substr(0, 20), 0), 0u) << windowHelp.out;
        const CliRun windowWrong = RunShell(window + " --bogus");
        EXPECT_EQ(windowWrong.status, 2) << c.language;
        EXPECT_NE(windowWrong.err.find(In(c.language, MessageId::WindowUsage).substr(0, 20)), std::string::npos)
            << windowWrong.err;
        EXPECT_NE(windowWrong.err.find(FillPlaceholders(In(c.language, MessageId::CliUnknownOption), {"--bogus"})),
                  std::string::npos)
            << windowWrong.err;
    }
}

TEST_F(CliLanguage, TheCLocaleSaysTodaysTextsWhateverLanguageIsAsked) {
    for (const char* args : {" --help", " report --help", " fleet --help", " dump", " bogus", " simulate --bogus"}) {
        const CliRun english = RunShell("env LANGUAGE=en " + Quote(RP770_CLI_PATH) + args);
        const CliRun c = RunShell("env LC_ALL=C LANGUAGE=de " + Quote(RP770_CLI_PATH) + args);
        EXPECT_EQ(c.out, english.out) << args;
        EXPECT_EQ(c.err, english.err) << args;
        EXPECT_EQ(c.status, english.status) << args;
    }
    for (const char* args : {" --help", " --bogus"}) {
        const std::string window = " QT_QPA_PLATFORM=none " + Quote(RP770_GUI_PATH) + args;
        const CliRun english = RunShell("env LANGUAGE=en" + window);
        const CliRun c = RunShell("env LC_ALL=C LANGUAGE=de" + window);
        EXPECT_EQ(c.out, english.out) << args;
        EXPECT_EQ(c.err, english.err) << args;
    }
    const CliRun help = RunShell("env LC_ALL=C " + Quote(RP770_CLI_PATH) + " --help");
    EXPECT_EQ(help.out.rfind("Usage: rp770-cli COMMAND [ARGUMENTS] [OPTIONS]\n   or: rp770-cli --help | --version\n", 0), 0u);
}

TEST_F(CliLanguage, EveryHelpFitsEightyColumnsInEveryLanguage) {
    for (const char* language : {"en", "de", "nl", "fr"}) {
        for (const char* command : {"", "report", "import-csv", "export-csv", "diff", "program", "simulate", "fleet"}) {
            const CliRun help = RunShell(std::string("env LC_ALL=C.UTF-8 LANGUAGE=") + language + " " +
                                         Quote(RP770_CLI_PATH) + " " + command + " --help");
            EXPECT_EQ(help.status, 0) << language << " " << command;
            EXPECT_LE(WidestLine(help.out), 80u) << language << " " << command << "\n" << help.out;
        }
    }
}

}  // namespace
}  // namespace rp770
