#include "platform/QtSettingsStore.h"

#include <gtest/gtest.h>

#include "files/TestFolder.h"

namespace rp770 {
namespace {

using testing::ReadBytes;
using testing::TestFolder;

TEST(QtSettingsStore, ValuesAreKeptBySectionAndKeyAsText) {
    TestFolder folder;
    const QString file = QString::fromStdString(folder / "store.ini");
    {
        platform::QtSettingsStore store(file);
        EXPECT_EQ(store.Get("Settings", "lastmodel"), std::nullopt);
        store.Set("Settings", "lastmodel", "3");
        store.Set("IniFilePath", "IniFileName_1", "USA-M");
        EXPECT_EQ(store.Get("Settings", "lastmodel"), "3");
    }
    const std::string text = ReadBytes(folder / "store.ini");
    EXPECT_NE(text.find("[Settings]"), std::string::npos) << text;
    EXPECT_NE(text.find("lastmodel=3"), std::string::npos) << text;
    EXPECT_NE(text.find("[IniFilePath]"), std::string::npos) << text;
    EXPECT_NE(text.find("IniFileName_1=USA-M"), std::string::npos) << text;

    platform::QtSettingsStore again(file);
    EXPECT_EQ(again.Get("IniFilePath", "IniFileName_1"), "USA-M");
    EXPECT_EQ(again.GetOr("ComPath", "ComNum", "1"), "1");
}

}  // namespace
}  // namespace rp770
