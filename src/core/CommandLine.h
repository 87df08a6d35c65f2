#pragma once
// Program-wide switches taken from the command line.

#include <string>
#include <string_view>
#include <vector>

namespace rp770 {

inline constexpr const char* AppTitle = "RP770";

struct Switches {
    bool debugMode = false;   // "/D": error log, transfer monitor, hex dump, .hex files
    bool noEchoMode = false;  // "/T": the serial layer does not check echoes
    bool operator==(const Switches&) const = default;
};

// The whole command line (arguments joined by single spaces), compared as a
// whole after upper-casing and trimming surrounding spaces: "/D", "/T", "/DT"
// or "/TD". Anything else, the two switches as two words included, sets
// neither.
Switches ParseCommandLine(std::string_view commandLine);

// The path ends in ".dat" or ".hex" (any case): a file the window opens.
bool NamesDataFile(std::string_view path);

// The window's command line: a file to open after start-up and the
// switches. The file is the first argument that ends in ".dat" or ".hex"
// (any case), wherever it stands; the other arguments, joined by single
// spaces, are the switch line ParseCommandLine reads. So "/D boat.hex" and
// "boat.hex /D" open boat.hex in debug mode, "boat.dat" alone sets no switch,
// and "/D /T boat.dat" sets neither switch, as "/D /T" does.
struct StartArguments {
    Switches switches;
    std::string file;  // empty: none
};
StartArguments ParseStartArguments(const std::vector<std::string>& arguments);

}  // namespace rp770
