// A fleet's roster, checked whole; what a radio's line and its record say;
// file names safe on every file system.
#include <gtest/gtest.h>

#include "fleet/RadioReport.h"
#include "fleet/Roster.h"
#include "fleet/SafeFileName.h"

namespace rp770::fleet {
namespace {

// Ports are the same when they name one device: here "3" is COM3.
std::string Key(const std::string& port) { return port == "3" ? "COM3" : port; }

TEST(Roster, IsCheckedWholeAndTheFirstProblemNamesItsLine) {
    const struct {
        const char* what;
        std::string text;
        int line;          // of the problem; -1: none
        const char* says;  // a part of the problem
    } cases[] = {
        {"good", "port,vessel,atis\r\nCOM3,Sea Star,9211234567\r\nCOM4,\"Sea Star, 2\",\r\n", -1, ""},
        {"spreadsheet's own", "\xEF\xBB\xBFPort;Vessel;ATIS\nCOM3;Sea Star;9211234567\n\nCOM4;Gull; 9211234568 \n", -1, ""},
        {"header", "port,boat,atis\nCOM3,Sea Star,\n", 1, "header port,vessel,atis"},
        {"fields", "port,vessel,atis\nCOM3,Sea Star\n", 2, "three fields"},
        {"no port", "port,vessel,atis\n ,Sea Star,\n", 2, "no port"},
        {"no vessel", "port,vessel,atis\nCOM3,,\n", 2, "no vessel"},
        {"short code", "port,vessel,atis\nCOM3,A,\nCOM4,B,921123456\n", 3, "'921123456' is not ten digits"},
        {"letters", "port,vessel,atis\nCOM3,A,92112345AB\n", 2, "not ten digits"},
        {"twice", "port,vessel,atis\nCOM3,A,\nCOM4,B,\n3,C,\n", 4, "the port 3 is named twice (first on line 2)"},
        {"empty", "port,vessel,atis\n", 0, "no radio"},
        {"nothing", "", 0, "no radio"},
        {"unclosed quote", "port,vessel,atis\nCOM3,\"Sea Star,\n", 0, "line 2"},
    };
    for (const auto& c : cases) {
        const Roster roster = ReadRoster(c.text, &Key);
        if (c.line < 0) {
            EXPECT_FALSE(roster.problem) << c.what << ": " << roster.problem->text;
            continue;
        }
        ASSERT_TRUE(roster.problem) << c.what;
        EXPECT_TRUE(roster.radios.empty()) << c.what;
        EXPECT_EQ(roster.problem->line, c.line) << c.what;
        EXPECT_NE(roster.problem->text.find(c.says), std::string::npos) << c.what << ": " << roster.problem->text;
    }
    const Roster good = ReadRoster(cases[1].text, &Key);
    ASSERT_EQ(good.radios.size(), 2u);
    EXPECT_EQ(good.radios[1].line, 4);
    EXPECT_EQ(good.radios[1].port, "COM4");
    EXPECT_EQ(good.radios[1].vessel, "Gull");
    EXPECT_EQ(good.radios[1].atis, "9211234568");
    EXPECT_EQ(ReadRoster(cases[0].text, &Key).radios[1].atis, "") << "the plan's own";
}

TEST(RadioReport, OneLineForEachRadioAndOneInTheRecord) {
    RadioReport report;
    report.radio = {2, "COM3", "Sea\tStar, 2", "9211234567"};
    report.result = RadioResult::PartlyProgrammed;
    report.reason = "Communication Error!!\n(Program to Radio)";
    report.atis = "9211234567";
    report.model = "MR318";
    report.sha256 = "ab12";
    EXPECT_EQ(ReportLine(report), "COM3\tSea Star, 2\tpartly-programmed\tCommunication Error!! (Program to Radio)\n");
    EXPECT_EQ(RecordLine(report, "2026-12-09T03:41:05Z"),
              "2026-12-09T03:41:05Z,COM3,\"Sea\tStar, 2\",9211234567,MR318,partly-programmed,ab12\r\n");
    EXPECT_EQ(std::string(kRecordHeader), "time,port,vessel,atis,model,result,sha256");
    EXPECT_EQ(UtcTimestamp(0), "1970-01-01T00:00:00Z");
    EXPECT_EQ(UtcTimestamp(1796787665), "2026-12-09T03:41:05Z");
    const std::vector<std::pair<RadioResult, const char*>> names = {{RadioResult::Ok, "ok"},
                                                                     {RadioResult::Failed, "failed"},
                                                                     {RadioResult::Untouched, "untouched"}};
    for (const auto& [result, name] : names) EXPECT_EQ(ResultName(result), name);
}

TEST(SafeFileName, KeepsWhatEveryFileSystemTakes) {
    const struct {
        std::string text;
        const char* name;
    } cases[] = {
        {"Sea Star", "Sea_Star"},
        {"Sea Star / 2", "Sea_Star_2"},
        {"M\xC3\xB6we", "M_we"},
        {"..hidden..", "hidden"},
        {"a:b*c?d\"e<f>g|h\\i", "a_b_c_d_e_f_g_h_i"},
        {"CON", "_CON"},
        {"com1.x", "_com1.x"},
        {"Comet", "Comet"},
        {"", "radio"},
        {"///", "radio"},
        {std::string(150, 'x'), nullptr},
    };
    for (const auto& c : cases) {
        const std::string name = SafeFileName(c.text);
        if (c.name)
            EXPECT_EQ(name, c.name) << c.text;
        else
            EXPECT_EQ(name.size(), 100u);
    }
    NameClaims claims;
    EXPECT_EQ(claims.Claim("Boat-9211234567"), "Boat-9211234567");
    EXPECT_EQ(claims.Claim("boat-9211234567"), "boat-9211234567-2") << "a name differing in case is the same file";
    EXPECT_EQ(claims.Claim("Boat-9211234567"), "Boat-9211234567-3");
}

}  // namespace
}  // namespace rp770::fleet
