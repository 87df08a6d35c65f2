#pragma once
// Comma-separated text as spreadsheets read and write it (RFC 4180): records
// of fields, ended by CR LF; a field that holds the separator, a quote, a
// line break or blanks at either end is quoted, its quotes doubled.
//
// The reader takes what spreadsheet programs write: a comma or a semicolon
// as separator (the one the first line uses most; spreadsheets in
// comma-decimal languages write semicolons), CR LF, LF or CR line ends, a
// UTF-8 byte order mark, quoted fields spanning lines. Blank lines are
// skipped. Plain C++, no locale.

#include <string>
#include <string_view>
#include <vector>

namespace rp770 {

// One record, its line end included.
std::string CsvRecordText(const std::vector<std::string>& fields, char separator = ',');

struct CsvRecord {
    int line = 0;  // the line it starts on, counted from 1
    std::vector<std::string> fields;
};

struct CsvTable {
    char separator = ',';
    std::vector<CsvRecord> records;
    // "line N: reason" for text that is not CSV (a quote never closed).
    std::vector<std::string> problems;
};

CsvTable ParseCsv(std::string_view text);

// A text cell as written for a spreadsheet: a text that a spreadsheet would
// run as a formula (one that begins with "=", "+", "-", "@", a tab or a
// carriage return) is written with a leading apostrophe, which spreadsheets
// show as text; so is one that begins with an apostrophe, so that reading
// it back (FromSpreadsheetText) gives exactly the text. Numbers are not
// text cells: a column of numbers is written as it is.
std::string SpreadsheetText(std::string_view text);
// The text of such a cell: one leading apostrophe removed.
std::string_view FromSpreadsheetText(std::string_view cell);

// The text with every byte that is not part of a valid UTF-8 sequence taken
// as a Latin-1 character, so that what is written is always valid UTF-8.
std::string ValidUtf8(std::string_view text);

}  // namespace rp770
