#include "files/ModelList.h"

#include <gtest/gtest.h>

#include "desktop/DiskFiles.h"
#include "files/MemorySettingsStore.h"
#include "files/TestFolder.h"

namespace rp770 {
namespace {

using testing::TestFolder;
using testing::WriteBytes;

TEST(ModelList, ModelsInUseAreThoseWhoseUseIsOneUntilAModelHasNoUse) {
    TestFolder folder;
    WriteBytes(folder / "global.ini",
               "[model1]\r\nuse=#1\r\n[MODEL2]\r\nUSE=2\r\n[model3]\r\nuse=1\r\n[model5]\r\nuse=1\r\n");
    EXPECT_EQ(OfferedModels(FolderProgramData(folder.str())), (std::vector<int>{1, 3}));
    EXPECT_TRUE(OfferedModels(MemoryProgramData()).empty()) << "no global.ini";
    TestFolder odd;
    std::filesystem::create_directory(odd / "global.ini");
    EXPECT_TRUE(OfferedModels(FolderProgramData(odd.str())).empty()) << "a folder is not a file";
}

TEST(ModelList, FlagsAreBooleansAndFalseWhenMissingOrUnconvertible) {
    TestFolder folder;
    WriteBytes(folder / "global.ini", "[model1]\r\natis=True\r\nwx=#1\r\nwa=yes\r\n[model2]\r\natis=0\r\nwx=-1\r\n");
    const FolderProgramData path(folder.str());
    EXPECT_EQ(ReadModelFlags(path, 1), (ModelFlags{true, true, false}));
    EXPECT_EQ(ReadModelFlags(path, 2), (ModelFlags{false, true, false}));
    EXPECT_EQ(ReadModelFlags(path, 3), (ModelFlags{}));
}

TEST(ModelList, TheLastModelIsRestoredOnlyBelowTenAndWhenOffered) {
    const std::vector<int> offered{1, 3, 10};
    struct Case {
        const char* stored;
        int expected;
    };
    const Case cases[] = {{nullptr, 1}, {"3", 3}, {"1", 1}, {"10", 10}, {"2", 10}, {"abc", 10}, {"0", 10}, {"-1", 10}};
    for (const Case& c : cases) {
        MemorySettingsStore settings;
        if (c.stored) settings.Set("Settings", "lastmodel", c.stored);
        EXPECT_EQ(ChooseStartModel(offered, settings), c.expected) << (c.stored ? c.stored : "(missing)");
    }
    MemorySettingsStore settings;
    settings.Set("Settings", "lastmodel", "10");
    EXPECT_EQ(ChooseStartModel({10, 1}, settings), 1);  // 10 is never restored: the last one found stays
}

TEST(SettingsStores, TheOverlayReadsThroughAndNeverWritesBelow) {
    MemorySettingsStore base;
    base.Set("Settings", "lastmodel", "1");
    ReadOnlyOverlayStore overlay(base);
    EXPECT_EQ(overlay.Get("Settings", "lastmodel"), "1");
    overlay.Set("Settings", "lastmodel", "3");
    overlay.Set("IniFilePath", "IniFileName_1", "USA");
    EXPECT_EQ(overlay.Get("Settings", "lastmodel"), "3");
    EXPECT_EQ(overlay.Get("IniFilePath", "IniFileName_1"), "USA");
    EXPECT_EQ(base.Get("Settings", "lastmodel"), "1");
    EXPECT_EQ(base.Get("IniFilePath", "IniFileName_1"), std::nullopt);
    EXPECT_EQ(base.size(), 1u);
}

}  // namespace
}  // namespace rp770
