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

}  // namespace rp770
