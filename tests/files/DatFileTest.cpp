#include <gtest/gtest.h>

#include "core/Codecs.h"
#include "files/DatReader.h"
#include "files/DatWriter.h"
#include "files/SectionTable.h"
#include "files/TestData.h"

namespace rp770 {
namespace {

using testing::FactoryDataSet;
using testing::Scramble;

void ExpectSameFileFields(const DataSet& got, const DataSet& want) {
    for (int p = 0; p < kPlanCount; ++p)
        for (size_t i = 0; i < got.plan(p).size(); ++i) EXPECT_EQ(got.plan(p)[i], want.plan(p)[i]) << "plan " << p << " slot " << i;
    ASSERT_EQ(got.wx.size(), want.wx.size());
    for (size_t k = 0; k < got.wx.size(); ++k) EXPECT_EQ(got.wx[k], want.wx[k]) << "wx " << k;
    for (int n = 1; n <= kExpChannels; ++n) EXPECT_EQ(got.exp[static_cast<size_t>(n)], want.exp[static_cast<size_t>(n)]) << "exp " << n;
    EXPECT_EQ(got.groups, want.groups);
    EXPECT_EQ(got.common, want.common);
    EXPECT_EQ(got.atis, want.atis);
}

DataSet ReadBack(const std::string& text, bool atis, bool wx) {
    DataSet fresh = FactoryDataSet(atis, wx);
    ApplySections(SectionTable::Parse(text), fresh);
    return fresh;
}

TEST(DatFile, WritingAndReadingBackGivesEveryFieldBack) {
    for (unsigned seed : {1u, 2u, 3u}) {
        DataSet data = FactoryDataSet();
        Scramble(data, seed);
        ExpectSameFileFields(ReadBack(FormatSettingsText(data), true, true), data);
    }
}

TEST(DatFile, AtisAndWeatherSectionsTakePartOnlyForModelsThatHaveThem) {
    const DataSet factory = FactoryDataSet(false, false);
    DataSet data = factory;
    Scramble(data, 7);
    const std::string text = FormatSettingsText(data);
    EXPECT_EQ(text.find("[ATIS Setup]"), std::string::npos);
    EXPECT_EQ(text.find("[CHWX"), std::string::npos);

    const DataSet back = ReadBack(text, false, false);
    EXPECT_EQ(back.atis, factory.atis);
    // The weather channels are read in any case: without sections their
    // flags stay and their tags are emptied.
    for (size_t k = 0; k < back.wx.size(); ++k) {
        EXPECT_EQ(back.wx[k].Enable, factory.wx[k].Enable);
        EXPECT_EQ(back.wx[k].ChTag, "");
    }
    EXPECT_EQ(back.plans, data.plans);
    EXPECT_EQ(back.common, data.common);
}

TEST(DatFile, TheTextHasTheFilesExactForm) {
    DataSet data = FactoryDataSet();
    data.groups[0].PriorityChannel = 32;
    data.common.TxPoDisplay = -2;
    data.common.ResumeTime = -1;
    data.common.WeatherAlert = 3;
    data.exp[1].Rxfreq = 156.8;
    data.exp[1].Txfreq = 157.0125;
    data.exp[2] = ChannelRecord{};
    data.exp[1].CHDisplayL = "7";
    data.plan(PlanUSA)[0].ChTag = "  NOTE";
    const std::string text = FormatSettingsText(data);

    EXPECT_EQ(text.rfind("[MAIN]\r\nMODEL=#MR318\r\nTYPE=#QZP\r\nVERSION=#1.00\r\nMODELTYPE=1\r\n[Usable CH Group Setup]\r\n"
                         "Group1=",
                         0),
              0u);
    for (const char* line : {"\r\nExp CH=", "\r\nPriority CH 0=32\r\n", "\r\nPriority CH 3=", "\r\nTX Po Display=2\r\n",
                             "\r\nResume Time=-1\r\n", "\r\nWeater=3\r\n", "\r\nAtis Code=#", "\r\nUsable ATIS CH Group3=",
                             "\r\n[CHUSA0]\r\nPosition=0\r\nEnable=", "\r\nChTag=#  NOTE\r\n", "\r\n[CHCAN113]\r\nPosition=113\r\n",
                             "\r\n[CHWX9]\r\nEnable=", "\r\n[CHEXP1]\r\nEnable=", "\r\nCHDisplayL=7\r\n", "\r\nRxfreq=156.8\r\n",
                             "\r\nTxfreq=157.0125\r\n", "\r\n[CHEXP20]\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_NE(text.find("[CHEXP2]\r\nEnable=0\r\nCHDisplayL=\r\nCHDisplayR=\r\nRxfreq=0\r\n"), std::string::npos);
    // CR LF after every line, no blank lines, no lone line feeds.
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(text.find("\r\n\r\n"), std::string::npos);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_EQ(text[i - 1], '\r') << i;
        }
    }
    // Sections: MAIN, groups, common, ATIS, 3 x 114 channels, 10 WX, 20 EXP.
    size_t headers = 0;
    for (size_t i = 0; (i = text.find("\r\n[", i)) != std::string::npos; ++i) ++headers;
    EXPECT_EQ(headers + 1, 4u + 3u * 114u + 10u + 20u);
}

TEST(DatFile, AValueNeverRunsPastItsLine) {
    DataSet data = FactoryDataSet();
    data.atis.AtisCode = "123\r\n[CHUSA0]\r\nPosition=5";
    const std::string text = FormatSettingsText(data);
    EXPECT_NE(text.find("\r\nAtis Code=#123\r\n[CHUSA0]\r\nPosition=0\r\n"), std::string::npos);
}

std::string File(std::initializer_list<const char*> lines) {
    std::string text = "[MAIN]\r\nMODELTYPE=1\r\n";
    for (const char* line : lines) text.append(line).append("\r\n");
    return text;
}

TEST(DatFile, AFileOfOnlyTheHeaderGivesTheDefaultsWithUnpositionedTextsEmptied) {
    const DataSet factory = FactoryDataSet();
    const DataSet back = ReadBack(File({}), true, true);
    EXPECT_EQ(back.plans, factory.plans);  // stops at the missing CHUSA0: tags kept
    EXPECT_EQ(back.groups, factory.groups);
    EXPECT_EQ(back.common, factory.common);
    EXPECT_EQ(back.atis.AtisGroups, factory.atis.AtisGroups);
    EXPECT_EQ(back.atis.AtisCode, "");
    for (size_t k = 0; k < back.wx.size(); ++k) {
        EXPECT_EQ(back.wx[k].ChTag, "");
        EXPECT_EQ(back.wx[k].Enable, factory.wx[k].Enable);
    }
    for (int n = 1; n <= kExpChannels; ++n) {
        const ChannelRecord& r = back.exp[static_cast<size_t>(n)];
        const ChannelRecord& f = factory.exp[static_cast<size_t>(n)];
        EXPECT_EQ(r.CHDisplayL, "");
        EXPECT_EQ(r.CHDisplayR, "");
        EXPECT_EQ(r.ChTag, "");
        EXPECT_EQ(r.Rxfreq, f.Rxfreq);
        EXPECT_EQ(r.Enable, f.Enable);
    }
}

TEST(DatFile, ChannelSectionsFollowThePositionRules) {
    const DataSet factory = FactoryDataSet();
    const DataSet back = ReadBack(File({"[CHUSA0]", "Position=200", "Enable=1",  // outside the plan: skipped
                                        "[CHUSA1]", "Position=5", "Enable=1", "ChTag=#FIVE",
                                        "[CHUSA3]", "Position=7", "ChTag=#SEVEN",  // never reached
                                        "[CHINT0]", "Position=abc", "ChTag=#ZERO",  // no number: slot 0
                                        "[CHINT1]", "Position=9", "Enable=1", "[CHINT2]", "Position=9", "Enable=0",
                                        "[CHCAN0]", "Position=", "ChTag=#X"}),  // empty: the plan ends
                               true, true);
    EXPECT_EQ(back.plan(PlanUSA)[5].ChTag, "FIVE");
    EXPECT_TRUE(back.plan(PlanUSA)[5].Enable);
    EXPECT_EQ(back.plan(PlanUSA)[7], factory.plan(PlanUSA)[7]);
    EXPECT_EQ(back.plan(PlanUSA)[0], factory.plan(PlanUSA)[0]);
    EXPECT_EQ(back.plan(PlanINT)[0].ChTag, "ZERO");
    EXPECT_FALSE(back.plan(PlanINT)[9].Enable);  // the later section for a slot wins
    EXPECT_EQ(back.plan(PlanCAN), factory.plan(PlanCAN));
}

TEST(DatFile, DuplexNeedsASlotThatAllowsIt) {
    const DataSet factory = FactoryDataSet();
    int simplex = -1, duplex = -1;
    for (int i = 0; i < kPlanSlots; ++i) {
        const ChannelRecord& r = factory.plan(PlanUSA)[static_cast<size_t>(i)];
        if (!r.DuplexAllowed && simplex < 0) simplex = i;
        if (r.DuplexAllowed && duplex < 0) duplex = i;
    }
    ASSERT_GE(simplex, 0);
    ASSERT_GE(duplex, 0);
    const std::string s = std::to_string(simplex), d = std::to_string(duplex);
    const std::string text = File({}) + "[CHUSA0]\r\nPosition=" + s + "\r\nDuplex=1\r\n[CHUSA1]\r\nPosition=" + d +
                             "\r\nDuplex=1\r\n";
    const DataSet back = ReadBack(text, true, true);
    EXPECT_FALSE(back.plan(PlanUSA)[static_cast<size_t>(simplex)].Duplex);
    EXPECT_TRUE(back.plan(PlanUSA)[static_cast<size_t>(duplex)].Duplex);
}

TEST(DatFile, KeysMustBeSpelledAsWrittenButMatchInAnyCase) {
    const DataSet factory = FactoryDataSet();
    DataSet back = ReadBack(File({"[Usable CH Group Setup]", "Priority CH0=99", "Priority CH 1=77"}), true, true);
    EXPECT_EQ(back.groups[0].PriorityChannel, factory.groups[0].PriorityChannel);
    EXPECT_EQ(back.groups[1].PriorityChannel, 77);
    back = ReadBack(File({"[common setup]", "weater=2", "WEATHER=1"}), true, true);
    EXPECT_EQ(back.common.WeatherAlert, 2);
}

TEST(DatFile, ValuesThatDoNotFitLeaveTheFieldAsItWas) {
    const DataSet factory = FactoryDataSet();
    const DataSet back = ReadBack(File({"[Usable CH Group Setup]", "Group1=maybe", "Priority CH 0=99999999999",
                                        "[Common Setup]", "TX Po Display=70000", "Resume Time=-40000", "SCAN=",
                                        "Offset Time=1e400", "[CHEXP1]", "Rxfreq=1e999", "Txfreq=nan", "Enable=2",
                                        "[CHEXP2]", "Rxfreq=inf", "Txfreq=156,8"}),
                               true, true);
    EXPECT_EQ(back.groups, factory.groups);
    EXPECT_EQ(back.common, factory.common);
    EXPECT_EQ(back.exp[1].Rxfreq, factory.exp[1].Rxfreq);
    EXPECT_EQ(back.exp[1].Txfreq, factory.exp[1].Txfreq);
    EXPECT_TRUE(back.exp[1].Enable);
    EXPECT_EQ(back.exp[2].Rxfreq, factory.exp[2].Rxfreq);
    EXPECT_EQ(back.exp[2].Txfreq, factory.exp[2].Txfreq);
}

TEST(DatFile, TheModelTypeMustBeANumberEqualToTheModel) {
    EXPECT_TRUE(ModelTypeMatches("[MAIN]\r\nMODELTYPE=1\r\n", 1));
    EXPECT_TRUE(ModelTypeMatches("[main]\r\nmodeltype=#1\r\n", 1));
    EXPECT_TRUE(ModelTypeMatches("[MAIN]\r\nMODELTYPE=1.0\r\n", 1));
    EXPECT_FALSE(ModelTypeMatches("[MAIN]\r\nMODELTYPE=2\r\n", 1));
    EXPECT_FALSE(ModelTypeMatches("[MAIN]\r\nMODELTYPE=\r\n", 1));
    EXPECT_FALSE(ModelTypeMatches("[MAIN]\r\nMODELTYPE=one\r\n", 1));
    EXPECT_FALSE(ModelTypeMatches("[MAIN]\r\nMODEL=#MR318\r\n", 1));
    EXPECT_FALSE(ModelTypeMatches("", 1));
    EXPECT_TRUE(ModelTypeMatches("[MAIN]\r\nMODELTYPE=2\r\n", 2));
}

}  // namespace
}  // namespace rp770
