#include "cli/CliOptions.h"

#include <algorithm>
#include <iostream>

#include "platform/ExecutablePath.h"

namespace rp770::cli {

namespace {

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

std::optional<std::string> CliOptions::Value(const std::string& option) const {
    const auto it = values.find(option);
    if (it == values.end()) return std::nullopt;
    return it->second;
}

std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args, const CliSpec& spec,
                                          const std::string& defaultDataDir, std::string& error) {
    CliOptions options;
    options.dataDir = defaultDataDir;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // Short options ("-o") count only where the command declares them.
        const bool declaredShort = arg.size() == 2 && arg[0] == '-' && arg[1] != '-' &&
                                   (Contains(spec.valueOptions, arg) || Contains(spec.flagOptions, arg));
        if (optionsEnded || ((arg.size() < 2 || arg.compare(0, 2, "--") != 0) && !declaredShort)) {
            options.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const bool takesValue = name == "--data-dir" || name == "--destination" || Contains(spec.valueOptions, name);
        if (!takesValue) {
            if (equals == std::string::npos && Contains(spec.flagOptions, name)) {
                options.flags.insert(name);
                continue;
            }
            error = "unknown option '" + arg + "'";
            return std::nullopt;
        }
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            error = "option '" + name + "' needs a value";
            return std::nullopt;
        }
        if (value.empty()) {
            error = "option '" + name + "' needs a value";
            return std::nullopt;
        }
        if (name == "--data-dir")
            options.dataDir = value;
        else if (name == "--destination")
            options.destination = value;
        else {
            options.values[name] = value;
            options.repeated[name].push_back(value);
        }
    }
    if (options.positional.size() < spec.minPositional || options.positional.size() > spec.maxPositional) {
        error = "wrong number of arguments";
        return std::nullopt;
    }
    return options;
}

std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args, const CliSpec& spec) {
    std::string error;
    auto options = ParseCliOptions(args, spec, platform::ExecutableFolder("."), error);
    if (!options) {
        std::cerr << "rp770-cli: " << error << "\n"
                  << "usage: rp770-cli " << spec.synopsis << " [--data-dir DIR] [--destination NAME]\n";
    }
    return options;
}

}  // namespace rp770::cli
