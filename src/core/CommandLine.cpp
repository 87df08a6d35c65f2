#include "core/CommandLine.h"

#include <algorithm>
#include <cstddef>

#include "core/Codecs.h"
#include "messages/MessageText.h"

namespace rp770 {

namespace {

// The window toolkit's own options, which it takes out of the command line.
struct ToolkitOption {
    std::string_view name;
    bool takesValue;
};
constexpr ToolkitOption kToolkitOptions[] = {
    {"platform", true},  {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},   {"qwindowtitle", true},  {"session", true},
    {"display", true},   {"geometry", true},           {"name", true},          {"title", true},
    {"style", true},     {"stylesheet", true},         {"reverse", false},      {"widgetcount", false},
    {"nograb", false},   {"dograb", false},            {"sync", false},
};

// How many arguments from `at` a toolkit option takes: 0 when it is none,
// -1 when its value is missing.
int ToolkitOptionLength(const std::vector<std::string>& arguments, size_t at) {
    std::string_view arg = arguments[at];
    if (arg.size() < 2 || arg[0] != '-') return 0;
    arg.remove_prefix(arg.compare(0, 2, "--") == 0 ? 2 : 1);
    const size_t equals = arg.find('=');
    for (const ToolkitOption& option : kToolkitOptions) {
        if (arg.substr(0, equals) != option.name) continue;
        if (equals != std::string_view::npos) return option.takesValue ? 1 : 0;
        if (!option.takesValue) return 1;
        return at + 1 < arguments.size() ? 2 : -1;
    }
    return 0;
}

}  // namespace

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
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") {
            if (start.file.empty() && i + 1 < arguments.size()) start.file = arguments[i + 1];
            break;
        }
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

WindowRequest CheckWindowArguments(const std::vector<std::string>& arguments) {
    WindowRequest request;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (arg == "--") break;
        if (arg == "--help" || arg == "-h") return {WindowRequest::Kind::Help, {}};
        if (arg == "--version") return {WindowRequest::Kind::Version, {}};
        if (request.kind == WindowRequest::Kind::Usage || arg.size() < 2 || arg[0] != '-' || NamesDataFile(arg))
            continue;
        const int length = ToolkitOptionLength(arguments, i);
        if (length > 0)
            i += static_cast<size_t>(length - 1);
        else
            request = {WindowRequest::Kind::Usage,
                       Words(length < 0 ? MessageId::CliOptionNeedsValue : MessageId::CliUnknownOption, arg)};
    }
    return request;
}

std::vector<std::string> WithoutToolkitOptions(const std::vector<std::string>& arguments) {
    std::vector<std::string> kept;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--") {
            kept.insert(kept.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i), arguments.end());
            break;
        }
        const int length = NamesDataFile(arguments[i]) ? 0 : ToolkitOptionLength(arguments, i);
        if (length > 0)
            i += static_cast<size_t>(length - 1);
        else
            kept.push_back(arguments[i]);
    }
    return kept;
}

namespace {

// The columns a text takes on a terminal: its characters, not its bytes
// (a translation's "ü" is one column, two bytes of UTF-8).
size_t Columns(std::string_view text) {
    size_t columns = 0;
    for (const char c : text) columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return columns;
}

// "Usage: PROG ..." and "   or: PROG ...", in any language: the first word
// ends with ":", a program follows, and the line is a synopsis ("[", "|";
// a message such as "rp770: the window needs ..." is not one); where the
// program's name ends, or 0.
size_t UsageHead(std::string_view line) {
    const size_t word = std::min(line.find_first_not_of(' '), line.size());
    const size_t space = line.find(' ', word);
    if (space == std::string_view::npos || space == word || line[space - 1] != ':') return 0;
    const bool english = line.compare(0, 7, "Usage: ") == 0 || line.compare(0, 7, "   or: ") == 0;
    if (!english && line.find_first_of("[|") == std::string_view::npos) return 0;
    const size_t program = line.find_first_not_of(' ', space);
    if (program == std::string_view::npos) return 0;
    const size_t end = line.find(' ', program);
    return end == std::string_view::npos ? line.size() : end + 1;
}

void AppendWrapped(std::string& out, std::string_view line, size_t width) {
    if (Columns(line) <= width) {
        out += line;
        return;
    }
    // The part kept as it is, and the column the following lines start at.
    const size_t indent = std::min(line.find_first_not_of(' '), line.size());
    size_t head = indent;
    const size_t usageHead = UsageHead(line);
    const bool usage = usageHead > 0;
    if (usage) {
        head = usageHead;
    } else if (const size_t gap = line.find("  ", indent); indent > 0 && gap != std::string_view::npos) {
        head = std::min(line.find_first_not_of(' ', gap), line.size());
    }
    std::string current(line.substr(0, head));
    bool empty = true;  // no word after the head yet
    size_t at = head;
    while (at < line.size()) {
        // A word; in a synopsis, a bracketed group ("[--print [QUEUE]]") is one.
        size_t end = at;
        for (int depth = 0; end < line.size() && (line[end] != ' ' || depth > 0); ++end) {
            if (usage && line[end] == '[') ++depth;
            if (usage && line[end] == ']') --depth;
        }
        const std::string_view word = line.substr(at, end - at);
        at = end + 1;
        if (word.empty()) continue;
        if (!empty && Columns(current) + 1 + Columns(word) > width) {
            out += current + '\n';
            current.assign(Columns(line.substr(0, head)), ' ');
            empty = true;
        }
        if (!empty) current += ' ';
        current += word;
        empty = false;
    }
    out += current;
}

}  // namespace

std::string WrapHelpText(std::string_view text, size_t width) {
    std::string out;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        AppendWrapped(out, text.substr(start, end - start), width);
        if (end < text.size()) out += '\n';
        start = end + 1;
    }
    return out;
}

}  // namespace rp770
