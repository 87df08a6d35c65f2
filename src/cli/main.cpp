// rp770-cli: the command-line side of RP770.

#include <algorithm>
#include <clocale>
#include <iostream>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "core/CommandLine.h"
#include "core/Failure.h"
#include "desktop/DataFolder.h"
#include "desktop/StandardStreams.h"
#include "messages/BuiltInTranslations.h"

namespace rp770::cli {

namespace {

void PrintUsage(std::ostream& out) {
    std::string text = MessageText(MessageId::CliUsage).Render();
    auto commands = Commands();
    std::sort(commands.begin(), commands.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
    for (const Command& c : commands) text += "  " + c.synopsis + "\n      " + c.summary.Render() + "\n";
    text += MessageText(MessageId::CliHelpOptions).Render() + MessageText(MessageId::HelpDataDirVariable).Render() +
            MessageText(MessageId::CliHelpEnvironment).Render();
    out << WrapHelpText(text);
}

}  // namespace
}  // namespace rp770::cli

int main(int argc, char* argv[]) {
    using namespace rp770::cli;
    rp770::platform::PrepareStandardStreams();
    std::setlocale(LC_ALL, "");  // the user's locale, as in the window: no number may depend on it
    // The language the environment asks for (LANGUAGE, LC_ALL, LC_MESSAGES, LANG); English under the C locale.
    rp770::UseBuiltInLanguage(rp770::LanguageEnvironmentOfProcess());
    if (argc < 2) {
        PrintUsage(std::cerr);
        return kExitUsage;
    }
    const std::string command = argv[1];
    int status = kExitUsage;
    int trouble = kExitFailure;
    bool known = true;
    if (command == "--help" || command == "-h" || command == "help") {
        PrintUsage(std::cout);
        status = kExitOk;
    } else if (command == "--version") {
        std::cout << "rp770-cli (" << rp770::AppTitle << ") " << RP770_VERSION << "\n";
        status = kExitOk;
    } else {
        known = false;
        for (const Command& c : Commands()) {
            if (c.name == command) {
                status = c.run(std::vector<std::string>(argv + 2, argv + argc));
                trouble = c.trouble;
                known = true;
            }
        }
    }
    if (!known) {
        std::cerr << rp770::MessageText(rp770::MessageId::CliProblem, rp770::MessageText(rp770::MessageId::CliUnknownCommand, command))
                         .Render()
                  << "\n\n";
        PrintUsage(std::cerr);
        return kExitUsage;
    }
    // Whatever went to standard output must have arrived; a failure the
    // command met has been said already.
    if (rp770::platform::StandardOutputError() == 0) {
        if (const int error = rp770::platform::FlushStandardOutput(); error != 0) {
            std::cerr << rp770::MessageText(rp770::MessageId::CliProblem,
                                            rp770::MessageText(rp770::MessageId::CliCannotWriteOutput, rp770::ErrnoText(error)))
                             .Render()
                      << "\n";
            return trouble;
        }
    }
    return status;
}
