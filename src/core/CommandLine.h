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
// and "/D /T boat.dat" sets neither switch, as "/D /T" does. After "--"
// the arguments are file names, whatever their ending: the first is the
// file ("rp770 -- notes" opens notes, as the desktop's file types do), and
// none is part of the switch line.
struct StartArguments {
    Switches switches;
    std::string file;  // empty: none
};
StartArguments ParseStartArguments(const std::vector<std::string>& arguments);

// What the window's command line asks for, decided before any window or
// display exists. "--help" (or "-h") and "--version" are answered, the first
// of them wins; otherwise an argument that begins with "-" must be one of the
// window toolkit's own options ("-platform NAME", "-style NAME",
// "-session ID", "-reverse", ..., also with "--"), which pass through to it,
// or a data file ("-boat.dat"). "--" ends the options: what follows is file
// names. Everything else is the switch line and the file of
// ParseStartArguments.
struct WindowRequest {
    enum class Kind { Start, Help, Version, Usage };
    Kind kind = Kind::Start;
    std::string problem;  // Usage: what is wrong ("unknown option '--bogus'")
};
WindowRequest CheckWindowArguments(const std::vector<std::string>& arguments);

// The window's arguments with the toolkit's options taken out (not after
// "--"): what ParseStartArguments reads.
std::vector<std::string> WithoutToolkitOptions(const std::vector<std::string>& arguments);

// A --help text laid out for a terminal of `width` columns. Lines that fit
// stay as they are; a longer one is broken between words:
//   "Usage: PROG ARGS..."          continues under the first of ARGS;
//   "  TERM    text..."            an entry: continues under its text;
//   "  text..." / "text..."        a paragraph: continues at its indent.
// A word longer than a line stays whole. The man pages are made from such
// texts: a paragraph's lines share one indent, an entry's text lines are
// indented further than its term.
std::string WrapHelpText(std::string_view text, size_t width = 80);

}  // namespace rp770
