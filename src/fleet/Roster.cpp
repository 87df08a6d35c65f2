#include "fleet/Roster.h"

#include <map>

#include "files/CsvText.h"
#include "workspace/Edits.h"

namespace rp770::fleet {

namespace {

constexpr const char* kNotAHeader = "the first line must be the header port,vessel,atis";
constexpr const char* kFieldCount = "a radio's line has three fields: port,vessel,atis";
constexpr const char* kNoPort = "no port is named";
constexpr const char* kNoVessel = "no vessel is named";
constexpr const char* kBadAtis = "the ATIS code '%s' is not ten digits";
constexpr const char* kPortTwice = "the port %s is named twice (first on line %d)";
constexpr const char* kNoRadio = "the roster names no radio";

std::string Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return std::string(s);
}

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string Filled(std::string pattern, const std::string& text, int number = 0) {
    if (const size_t at = pattern.find("%s"); at != std::string::npos) pattern.replace(at, 2, text);
    if (const size_t at = pattern.find("%d"); at != std::string::npos) pattern.replace(at, 2, std::to_string(number));
    return pattern;
}

Roster Refused(int line, std::string text) {
    Roster roster;
    roster.problem = RosterProblem{line, std::move(text)};
    return roster;
}

}  // namespace

Roster ReadRoster(std::string_view text, const std::function<std::string(const std::string&)>& samePort) {
    const CsvTable table = ParseCsv(text);
    if (!table.problems.empty()) return Refused(0, table.problems.front());
    if (table.records.empty()) return Refused(0, kNoRadio);
    const CsvRecord& header = table.records.front();
    std::string names;
    for (const std::string& field : header.fields) names += (names.empty() ? "" : ",") + Lower(Trimmed(field));
    if (names != kRosterHeader) return Refused(header.line, kNotAHeader);

    Roster roster;
    std::map<std::string, int> ports;  // key -> the line that named it first
    for (size_t i = 1; i < table.records.size(); ++i) {
        const CsvRecord& record = table.records[i];
        if (record.fields.size() != 3) return Refused(record.line, kFieldCount);
        RosterEntry entry{record.line, Trimmed(record.fields[0]), Trimmed(record.fields[1]), {}};
        if (entry.port.empty()) return Refused(record.line, kNoPort);
        if (entry.vessel.empty()) return Refused(record.line, kNoVessel);
        const auto atis = CheckAtisCode(record.fields[2]);
        if (!atis) return Refused(record.line, Filled(kBadAtis, Trimmed(record.fields[2])));
        entry.atis = *atis;
        const auto [at, added] = ports.emplace(samePort(entry.port), record.line);
        if (!added) return Refused(record.line, Filled(kPortTwice, entry.port, at->second));
        roster.radios.push_back(std::move(entry));
    }
    if (roster.radios.empty()) return Refused(0, kNoRadio);
    return roster;
}

}  // namespace rp770::fleet
