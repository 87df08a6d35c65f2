#include "cli/CliOptions.h"

#include <algorithm>
#include <iostream>

#include "cli/CliCommands.h"
#include "core/CommandLine.h"

namespace rp770::cli {

namespace {

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

const std::vector<OptionHelp> kSharedOptionHelp = {
    {"--data-dir DIR", MessageId::CliOptionDataDir},
    {"--destination NAME", MessageId::CliOptionDestination},
    {"--help", MessageId::CliOptionHelp},
};

// Switches that contradict each other: given together, the command line is wrong.
const std::pair<const char*, const char*> kContradicting[] = {{"--yes", "--no"}};

std::string CommandName(const CliSpec& spec) { return spec.synopsis.substr(0, spec.synopsis.find(' ')); }

// The text as a sentence: its first letter a capital (a-z and the accented
// letters of Latin-1 alike), a full stop after it.
std::string Sentence(std::string s) {
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') {
        s[0] = static_cast<char>(s[0] - 'a' + 'A');
    } else if (s.size() > 1 && static_cast<unsigned char>(s[0]) == 0xC3) {
        const auto second = static_cast<unsigned char>(s[1]);
        if (second >= 0xA0 && second <= 0xBE && second != 0xB7) s[1] = static_cast<char>(second - 0x20);
    }
    return s + ".";
}

std::string Summary(const CliSpec& spec) {
    for (const Command& c : Commands())
        if (c.name == CommandName(spec) && !c.summary.Empty()) return Sentence(c.summary.Render());
    return {};
}

}  // namespace

std::optional<std::string> CliOptions::Value(const std::string& option) const {
    const auto it = values.find(option);
    if (it == values.end()) return std::nullopt;
    return it->second;
}

std::string CommandHelp(const CliSpec& spec) {
    std::string text = MessageText(MessageId::CliCommandUsage, spec.synopsis).Render() + "\n";
    if (const std::string summary = Summary(spec); !summary.empty()) text += "\n" + summary + "\n";
    text += "\n" + MessageText(MessageId::CliOptionsHeading).Render() + "\n";
    std::vector<OptionHelp> all = spec.optionHelp;
    all.insert(all.end(), kSharedOptionHelp.begin(), kSharedOptionHelp.end());
    for (const OptionHelp& o : all) {
        std::string line = "  " + o.form;
        line += line.size() < 24 ? std::string(24 - line.size(), ' ') : "\n" + std::string(24, ' ');
        text += line + o.text.Render() + "\n";
    }
    if (!spec.moreHelp.Empty()) text += "\n" + spec.moreHelp.Render();
    return WrapHelpText(text);
}

std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args, const CliSpec& spec,
                                          const std::string& defaultDataDir, std::string& error, bool* help) {
    CliOptions options;
    options.dataDir = defaultDataDir;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // Short options ("-o") count only where the command declares them.
        const bool declaredShort = arg.size() == 2 && arg[0] == '-' && arg[1] != '-' &&
                                   (Contains(spec.valueOptions, arg) || Contains(spec.flagOptions, arg));
        if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            if (help) *help = true;
            return std::nullopt;
        }
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
        if (Contains(spec.optionalValueOptions, name)) {
            options.flags.insert(name);
            if (equals != std::string::npos)
                options.values[name] = arg.substr(equals + 1);
            else if (i + 1 < args.size() && args[i + 1].rfind('-', 0) != 0 && options.positional.size() >= spec.minPositional)
                options.values[name] = args[++i];
            continue;
        }
        const bool takesValue = name == "--data-dir" || name == "--destination" || Contains(spec.valueOptions, name);
        if (!takesValue) {
            if (equals == std::string::npos && Contains(spec.flagOptions, name)) {
                options.flags.insert(name);
                continue;
            }
            error = MessageText(MessageId::CliUnknownOption, arg).Render();
            return std::nullopt;
        }
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            error = MessageText(MessageId::CliOptionNeedsValue, name).Render();
            return std::nullopt;
        }
        if (value.empty()) {
            error = MessageText(MessageId::CliOptionNeedsValue, name).Render();
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
    for (const auto& [one, other] : kContradicting) {
        if (options.Has(one) && options.Has(other)) {
            error = Words(MessageId::CliOptionsContradict, one, other);
            return std::nullopt;
        }
    }
    for (const std::string& required : spec.requiredOptions) {
        if (!options.Value(required)) {
            error = MessageText(MessageId::CliOptionNeeded, required).Render();
            return std::nullopt;
        }
    }
    if (options.positional.size() < spec.minPositional || options.positional.size() > spec.maxPositional) {
        error = MessageText(MessageId::CliWrongArgumentCount).Render();
        return std::nullopt;
    }
    return options;
}

std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args, const CliSpec& spec, int& status) {
    std::string error;
    bool help = false;
    auto options = ParseCliOptions(args, spec, "", error, &help);
    if (help) {
        std::cout << CommandHelp(spec);
        status = kExitOk;
        return std::nullopt;
    }
    if (!options) {
        std::cerr << MessageText(MessageId::CliProblem, error).Render() << "\n"
                  << MessageText(MessageId::CliShortUsage, spec.synopsis).Render() << "\n"
                  << MessageText(MessageId::CliHelpTellsMore, CommandName(spec)).Render() << "\n";
        status = kExitUsage;
        return std::nullopt;
    }
    options->dataSearch =
        options->dataDir.empty() ? platform::FindDataFolder() : platform::UseDataFolder(options->dataDir);
    options->dataDir = options->dataSearch.folder;
    return options;
}

}  // namespace rp770::cli
