// The channel table: what export writes reads back cleanly with any CSV
// reader; importing it unchanged changes nothing, one changed cell changes
// exactly one field; refused rows refuse the whole table with "line N".
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "core/Codecs.h"
#include "files/CsvText.h"
#include "files/TestData.h"
#include "workspace/ChannelCsv.h"
#include "workspace/ChannelCsvImport.h"

namespace rp770 {
namespace {

using Table = std::vector<std::vector<std::string>>;

// A strict RFC 4180 reader of its own (not the program's): quoted fields
// with doubled quotes, CR LF after every record, nothing else.
Table ReadStrictCsv(const std::string& text) {
    Table table(1, std::vector<std::string>(1));
    for (size_t i = 0; i < text.size(); ++i) {
        std::string& field = table.back().back();
        if (text[i] == '"') {
            EXPECT_TRUE(field.empty()) << "a quote inside an unquoted field";
            for (++i; i < text.size() && !(text[i] == '"' && text.substr(i, 2) != "\"\""); ++i)
                field += text[i] == '"' ? text[i++] : text[i];
        } else if (text[i] == ',') {
            table.back().emplace_back();
        } else if (text.compare(i, 2, "\r\n") == 0) {
            table.emplace_back(1);
            ++i;
        } else {
            EXPECT_NE(text[i], '\r') << "a bare CR";
            EXPECT_NE(text[i], '\n') << "a bare LF";
            field += text[i];
        }
    }
    EXPECT_EQ(table.back(), std::vector<std::string>(1)) << "the last record ends with CR LF";
    table.pop_back();
    return table;
}

std::string WriteQuotedCsv(const Table& table) {
    std::string text;
    for (const auto& record : table) {
        for (size_t i = 0; i < record.size(); ++i) {
            text += i ? ",\"" : "\"";
            for (char c : record[i]) text += c == '"' ? std::string("\"\"") : std::string(1, c);
            text += '"';
        }
        text += "\r\n";
    }
    return text;
}

DataSet Scrambled(unsigned seed) {
    DataSet data = testing::FactoryDataSet();
    testing::Scramble(data, seed);
    return data;
}

size_t Col(CsvColumn c) { return static_cast<size_t>(c); }

TEST(ChannelCsv, ExportReadsBackAndImportsUnchangedOrWithOneChangedCell) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        const DataSet base = Scrambled(seed);
        Table table = ReadStrictCsv(ExportChannelCsv(base));
        ASSERT_EQ(table.size(), 1u + 3 * 114 + 10 + 20);
        EXPECT_EQ(table[0], (std::vector<std::string>{"Plan", "Slot", "Channel", "Tag", "RxMHz", "TxMHz", "Enable", "Scan",
                                                      "Duplex", "TxEnable", "LowPower", "PowerUp", "Display"}));
        for (const auto& record : table) ASSERT_EQ(record.size(), 13u);

        const ChannelImport same = ImportChannelCsv(base, WriteQuotedCsv(table));
        EXPECT_EQ(same.problems, std::vector<std::string>());
        EXPECT_TRUE(same.data == base);

        // One cell changed the way a user would, and the one field it names.
        std::mt19937 random(seed);
        const size_t row = 1 + random() % (table.size() - 1);
        const ChannelRef ref = ChannelCsvRows(base)[row - 1];
        DataSet want = base;
        ChannelRecord& r = *FindRecord(want, ref);
        std::vector<std::string>& cells = table[row];
        const auto toggle = [&](CsvColumn column, bool ChannelRecord::*field) {
            r.*field = !(r.*field);
            cells[Col(column)] = r.*field ? "yes" : "Off";
        };
        const int choice = static_cast<int>(random() % 4);
        if (ref.area == Area::WX) {
            toggle(CsvColumn::Scan, &ChannelRecord::ScanMemory);
        } else if (ref.area == Area::EXP && choice == 0) {
            const int64_t units = 1370000 + 250 * static_cast<int64_t>(random() % 1481);
            r.Rxfreq = UnitsToFreq(units);
            cells[Col(CsvColumn::RxMHz)] = std::to_string(units / 10000) + "." + std::to_string(units % 10000 / 10 + 1000).substr(1);
        } else if (ref.area == Area::EXP && choice == 1) {
            const std::string digits = "0123456789";
            r.CHDisplayL = {digits[random() % 10], digits[random() % 10]};
            r.CHDisplayR = "A";
            cells[Col(CsvColumn::Display)] = r.CHDisplayL + "A";
        } else if (choice == 2 && IsPlan(ref.area) && (r.DuplexAllowed || r.Duplex)) {
            toggle(CsvColumn::Duplex, &ChannelRecord::Duplex);
        } else if (choice == 3 && IsPlan(ref.area) && !r.RxOnly) {
            toggle(CsvColumn::TxEnable, &ChannelRecord::TxEnable);
        } else {
            toggle(CsvColumn::LowPower, &ChannelRecord::LowPower);
        }
        const ChannelImport changed = ImportChannelCsv(base, WriteQuotedCsv(table));
        EXPECT_EQ(changed.problems, std::vector<std::string>()) << "row " << row;
        EXPECT_TRUE(changed.data == want) << "row " << row << ": " << WriteQuotedCsv({cells});
    }
}

// Rows under a short header (line 1); EXP 3 has no frequency in the factory data.
const char* kHeader = "Plan,Slot,RxMHz,Enable,Scan,Duplex,TxEnable,Display\r\n";

struct Refused {
    const char* rows;
    const char* problems;  // one per line
};

const Refused kRefused[] = {
    {"EXP,3,180.0000,,,,,", "line 2: EXP 3: RxMHz 180.0000 is not 137 to 174 MHz on a 25 kHz step"},
    {"EXP,3,156.0125,,,,,", "line 2: EXP 3: RxMHz 156.0125 is not 137 to 174 MHz on a 25 kHz step"},
    {"EXP,3,15x,,,,,", "line 2: EXP 3: RxMHz \"15x\" is not a frequency in MHz"},
    {"EXP,3,,1,,,,", "line 2: EXP 3: an enabled channel needs an RX frequency and a channel number (left display characters)"},
    {"EXP,3,157.0000,1,,,,\"  A\"", "line 2: EXP 3: an enabled channel needs an RX frequency and a channel number (left display characters)"},
    {"EXP,3,,,,1,,", "line 2: EXP 3: EXP channels have no Duplex (leave it empty)"},
    {"EXP,3,,,,,,KKK", "line 2: EXP 3: Display \"KKK\" holds characters the radio cannot show there"},
    {"EXP,3,,,,,,1234", "line 2: EXP 3: Display \"1234\" has more than 3 characters"},
    {"USA,30,157.0000,,,,,", "line 2: USA 16: RxMHz 157.0000 is fixed by the channel plan (156.8000)"},
    {"USA,28,,,,,1,", "line 2: USA 15: TxEnable cannot be on: the channel is receive only"},
    {"USA,1,,,,1,,", "line 2: USA 01A: Duplex cannot be on: the channel has no duplex"},
    {"USA,30,,,maybe,,,", "line 2: USA 16: Scan \"maybe\" is not 1 or 0"},
    {"USA,30,,,,,,A", "line 2: USA 16: only EXP channels have display characters"},
    {"WX,11,,,,,,", "line 2: Slot \"11\" is not a WX position (1-10)"},
    {"USA,1.5,,,,,,", "line 2: Slot \"1.5\" is not a USA slot (0-113)"},
    {"MARS,1,,,,,,", "line 2: Plan \"MARS\" is not USA, INT, CAN, WX or EXP"},
    {"USA,30,,,1,,,\r\n\r\nusa,30,,,0,,,\r\nEXP,3,180,,,,,",
     "line 4: USA 16 is on line 2 already\nline 5: EXP 3: RxMHz 180 is not 137 to 174 MHz on a 25 kHz step"},
    {"USA,30,,,\"1,,,", "line 2: a quoted field is not closed\nline 2: USA 16: Scan \"1,,,\" is not 1 or 0"},
};

TEST(ChannelCsv, RefusedRowsRefuseTheWholeTable) {
    const DataSet base = testing::FactoryDataSet();
    for (const Refused& c : kRefused) {
        const ChannelImport result = ImportChannelCsv(base, std::string(kHeader) + c.rows);
        std::string said;
        for (const std::string& p : result.problems) said += (said.empty() ? "" : "\n") + p;
        EXPECT_EQ(said, c.problems) << c.rows;
        EXPECT_TRUE(result.data == base) << c.rows;
    }
    EXPECT_EQ(ImportChannelCsv(base, "Plan,Channel\r\nUSA,16\r\n").problems,
              std::vector<std::string>{"line 1: the header has no Slot column"});
    EXPECT_EQ(ImportChannelCsv(base, "").problems, std::vector<std::string>{"line 1: the file holds no table"});
    DataSet noWeather = base;
    noWeather.flags.wx = false;
    EXPECT_EQ(ImportChannelCsv(noWeather, "Plan,Slot\r\nWX,1\r\n").problems,
              std::vector<std::string>{"line 2: this radio model has no weather channels"});
}

// Many faults: the first twenty named with their lines, all of them counted
// in the first line, so that the refusal takes 21 lines however many rows.
TEST(ChannelCsv, ATableWithManyFaultsNamesTheFirstTwentyAndCountsThemAll) {
    const DataSet base = testing::FactoryDataSet();
    for (const size_t bad : {size_t{20}, size_t{21}, size_t{5000}}) {
        std::string text = "Plan,Slot\r\n";
        for (size_t i = 0; i < bad; ++i) text += "MARS,1\r\n";
        const ChannelImport result = ImportChannelCsv(base, text);
        ASSERT_EQ(result.problems.size(), 20u) << bad;
        EXPECT_EQ(result.problems.back(), "line 21: Plan \"MARS\" is not USA, INT, CAN, WX or EXP");
        EXPECT_EQ(result.moreProblems, bad - 20);
        const std::string said = ImportRefusalText("rows.csv", result);
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 20) << "21 lines";
        EXPECT_EQ(said.substr(0, said.find('\n')),
                  bad == 20 ? std::string("The channels of rows.csv were not imported:")
                            : "The channels of rows.csv were not imported: " + std::to_string(bad) +
                                  " problems, the first 20 of them:");
    }
}

// Text cells a spreadsheet would run as formulas are marked as text with a
// leading apostrophe, and read back exactly; numbers are never marked.
TEST(ChannelCsv, TextCellsAreSafeForSpreadsheetsAndReadBackExactly) {
    const struct {
        const char* text;
        const char* written;
    } cells[] = {
        {"=1+2", "'=1+2"}, {"+CALL", "'+CALL"}, {"-12", "'-12"}, {"@SUM(A1)", "'@SUM(A1)"},
        {"\tTAB", "'\tTAB"}, {"\rCR", "'\rCR"}, {"'quoted", "''quoted"},
        {"DISTRESS", "DISTRESS"}, {" 9A", " 9A"}, {"A=B", "A=B"}, {"", ""},
    };
    for (const auto& c : cells) {
        EXPECT_EQ(SpreadsheetText(c.text), c.written) << c.text;
        EXPECT_EQ(FromSpreadsheetText(SpreadsheetText(c.text)), c.text) << c.text;
    }

    DataSet base = testing::FactoryDataSet();
    base.plan(PlanUSA)[30].ChTag = "=1+2";
    base.exp[2].CHDisplayL = "-1";
    base.exp[2].CHDisplayR = "A";
    base.exp[3].CHDisplayL = "+2";
    const Table table = ReadStrictCsv(ExportChannelCsv(base));
    const auto row = [&](Area area, int index) {
        const std::vector<ChannelRef> rows = ChannelCsvRows(base);
        return table[1 + static_cast<size_t>(std::find(rows.begin(), rows.end(), ChannelRef{area, index}) - rows.begin())];
    };
    EXPECT_EQ(row(Area::USA, 30)[Col(CsvColumn::Tag)], "'=1+2");
    EXPECT_EQ(row(Area::EXP, 2)[Col(CsvColumn::Display)], "'-1A");
    EXPECT_EQ(row(Area::EXP, 3)[Col(CsvColumn::Display)], "'+2 ");
    EXPECT_EQ(row(Area::USA, 30)[Col(CsvColumn::RxMHz)], "156.8000") << "a number is never marked";

    // Imported as exported, and as a spreadsheet that kept or dropped the mark saves it.
    for (const char* display : {"'-1A", "-1A"}) {
        std::string text = ExportChannelCsv(base);
        text.replace(text.find("'-1A"), 4, display);
        DataSet changed = base;
        changed.exp[2].CHDisplayL = "77";
        const ChannelImport back = ImportChannelCsv(changed, text);
        EXPECT_EQ(back.problems, std::vector<std::string>()) << display;
        EXPECT_TRUE(back.data == base) << display;
    }
}

struct Accepted {
    const char* text;
    std::function<bool(const DataSet&)> took;
};

const Accepted kAccepted[] = {
    // Spreadsheets of comma languages: semicolons and decimal commas; words for switches.
    {"Plan;Slot;Scan;RxMHz\r\nusa;30;Yes;156,8000\r\nEXP;4;;157,025\r\n",
     [](const DataSet& d) { return d.plan(PlanUSA)[30].ScanMemory && d.exp[4].Rxfreq == 157.025; }},
    // A byte order mark, LF line ends, quoted fields, columns in another order, a column of the user's.
    {"\xEF\xBB\xBF\"Slot\",\"My notes\",\"Plan\",\"LowPower\"\n30,\"call, then wait\",USA,TRUE\n",
     [](const DataSet& d) { return d.plan(PlanUSA)[30].LowPower; }},
    // Duplex off on channel 20: the receive frequency follows, given or left as it was.
    {"Plan,Slot,Duplex,RxMHz\r\nUSA,38,off,157.0000\r\nUSA,46,0,161.8000\r\n",
     [](const DataSet& d) { return !d.plan(PlanUSA)[38].Duplex && !d.plan(PlanUSA)[46].Duplex; }},
    // Display characters that lost their trailing blanks, and a left part typed short.
    {"Plan,Slot,Display\r\nEXP,5,7\r\nEXP,6,\" 9A\"\r\n",
     [](const DataSet& d) {
         return d.exp[5].CHDisplayL == "7 " && d.exp[5].CHDisplayR.empty() && d.exp[6].CHDisplayL == " 9" &&
                d.exp[6].CHDisplayR == "A";
     }},
};

TEST(ChannelCsv, WhatSpreadsheetsWriteIsRead) {
    const DataSet base = testing::FactoryDataSet();
    for (const Accepted& c : kAccepted) {
        const ChannelImport result = ImportChannelCsv(base, c.text);
        EXPECT_EQ(result.problems, std::vector<std::string>()) << c.text;
        EXPECT_TRUE(c.took(result.data)) << c.text;
    }
}

}  // namespace
}  // namespace rp770
