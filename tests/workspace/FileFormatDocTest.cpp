// The README's "File formats" section, checked: its examples are taken from
// the README itself and fed through the program's reader, so the text and
// the program cannot drift apart.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>

#include "core/Codecs.h"
#include "files/DatWriter.h"
#include "files/MemorySettingsStore.h"
#include "files/TestData.h"
#include "files/ValueText.h"
#include "support/ScriptedPrompter.h"
#include "desktop/DiskFiles.h"
#include "workspace/Workspace.h"

namespace rp770 {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;
using Row = std::vector<std::string>;

std::string DocSection() {
    const std::string readme = ReadBytes(RP770_SOURCE_DIR "/README.md");
    const size_t start = readme.find("\n## File formats\n");
    const size_t end = readme.find("\n## ", start + 1);
    return readme.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// The rows of the table whose heading row begins with `heading`.
std::vector<Row> Table(const std::string& doc, const std::string& heading) {
    std::vector<Row> rows;
    std::istringstream in(doc.substr(doc.find("\n| " + heading) + 1));
    std::string line;
    std::getline(in, line);  // the heading row
    std::getline(in, line);  // the separator
    while (std::getline(in, line) && line.rfind('|', 0) == 0) {
        Row cells;
        std::istringstream cellsIn(line.substr(1));
        for (std::string cell; std::getline(cellsIn, cell, '|');) {
            const size_t a = cell.find_first_not_of(' '), b = cell.find_last_not_of(' ');
            cells.push_back(a == std::string::npos ? "" : cell.substr(a, b - a + 1));
        }
        rows.push_back(cells);
    }
    EXPECT_FALSE(rows.empty()) << "no table " << heading;
    return rows;
}

// The `code` fragments of a cell, <TAB> as a tab.
std::vector<std::string> Code(const std::string& cell) {
    std::vector<std::string> parts;
    for (size_t a = cell.find('`'); a != std::string::npos; a = cell.find('`', cell.find('`', a + 1) + 1)) {
        std::string part = cell.substr(a + 1, cell.find('`', a + 1) - a - 1);
        for (size_t t = part.find("<TAB>"); t != std::string::npos; t = part.find("<TAB>")) part.replace(t, 5, "\t");
        parts.push_back(part);
    }
    return parts;
}

std::string Bytes(const uint8_t* b, size_t n) {
    std::string text;
    char hex[4];
    for (size_t i = 0; i < n; ++i) {
        std::snprintf(hex, sizeof hex, i ? " %02X" : "%02X", b[i]);
        text += hex;
    }
    return text;
}

struct Session {
    testing::TestFolder folder;
    MemorySettingsStore settings;
    FolderProgramData program{folder.str()};
    Workspace ws{program, settings};
    DataSet factory;

    Session() {
        testing::CopyShippedData(folder.path());
        EXPECT_TRUE(ws.Start().Ok());
        EXPECT_TRUE(ws.New().Ok());
        factory = ws.data();
    }
    // Opens `text` as a file of the given extension; the message shown, if any.
    bool Open(const std::string& text, const char* extension, std::string& message) {
        (void)ws.New();
        const Outcome opened = ws.OpenFile(text, std::string("doc") + extension);
        message = opened.messages.empty() ? "" : opened.messages.back().text;
        return opened.Ok();
    }
};

// What a field of the table holds, as the table writes it. A Position is
// shown by where the section's tag `tag` went (tags outlive a new data set,
// so every row has its own).
std::string FieldText(const DataSet& d, const std::string& key, const std::string& tag) {
    if (key == "Resume Time") return std::to_string(d.common.ResumeTime);
    if (key == "SCAN") return d.common.Scan ? "on" : "off";
    if (key == "Rxfreq") return FormatFrequency(d.exp[1].Rxfreq);
    if (key == "Atis Code") return "`" + d.atis.AtisCode + "`";
    for (size_t i = 0; i < d.plan(0).size(); ++i)
        if (d.plan(0)[i].ChTag == tag) return "slot " + std::to_string(i);
    return "none";
}

TEST(FileFormatDoc, ValuesAreReadAsTheTableSays) {
    Session s;
    int n = 0;
    for (const Row& row : Table(DocSection(), "Section | Key | Text after =")) {
        ASSERT_EQ(row.size(), 4u);
        const std::string tag = "row" + std::to_string(++n);
        const std::string file = "[MAIN]\r\nMODELTYPE=1\r\n[" + row[0] + "]\r\n" + row[1] + "=" + Code(row[2]).at(0) +
                                 (row[1] == "Position" ? "\r\nChTag=#" + tag + "\r\n" : "\r\n");
        std::string message;
        ASSERT_TRUE(s.Open(file, ".dat", message)) << message;
        const std::string expected = row[3] == "unchanged" ? FieldText(s.factory, row[1], tag) : row[3];
        EXPECT_EQ(FieldText(s.ws.data(), row[1], tag), expected) << row[1] << "=" << row[2];
    }
}

TEST(FileFormatDoc, FrequenciesAreStoredAsTheTableSays) {
    for (const Row& row : Table(DocSection(), "Frequency | Bytes")) {
        uint8_t bytes[3];
        EncodeFreq(ToDouble(Code(row[0]).at(0)).value(), bytes);
        EXPECT_EQ(Bytes(bytes, 3), Code(row[1]).at(0)) << row[0];
    }
}

TEST(FileFormatDoc, TheExampleFileIsAcceptedWithAnyLineEnds) {
    Session s;
    const std::string doc = DocSection();
    const size_t start = doc.find("```\n") + 4;
    const std::string example = doc.substr(start, doc.find("```", start) - start);
    std::string read;
    for (const char* end : {"\r\n", "\n", "\r"}) {
        std::string text;
        std::istringstream in(example);
        for (std::string line; std::getline(in, line);) text += line + end;
        std::string message;
        ASSERT_TRUE(s.Open(text, ".dat", message)) << message;
        const std::string now = FormatSettingsText(s.ws.data());
        if (read.empty()) read = now;
        EXPECT_EQ(now, read) << "line ends " << (end[0] == '\r' ? (end[1] ? "CR LF" : "CR") : "LF");
    }
    EXPECT_EQ(s.ws.data().plan(0)[16].ChTag, "  CH 16");
    EXPECT_EQ(s.ws.data().exp[1].Rxfreq, 157.0125);
}

TEST(FileFormatDoc, MemoryImageFilesAreAcceptedOrRefusedAsTheTableSays) {
    Session s;
    const std::string factory = ReadBytes(s.folder / "USA_013E.ini");
    for (const Row& row : Table(DocSection(), "Length | First bytes")) {
        std::string bytes = factory;
        bytes.resize(std::stoul(row[0]), '\0');
        const std::string first = Code(row[1]).at(0), last = Code(row[2]).at(0);
        bytes[0] = static_cast<char>(std::stoi(first.substr(0, 2), nullptr, 16));
        bytes[1] = static_cast<char>(std::stoi(first.substr(3, 2), nullptr, 16));
        bytes[bytes.size() - 2] = static_cast<char>(std::stoi(last.substr(0, 2), nullptr, 16));
        bytes[bytes.size() - 1] = static_cast<char>(std::stoi(last.substr(3, 2), nullptr, 16));
        std::string message;
        const bool accepted = s.Open(bytes, ".hex", message);
        EXPECT_EQ(accepted ? "accepted" : "refused: " + message, row[3]) << row[0] << " " << row[1] << " " << row[2];
        if (!accepted) {
            EXPECT_EQ(s.ws.data().image.bytes, s.factory.image.bytes) << "a refused file changed the data";
        }
    }
}

TEST(FileFormatDoc, SettingsFilesAreRefusedAsTheTableSaysAndLeaveTheFactoryData) {
    Session s;
    for (const Row& row : Table(DocSection(), "Lines of the file")) {
        std::string text;
        for (const std::string& line : Code(row[0])) text += line + "\r\n";
        std::string message;
        const bool accepted = s.Open(text, ".dat", message);
        EXPECT_EQ(accepted ? "accepted" : "refused: " + message, row[1]) << row[0];
        if (!accepted) {
            EXPECT_EQ(FormatSettingsText(s.ws.data()), FormatSettingsText(s.factory)) << row[0];
            EXPECT_EQ(s.ws.currentFilePath(), "");
        }
    }
}

}  // namespace
}  // namespace rp770
