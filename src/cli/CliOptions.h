#pragma once
// The options every rp770-cli command shares, parsed in one place:
//
//   --data-dir DIR       folder of global.ini and the model definition files
//                        (default: the folder of the rp770-cli executable)
//   --destination NAME   the destination whose factory data a new data set
//                        starts from (default: the remembered one, else the
//                        first, as the window does)
//
// plus the command's own options and positional arguments. Both "--name
// VALUE" and "--name=VALUE" are accepted; "--" ends the options.
//
// Exit status of every command: kExitOk on success, kExitFailure when the
// program refused or failed (its message is on stderr), kExitUsage for a
// wrong command line.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace rp770::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// What a command accepts besides the shared options.
struct CliSpec {
    std::string synopsis;                  // e.g. "hex2dat IN.hex OUT.dat"
    size_t minPositional = 0;
    size_t maxPositional = 0;
    std::vector<std::string> valueOptions; // extra options with a value, e.g. "--port"
    std::vector<std::string> flagOptions;  // extra switches, e.g. "--verbose"
};

struct CliOptions {
    std::string dataDir;
    std::optional<std::string> destination;
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;  // extra value options given (the last of each)
    std::map<std::string, std::vector<std::string>> repeated;  // every value of each, in order
    std::set<std::string> flags;                // extra switches given

    bool Has(const std::string& flag) const { return flags.count(flag) != 0; }
    std::optional<std::string> Value(const std::string& option) const;
};

// Parses a command's arguments (those after the command name). On a wrong
// command line it prints the problem and the synopsis to stderr and returns
// nothing; the command then exits with kExitUsage.
std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args, const CliSpec& spec);

// The same without printing: `error` tells what is wrong. For tests.
std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args, const CliSpec& spec,
                                          const std::string& defaultDataDir, std::string& error);

}  // namespace rp770::cli
