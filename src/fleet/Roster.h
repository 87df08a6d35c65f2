#pragma once
// A fleet's roster: CSV with the header "port,vessel,atis" and one radio a
// line, each on a cable of its own (a port as `program --port` takes it),
// its vessel's name and its ten-digit ATIS code, or none for the plan's
// own (two radios of one vessel may share a code). The whole roster is
// checked before any radio is touched. Plain C++.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rp770::fleet {

struct RosterEntry {
    int line = 0;  // in the roster file, counted from 1
    std::string port;
    std::string vessel;
    std::string atis;  // empty: the plan's own
};

struct RosterProblem {
    int line = 0;  // 0: the roster as a whole
    std::string text;
};

struct Roster {
    std::vector<RosterEntry> radios;
    std::optional<RosterProblem> problem;  // the first one found; then no radio is listed
};

inline constexpr const char* kRosterHeader = "port,vessel,atis";

// `samePort` gives each port the key under which two names of one port
// ("3" and "COM3", a device and a link to it) are found to be the same.
Roster ReadRoster(std::string_view text, const std::function<std::string(const std::string&)>& samePort);

}  // namespace rp770::fleet
