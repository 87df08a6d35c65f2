#include "sim/Faults.h"

#include <charconv>
#include <functional>
#include <map>

#include "messages/MessageText.h"

namespace rp770::sim {

namespace {

std::optional<long> ParseNumber(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

struct FaultKind {
    const char* argument;  // nullptr: none allowed; "[N]": optional; otherwise required
    MessageId help;
    std::function<bool(Faults&, std::optional<long>, std::optional<long>)> apply;
};

bool Positive(std::optional<long> v) { return v && *v >= 1 && *v <= 1000000; }

const std::map<std::string, FaultKind, std::less<>>& Kinds() {
    static const std::map<std::string, FaultKind, std::less<>> kinds = {
        {"off", {nullptr, MessageId::FaultOff,
                 [](Faults& f, auto, auto) { f.off = true; return true; }}},
        {"no-probe", {nullptr, MessageId::FaultNoProbe, [](Faults& f, auto, auto) { f.noProbe = true; return true; }}},
        {"acmd", {"ok|unknown|error|none|other|bad-end", MessageId::FaultAcmd, nullptr}},
        {"sync-once", {nullptr, MessageId::FaultSyncOnce,
                       [](Faults& f, auto, auto) { f.syncOnce = true; return true; }}},
        {"busy", {"[N]", MessageId::FaultBusy,
                  [](Faults& f, auto n, auto) { f.busyReplies = n ? static_cast<int>(*n) : -1; return !n || Positive(n); }}},
        {"status-error", {"[N]", MessageId::FaultStatusError,
                          [](Faults& f, auto n, auto) { f.statusErrors = n ? static_cast<int>(*n) : -1; return !n || Positive(n); }}},
        {"status-checksum", {nullptr, MessageId::FaultStatusChecksum,
                             [](Faults& f, auto, auto) { f.statusChecksum = true; return true; }}},
        {"checksum", {"K", MessageId::FaultChecksum,
                      [](Faults& f, auto n, auto) { f.checksumAt = static_cast<int>(n.value_or(0)); return Positive(n); }}},
        {"address", {"K", MessageId::FaultAddress,
                     [](Faults& f, auto n, auto) { f.addressAt = static_cast<int>(n.value_or(0)); return Positive(n); }}},
        {"count", {"K", MessageId::FaultCount,
                   [](Faults& f, auto n, auto) { f.countAt = static_cast<int>(n.value_or(0)); return Positive(n); }}},
        {"length", {"K", MessageId::FaultLength,
                    [](Faults& f, auto n, auto) { f.lengthAt = static_cast<int>(n.value_or(0)); return Positive(n); }}},
        {"header", {"K", MessageId::FaultHeader,
                    [](Faults& f, auto n, auto) { f.headerAt = static_cast<int>(n.value_or(0)); return Positive(n); }}},
        {"error", {"K[,N]", MessageId::FaultErrorReplies,
                   [](Faults& f, auto k, auto n) {
                       f.errorAt = static_cast<int>(k.value_or(0));
                       f.errorTimes = static_cast<int>(n.value_or(1));
                       return Positive(k) && (!n || Positive(n));
                   }}},
        {"silent-from", {"K", MessageId::FaultSilentFrom,
                         [](Faults& f, auto n, auto) { f.silentFrom = static_cast<int>(n.value_or(0)); return Positive(n); }}},
        {"no-echo", {nullptr, MessageId::FaultNoEcho, [](Faults& f, auto, auto) { f.noEcho = true; return true; }}},
        {"drop", {"N", MessageId::FaultDrop,
                  [](Faults& f, auto n, auto) { f.dropByte = static_cast<int>(n.value_or(0)); return Positive(n); }}},
        {"corrupt", {"N", MessageId::FaultCorrupt,
                     [](Faults& f, auto n, auto) { f.corruptByte = static_cast<int>(n.value_or(0)); return Positive(n); }}},
        {"drop-echo", {"N", MessageId::FaultDropEcho,
                       [](Faults& f, auto n, auto) { f.dropEcho = static_cast<int>(n.value_or(0)); return Positive(n); }}},
        {"corrupt-echo", {"N", MessageId::FaultCorruptEcho,
                          [](Faults& f, auto n, auto) { f.corruptEcho = static_cast<int>(n.value_or(0)); return Positive(n); }}},
        {"model", {"CODE", MessageId::FaultModel,
                   [](Faults& f, auto n, auto) {
                       f.modelCode = static_cast<uint16_t>(n.value_or(0));
                       return n && *n >= 0 && *n <= 0xFFFF;
                   }}},
        {"model-tail", {"CODE", MessageId::FaultModelTail,
                        [](Faults& f, auto n, auto) {
                            f.modelCodeTail = static_cast<uint16_t>(n.value_or(0));
                            return n && *n >= 0 && *n <= 0xFFFF;
                        }}},
        {"keep", {"ADDR", MessageId::FaultKeep,
                  [](Faults& f, auto n, auto) {
                      f.keep.push_back(static_cast<int>(n.value_or(-1)));
                      return n && *n >= 0 && *n < 1024;
                  }}},
        {"reply-delay", {"MS", MessageId::FaultReplyDelay,
                         [](Faults& f, auto n, auto) {
                             f.replyDelay = static_cast<double>(n.value_or(0)) / 1000.0;
                             return n && *n >= 0 && *n <= 60000;
                         }}},
    };
    return kinds;
}

bool ApplyAcmd(Faults& faults, std::string_view arg) {
    static const std::map<std::string, AcmdAnswer, std::less<>> answers = {
        {"ok", AcmdAnswer::Ok},       {"unknown", AcmdAnswer::Unknown}, {"error", AcmdAnswer::Error},
        {"none", AcmdAnswer::None},   {"other", AcmdAnswer::Other},     {"bad-end", AcmdAnswer::BadLineEnd},
    };
    const auto it = answers.find(arg);
    if (it == answers.end()) return false;
    faults.acmd = it->second;
    return true;
}

}  // namespace

bool ApplyFault(Faults& faults, std::string_view text, std::string& error) {
    const size_t eq = text.find('=');
    const std::string_view name = text.substr(0, eq);
    const bool hasArg = eq != std::string_view::npos;
    const std::string_view arg = hasArg ? text.substr(eq + 1) : std::string_view();
    const auto it = Kinds().find(name);
    if (it == Kinds().end()) {
        error = Words(MessageId::UnknownFault, std::string(name));
        return false;
    }
    const FaultKind& kind = it->second;
    const std::string argHint = kind.argument ? kind.argument : "";
    if (!kind.argument && hasArg) {
        error = Words(MessageId::FaultTakesNoArgument, std::string(name));
        return false;
    }
    if (kind.argument && argHint[0] != '[' && !hasArg) {
        error = Words(MessageId::FaultNeedsArgument, std::string(name), argHint);
        return false;
    }
    bool ok = false;
    if (name == "acmd") {
        ok = ApplyAcmd(faults, arg);
    } else {
        std::optional<long> first, second;
        bool parsed = true;
        if (hasArg) {
            const size_t comma = arg.find(',');
            first = ParseNumber(arg.substr(0, comma));
            parsed = first.has_value();
            if (comma != std::string_view::npos) {
                second = ParseNumber(arg.substr(comma + 1));
                parsed = parsed && second.has_value() && argHint.find(',') != std::string::npos;
            }
        }
        ok = parsed && kind.apply(faults, first, second);
    }
    if (!ok) error = Words(MessageId::FaultBadArgument, std::string(name), argHint);
    return ok;
}

std::string FaultHelp() {
    std::string text;
    for (const auto& [name, kind] : Kinds()) {
        std::string usage = name;
        if (kind.argument) usage += (kind.argument[0] == '[' ? "" : "=") + std::string(kind.argument);
        if (kind.argument && kind.argument[0] == '[') usage = name + "[=N]";
        constexpr size_t kColumn = 26;
        text += "  " + usage;
        text += usage.size() < kColumn ? std::string(kColumn - usage.size(), ' ') : "\n" + std::string(kColumn + 2, ' ');
        text += Words(kind.help) + "\n";
    }
    return text;
}

std::vector<std::string> FaultNames() {
    std::vector<std::string> names;
    for (const auto& entry : Kinds()) names.push_back(entry.first);
    return names;
}

}  // namespace rp770::sim
