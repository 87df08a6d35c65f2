#pragma once
// The options every rp770-cli command shares, parsed in one place:
//
//   --data-dir DIR       folder of global.ini and the model definition files
//                        (default: found as the window finds it, see
//                        desktop/DataFolder.h)
//   --destination NAME   the destination whose factory data a new data set
//                        starts from (default: the remembered one, else the
//                        first, as the window does)
//   --help, -h           the command's help on stdout; exit 0
//
// plus the command's own options and positional arguments. Both "--name
// VALUE" and "--name=VALUE" are accepted; "--" ends the options; "-" alone
// is an argument (standard input or output, see CliFiles.h).
//
// Exit status of every command: kExitOk on success, kExitFailure when the
// program refused or failed (its message is on stderr), kExitUsage for a
// wrong command line (a missing required option included), found before
// anything else runs.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/Failure.h"
#include "desktop/DataFolder.h"
#include "messages/MessageText.h"

namespace rp770::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// The exit status of an outcome, by its kind: kExitOk for success,
// kExitUsage for a request the command line got wrong (an unknown
// --destination), else `failed` (kExitFailure; diff's trouble is 2).
inline int ExitStatusOf(const Failure& failure, int failed = kExitFailure) {
    if (failure.Ok()) return kExitOk;
    return failure.kind == FailureKind::Usage ? kExitUsage : failed;
}

struct OptionHelp {
    std::string form;  // "--port DEVICE"
    MessageText text;  // what it does, one line
};

// What a command accepts besides the shared options.
struct CliSpec {
    std::string synopsis;                  // e.g. "hex2dat IN.hex|- OUT.dat|-"
    size_t minPositional = 0;
    size_t maxPositional = 0;
    std::vector<std::string> valueOptions; // extra options with a value, e.g. "--port"
    std::vector<std::string> flagOptions;  // extra switches, e.g. "--verbose"
    std::vector<std::string> requiredOptions;  // value options that must be given
    std::vector<OptionHelp> optionHelp;    // the command's own options, for --help
    // Switches that may take a value: "--print=QUEUE", or "--print QUEUE"
    // when the positional arguments are complete without QUEUE.
    std::vector<std::string> optionalValueOptions;
    // Further sections of the help, after the options ("Exit status:\n  0 ...").
    MessageText moreHelp = {};
};

struct CliOptions {
    std::string dataDir;
    platform::DataFolderSearch dataSearch;  // how dataDir was found
    std::optional<std::string> destination;
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;  // extra value options given (the last of each)
    std::map<std::string, std::vector<std::string>> repeated;  // every value of each, in order
    std::set<std::string> flags;                // extra switches given (optional-value ones too)

    bool Has(const std::string& flag) const { return flags.count(flag) != 0; }
    std::optional<std::string> Value(const std::string& option) const;
};

// Parses a command's arguments (those after the command name). Returns
// nothing when the command is not to run: after --help (printed on stdout;
// `status` kExitOk) or on a wrong command line (the problem and the usage
// on stderr; `status` kExitUsage).
std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args, const CliSpec& spec, int& status);

// The parsing alone, without printing or searching: `help` tells that
// --help was asked for, `error` what is wrong. For tests.
std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args, const CliSpec& spec,
                                          const std::string& defaultDataDir, std::string& error, bool* help = nullptr);

// The command's help text (as --help prints it).
std::string CommandHelp(const CliSpec& spec);

}  // namespace rp770::cli
