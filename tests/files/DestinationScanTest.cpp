#include "files/DestinationScan.h"

#include "desktop/DiskFiles.h"

#include <gtest/gtest.h>

#include "core/MemoryImage.h"
#include "files/MemorySettingsStore.h"
#include "files/TestData.h"

namespace rp770 {
namespace {

using testing::ReadBytes;
using testing::TestFolder;
using testing::WriteBytes;

// A valid definition image whose byte 0x3C0 tells the files apart.
std::string Definition(uint8_t marker) {
    DataSet data;
    ResetDataSet(data);
    data.image[0x3C0] = marker;
    return std::string(reinterpret_cast<const char*>(data.image.bytes.data()), 1024);
}

struct Scan {
    TestFolder folder;
    MemorySettingsStore settings;
    DestinationMenu menu;
    DataSet data;
    FolderProgramData program{folder.str()};
    DestinationContext context{program, 1, settings};

    Scan() { ResetDataSet(data); }
    ScanOutcome Run(DefinitionLoad* load = nullptr) { return ScanModelDefinitions(context, menu, data, load); }
    std::string Remembered() const { return settings.GetOr(kIniFilePathSection, "IniFileName_1", "<none>"); }
};

TEST(DestinationScan, NamesAreTheUpperCasePartBeforeTheUnderscoreSorted) {
    Scan scan;
    WriteBytes(scan.folder / "B_013E.ini", Definition(2));
    WriteBytes(scan.folder / "a_013E.ini", Definition(1));
    WriteBytes(scan.folder / "USA_013E.ini", Definition(3));
    WriteBytes(scan.folder / "usa_x_013e.INI", Definition(4));  // the pattern matches in any case
    WriteBytes(scan.folder / "global.ini", "[model1]\r\nuse=1\r\n");
    WriteBytes(scan.folder / "CAN_013F.ini", Definition(5));
    ASSERT_EQ(scan.Run(), ScanOutcome::Loaded);
    EXPECT_TRUE(scan.menu.enabled);
    EXPECT_EQ(scan.menu.names, (std::vector<std::string>{"A", "B", "USA", "USA"}));
    // Nothing remembered: the first name is loaded and remembered.
    EXPECT_EQ(scan.menu.checked, 0);
    EXPECT_EQ(scan.Remembered(), "A");
    EXPECT_EQ(scan.data.image[0x3C0], 1);  // a_013E.ini, found whatever the case of its name
}

TEST(DestinationScan, AtMostTenNamesAreListed) {
    Scan scan;
    for (char c = 'A'; c < 'A' + 12; ++c) WriteBytes(scan.folder / (std::string(1, c) + "_013E.ini"), Definition(0));
    ASSERT_EQ(scan.Run(), ScanOutcome::Loaded);
    EXPECT_EQ(scan.menu.names.size(), 10u);
    EXPECT_EQ(scan.menu.names.back(), "J");
}

TEST(DestinationScan, WithoutDefinitionFilesTheMenuStaysDisabledAndNothingLoads) {
    Scan scan;
    WriteBytes(scan.folder / "global.ini", "[model1]\r\nuse=1\r\n");
    const MemoryImage before = scan.data.image;
    EXPECT_EQ(scan.Run(), ScanOutcome::NoFiles);
    EXPECT_FALSE(scan.menu.enabled);
    EXPECT_TRUE(scan.menu.names.empty());
    EXPECT_EQ(scan.menu.checked, -1);
    EXPECT_EQ(scan.data.image, before);
}

TEST(DestinationScan, TheRememberedAliasIsCheckedAndLoadsTheFileWithoutItsSuffix) {
    Scan scan;
    WriteBytes(scan.folder / "USA-M_013E.ini", Definition(7));
    WriteBytes(scan.folder / "USA_013E.ini", Definition(8));
    scan.settings.Set(kIniFilePathSection, "IniFileName_1", "USA-M");
    ASSERT_EQ(scan.Run(), ScanOutcome::Loaded);
    EXPECT_EQ(scan.menu.names, (std::vector<std::string>{"USA", "USA-M"}));
    EXPECT_EQ(scan.menu.checked, 1);
    EXPECT_EQ(scan.data.image[0x3C0], 8);
    EXPECT_EQ(scan.Remembered(), "USA-M");
}

TEST(DestinationScan, ARememberedNameWhoseFileIsGoneFallsBackToTheFirst) {
    Scan scan;
    WriteBytes(scan.folder / "INT_013E.ini", Definition(1));
    WriteBytes(scan.folder / "USA_013E.ini", Definition(2));
    scan.settings.Set(kIniFilePathSection, "IniFileName_1", "CAN");
    ASSERT_EQ(scan.Run(), ScanOutcome::Loaded);
    EXPECT_EQ(scan.menu.checked, 0);
    EXPECT_EQ(scan.Remembered(), "INT");
    EXPECT_EQ(scan.data.image[0x3C0], 1);
}

TEST(DestinationScan, BadDefinitionFilesAreRefusedAndLeaveTheImage) {
    struct Case {
        std::string bytes;
        DefinitionLoad expected;
    };
    std::string badEnd = Definition(1);
    badEnd[1022] = badEnd[1023] = '\xFF';
    const Case cases[] = {{Definition(1).substr(0, 1023), DefinitionLoad::WrongLength},
                          {Definition(1) + "x", DefinitionLoad::WrongLength},
                          {badEnd, DefinitionLoad::BadModelCode}};
    for (const Case& c : cases) {
        Scan scan;
        WriteBytes(scan.folder / "USA_013E.ini", c.bytes);
        const MemoryImage before = scan.data.image;
        DefinitionLoad load = DefinitionLoad::Loaded;
        EXPECT_EQ(scan.Run(&load), ScanOutcome::LoadFailed);
        EXPECT_EQ(load, c.expected);
        EXPECT_EQ(scan.menu.checked, -1);
        EXPECT_EQ(scan.data.image, before);
    }
}

TEST(DestinationScan, ALoadedDefinitionIsDecoded) {
    Scan scan;
    DataSet source = testing::FactoryDataSet(true, true, "INT");
    WriteBytes(scan.folder / "INT_013E.ini", ReadBytes(testing::ShippedDataFolder() + "/INT_013E.ini"));
    ASSERT_EQ(scan.Run(), ScanOutcome::Loaded);
    EXPECT_EQ(scan.data.image, source.image);
    EXPECT_EQ(scan.data.plans, source.plans);
    EXPECT_EQ(scan.data.common, source.common);
}

TEST(DestinationScan, SelectingAnEntryLoadsAndRemembersItOrPutsTheCheckBack) {
    Scan scan;
    WriteBytes(scan.folder / "CAN_013E.ini", Definition(1));
    WriteBytes(scan.folder / "USA-M_013E.ini", Definition(2));
    WriteBytes(scan.folder / "USA_013E.ini", Definition(3));
    ASSERT_EQ(scan.Run(), ScanOutcome::Loaded);
    ASSERT_EQ(scan.menu.names, (std::vector<std::string>{"CAN", "USA", "USA-M"}));

    EXPECT_TRUE(SelectDestination(scan.context, scan.menu, 2, scan.data));
    EXPECT_EQ(scan.menu.checked, 2);
    EXPECT_EQ(scan.Remembered(), "USA-M");  // the caption, alias and all
    EXPECT_EQ(scan.data.image[0x3C0], 3);

    WriteBytes(scan.folder / "CAN_013E.ini", "short");
    DefinitionLoad load = DefinitionLoad::Loaded;
    EXPECT_FALSE(SelectDestination(scan.context, scan.menu, 0, scan.data, &load));
    EXPECT_EQ(load, DefinitionLoad::WrongLength);
    EXPECT_EQ(scan.menu.checked, 2);
    EXPECT_EQ(scan.Remembered(), "USA-M");

    std::filesystem::remove(scan.folder / "CAN_013E.ini");
    EXPECT_FALSE(SelectDestination(scan.context, scan.menu, 0, scan.data, &load));
    EXPECT_EQ(load, DefinitionLoad::Failed);
    EXPECT_FALSE(SelectDestination(scan.context, scan.menu, 7, scan.data));
}

TEST(ModelDefinitions, SuffixAndModelCode) {
    EXPECT_EQ(ModelFileSuffix(1), "_013E");
    EXPECT_EQ(ModelFileSuffix(2), "");
    EXPECT_TRUE(CheckModelCode(1, 318, 318));
    EXPECT_FALSE(CheckModelCode(1, 318, 0xFFFF));
    EXPECT_FALSE(CheckModelCode(1, 319, 319));
    EXPECT_FALSE(CheckModelCode(2, 318, 318));
    EXPECT_TRUE(IsAlias("usa-m"));
    EXPECT_FALSE(IsAlias("-M"));
    EXPECT_EQ(StripAlias("USA-M"), "USA");
}

TEST(ModelDefinitions, OtherModelsListEveryIniFileThatHasAnUnderscore) {
    TestFolder folder;
    WriteBytes(folder / "global.ini", "");
    WriteBytes(folder / "X_1.ini", "");
    EXPECT_EQ(ListDestinations(FolderProgramData(folder.str()), 2), std::vector<std::string>{"X"});
    EXPECT_TRUE(ListDestinations(FolderProgramData(folder.str()), 1).empty());
}

}  // namespace
}  // namespace rp770
