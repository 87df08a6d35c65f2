#pragma once
// What became of one radio of a fleet: the line it gets on standard output
// as it finishes ("port TAB vessel TAB result TAB reason"), and the line
// the fleet's record keeps of it (CSV: time,port,vessel,atis,model,result,
// sha256). Plain C++.

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "fleet/Roster.h"

namespace rp770::fleet {

enum class RadioResult {
    Ok,                // programmed and verified by reading back (or, reading, read and saved)
    Failed,            // programmed whole, but not verified; or not read
    PartlyProgrammed,  // stopped part-way: the radio holds a mix of old and new data
    Untouched,         // nothing was written to the radio
};

// "ok", "failed", "partly-programmed", "untouched".
std::string_view ResultName(RadioResult result);

struct RadioReport {
    RosterEntry radio;
    RadioResult result = RadioResult::Untouched;
    std::string reason;
    std::string atis;    // the code the radio was given (the plan's own when the roster names none)
    std::string model;   // the model programmed ("MR318")
    std::string sha256;  // of the memory image sent; empty when nothing was sent
    std::vector<std::string> notes;  // what the link advised besides (a slow adapter)
};

// The line on standard output, its line end included; tabs and line breaks
// inside the fields become spaces.
std::string ReportLine(const RadioReport& report);

inline constexpr const char* kRecordHeader = "time,port,vessel,atis,model,result,sha256";

// The record's line of a radio that finished at `utcTime` (UtcTimestamp).
std::string RecordLine(const RadioReport& report, const std::string& utcTime);

// ISO 8601 in UTC: "2026-12-09T03:41:05Z".
std::string UtcTimestamp(std::time_t time);

}  // namespace rp770::fleet
