#pragma once
// The differences between two data sets, field by field, as the user knows
// the fields: the usable channel groups, the common setup, ATIS, the
// channels of every plan, the weather and the EXP channels. The command
// line prints them one a line; the window lists them in a table. Plain C++.

#include <string>
#include <vector>

#include "core/Model.h"

namespace rp770 {

struct Difference {
    std::string area;     // "Groups", "Common", "ATIS", "USA", "INT", "CAN", "WX", "EXP"
    std::string channel;  // "21A", "3", a group ("USA"); empty for a setting of the whole radio
    std::string field;    // "Scan", "RX", "Dual Watch", ...
    std::string a;        // the value in the first data set: "on", "157.0125", "\"DISTRESS\"", ...
    std::string b;        // the value in the second
    bool operator==(const Difference&) const = default;
};

// In the order of the report: groups, common setup, ATIS (models with ATIS),
// USA, INT, CAN, WX (models with weather channels), EXP.
std::vector<Difference> CompareDataSets(const DataSet& a, const DataSet& b);

// "USA 21A: Scan off -> on", "Common: Dual Watch off -> on".
std::string DifferenceLine(const Difference& difference);

// The differences as a spreadsheet takes them from the clipboard: a header
// (Area, Channel, Field, This, Other), then one row each; cells separated
// by tabs, rows ended by line feeds. A value that is a number stays one; a
// text (quoted, or a word) that a spreadsheet would run as a formula is
// marked as text (SpreadsheetText), inside its quotes.
std::string DifferencesForSpreadsheet(const std::vector<Difference>& differences);

}  // namespace rp770
