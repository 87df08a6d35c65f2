#pragma once
// Where the printed report puts its cells: columns in millimetres right of a
// 10 mm left margin, turned into twips for the printer.

#include <string_view>
#include <vector>

namespace rp770 {

inline constexpr double kTwipsPerMillimetre = 56.7;
inline constexpr int kLeftMarginMm = 10;

// (column + 10) x 56.7 twips; exact for whole millimetres (60 mm -> 3402).
double ColumnTwips(int columnMm);

// The column widths of the regular (USA, INT, CAN) and EXP lists, as stored.
inline constexpr std::string_view kRegularWidthList = "0, 12, 17, 17, 8, 9, 8, 9, 9, 8";
inline constexpr std::string_view kExpWidthList = "0, 7, 10, 17, 19, 19, 8, 10, 7, 10, 10, 7, 22, 7, 15, 7, 15";

// The entries of a comma-separated list of whole numbers; an entry that does
// not start with digits counts as 0.
std::vector<int> ParseWidthList(std::string_view text);

// The first column is entry 0; every used entry, in the order given, adds its
// width to the running sum and yields the next column. Entries past the end
// of the list add nothing.
std::vector<int> RunningColumns(const std::vector<int>& widths, const std::vector<int>& usedEntries);

// CH, RX(MHz), TX(MHz), TX, LOW, UP, DUP, MEM: 0, 12, 29, 46, 54, 63, 71, 80.
const std::vector<int>& RegularColumns();
// CH, CHD, ENABLE, RX(MHz), TX(MHz), LOW, UP, MEM: 0, 7, 17, 34, 53, 72, 82, 89
// (entry 6 of the list is not used).
const std::vector<int>& ExpColumns();
// CH, ENABLE, MEM.
const std::vector<int>& WxColumns();

}  // namespace rp770
