#pragma once
// The channels as a spreadsheet table (CSV): the columns, the rows in file
// order and the text of every cell, as export writes them and import reads
// them back. Plain C++.
//
//   Plan,Slot,Channel,Tag,RxMHz,TxMHz,Enable,Scan,Duplex,TxEnable,LowPower,PowerUp,Display
//
// One row per channel: USA, INT, CAN (slots 0-113), WX (positions 1-10, only
// for models with weather channels), EXP (1-20). Channel is the name the
// channel list shows, Tag the channel's tag; RxMHz the receive frequency in
// use (the duplex one when Duplex is on), TxMHz the transmit frequency, both
// with 4 decimals and empty where there is none; switches 1 or 0, empty where
// the area has no such switch; Display an EXP channel's three display
// characters.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/Model.h"
#include "workspace/Edits.h"

namespace rp770 {

enum class CsvColumn { Plan, Slot, Channel, Tag, RxMHz, TxMHz, Enable, Scan, Duplex, TxEnable, LowPower, PowerUp, Display };
inline constexpr int kCsvColumns = 13;
using ChannelCsvCells = std::array<std::string, kCsvColumns>;

const char* CsvColumnName(CsvColumn column);
// The switch a column holds, if any.
std::optional<ChannelFlag> ColumnFlag(CsvColumn column);

// Every channel of the data, in file order.
std::vector<ChannelRef> ChannelCsvRows(const DataSet& data);
ChannelCsvCells ChannelCsvRow(const DataSet& data, ChannelRef ref);
// A frequency as the table writes it: MHz with 4 decimals, empty for none.
std::string CsvFrequency(double mhz);

// The columns of text (Channel, Tag, Display), written for spreadsheets
// (SpreadsheetText); the others hold numbers and fixed words.
bool IsTextColumn(CsvColumn column);

// The whole table: the header, then every row; UTF-8, CR LF.
std::string ExportChannelCsv(const DataSet& data);

}  // namespace rp770
