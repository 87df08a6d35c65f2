#include "core/CommandLine.h"

#include "core/Codecs.h"

namespace rp770 {

Switches ParseCommandLine(std::string_view commandLine) {
    const std::string line = TrimSpaces(ToUpper(commandLine));
    Switches s;
    if (line == "/DT" || line == "/TD") {
        s.debugMode = s.noEchoMode = true;
    } else if (line == "/D") {
        s.debugMode = true;
    } else if (line == "/T") {
        s.noEchoMode = true;
    }
    return s;
}

bool NamesDataFile(std::string_view path) {
    if (path.size() < 4) return false;
    const std::string_view ending = path.substr(path.size() - 4);
    return EqualsNoCase(ending, ".dat") || EqualsNoCase(ending, ".hex");
}

StartArguments ParseStartArguments(const std::vector<std::string>& arguments) {
    StartArguments start;
    std::string line;
    bool first = true;
    for (const std::string& argument : arguments) {
        if (start.file.empty() && NamesDataFile(argument)) {
            start.file = argument;
            continue;
        }
        if (!first) line += ' ';
        line += argument;
        first = false;
    }
    start.switches = ParseCommandLine(line);
    return start;
}

}  // namespace rp770
