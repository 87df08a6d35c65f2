#include "fleet/Roster.h"

#include <map>

#include "files/CsvText.h"
#include "messages/MessageText.h"
#include "workspace/Edits.h"

namespace rp770::fleet {

namespace {

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

Roster Refused(int line, std::string text) {
    Roster roster;
    roster.problem = RosterProblem{line, std::move(text)};
    return roster;
}

}  // namespace

Roster ReadRoster(std::string_view text, const std::function<std::string(const std::string&)>& samePort) {
    const CsvTable table = ParseCsv(text);
    if (!table.problems.empty()) return Refused(0, table.problems.front());
    if (table.records.empty()) return Refused(0, Words(MessageId::RosterNoRadio));
    const CsvRecord& header = table.records.front();
    std::string names;
    for (const std::string& field : header.fields) names += (names.empty() ? "" : ",") + Lower(Trimmed(field));
    if (names != kRosterHeader) return Refused(header.line, Words(MessageId::RosterNotAHeader));

    Roster roster;
    std::map<std::string, int> ports;  // key -> the line that named it first
    for (size_t i = 1; i < table.records.size(); ++i) {
        const CsvRecord& record = table.records[i];
        if (record.fields.size() != 3) return Refused(record.line, Words(MessageId::RosterFieldCount));
        RosterEntry entry{record.line, Trimmed(record.fields[0]), Trimmed(record.fields[1]), {}};
        if (entry.port.empty()) return Refused(record.line, Words(MessageId::RosterNoPort));
        if (entry.vessel.empty()) return Refused(record.line, Words(MessageId::RosterNoVessel));
        const auto atis = CheckAtisCode(record.fields[2]);
        if (!atis) return Refused(record.line, Words(MessageId::RosterBadAtis, Trimmed(record.fields[2])));
        entry.atis = *atis;
        const auto [at, added] = ports.emplace(samePort(entry.port), record.line);
        if (!added) return Refused(record.line, Words(MessageId::RosterPortTwice, entry.port, at->second));
        roster.radios.push_back(std::move(entry));
    }
    if (roster.radios.empty()) return Refused(0, Words(MessageId::RosterNoRadio));
    return roster;
}

}  // namespace rp770::fleet
