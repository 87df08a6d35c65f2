#pragma once
// What programming would put into the radio that the user probably does not
// mean: looked at before the first byte goes out, so the user can go back.
// Plain C++.

#include <optional>
#include <string>
#include <vector>

#include "core/Model.h"
#include "workspace/DataDiff.h"

namespace rp770 {

// One line per finding, in the order of the report: channel groups (a
// usable group without an enabled channel, a priority channel that is not
// one of the group's enabled channels, no usable group at all), then EXP
// channels enabled without an RX frequency or channel number. Empty when
// the data are fit to send.
std::vector<std::string> ProgrammingFindings(const DataSet& data);

// How many fields of the radio, as the report names them, programming would
// change, given the image read from the radio earlier: both sides are
// compared as the radio holds them (what only files keep, such as tags,
// does not count).
size_t FieldsChangedInRadio(const DataSet& data, const MemoryImage& radio);
// The same fields, each with the radio's value (a) and the value sent (b).
std::vector<Difference> ChangedInRadio(const DataSet& data, const MemoryImage& radio);

// The question asked before programming when there are findings:
// the findings, what changes in the radio when that is known, and whether
// to program anyway.
std::string ProgrammingQuestion(const std::vector<std::string>& findings, std::optional<size_t> changedFields);

}  // namespace rp770
