#pragma once
// A channel table (CSV, as ChannelCsv.h writes it) laid over a data set.
//
// Rows may come in any order and any subset; Plan and Slot are needed, other
// columns are taken when present, unknown ones ignored. Switches read 1/0,
// yes/no, true/false or on/off in any case; an empty switch cell, or an
// empty frequency of a plan or weather channel, leaves the value as it is
// (an empty EXP frequency is no frequency). A value equal to the data's own
// is always taken; a changed one only where the channel editor would take
// it (the same checks): EXP frequencies and display characters, switches a
// channel cannot have, frequencies fixed by the channel plan. Channel and
// Tag are for the reader only. One refused row refuses the whole table.

#include <string>
#include <string_view>
#include <vector>

#include "core/Model.h"

namespace rp770 {

// A table with many faults names the first ones only, and counts them all:
// a file of a million bad rows is told in 21 lines, not a million.
inline constexpr size_t kShownProblems = 20;

struct ChannelImport {
    DataSet data;                       // the base with the table laid over it; the base when refused
    std::vector<std::string> problems;  // "line N: reason" (the header is line 1); empty when taken
    size_t moreProblems = 0;            // found after the first kShownProblems, not named
};

// What the user is told of a refused table read from `fileName`: a first
// line ("The channels of rows.csv were not imported:", with the count of
// problems when not all are named), then one line per problem named.
std::string ImportRefusalText(const std::string& fileName, const ChannelImport& imported);

ChannelImport ImportChannelCsv(const DataSet& base, std::string_view text);

}  // namespace rp770
