#pragma once
// Program-wide switches taken from the command line.

#include <string>
#include <string_view>

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

}  // namespace rp770
