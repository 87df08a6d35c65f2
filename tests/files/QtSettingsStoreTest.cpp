#include "platform/QtSettingsStore.h"

#include "core/CommandLine.h"
#include "desktop/FileSettingsStore.h"

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

// The window keeps its choices through QSettings; the command line reads
// and writes the same file without Qt. Each reads what the other wrote.
namespace rp770 {
namespace {

const std::vector<std::pair<std::string, std::string>> kValues = {
    {"lastmodel", "1"},
    {"device", "/dev/serial/by-id/usb-FTDI_x,y=z;w-if00"},
    {"spaces", " lead and trail "},
    {"at", "@home"},
    {"empty", ""},
    {"controls", "tab\there\nline \"q\" back\\slash 1\x01" "2 \xC3\xA4\xE2\x82\xAC"},
};

TEST(SettingsFile, WhatQSettingsWritesTheFileStoreReadsAndTheOtherWayRound) {
    using testing::TestFolder;
    TestFolder folder;
    const std::string byQt = folder / "qt.conf";
    const std::string byFile = folder / "file.conf";
    {
        platform::QtSettingsStore qt(QString::fromStdString(byQt));
        platform::FileSettingsStore file(byFile);
        for (const auto& [key, value] : kValues) {
            qt.Set("Settings", key, value);
            file.Set("Settings", key, value);
        }
        qt.Set("Odd Section", "odd/key%", "v");
        file.Set("Odd Section", "odd/key%", "v");
    }
    platform::FileSettingsStore readsQt(byQt);
    platform::QtSettingsStore readsFile(QString::fromStdString(byFile));
    for (const auto& [key, value] : kValues) {
        EXPECT_EQ(readsQt.Get("Settings", key), value) << key;
        EXPECT_EQ(readsFile.Get("Settings", key), value) << key;
    }
    EXPECT_EQ(readsQt.Get("Odd Section", "odd/key%"), "v");
    EXPECT_EQ(readsFile.Get("Odd Section", "odd/key%"), "v");
    EXPECT_EQ(readsQt.Get("Settings", "missing"), std::nullopt);

    // A change by the file store keeps what only the window wrote.
    platform::FileSettingsStore(byQt).Set("ComPath", "ComNum", "3");
    platform::QtSettingsStore after(QString::fromStdString(byQt));
    EXPECT_EQ(after.Get("ComPath", "ComNum"), "3");
    EXPECT_EQ(after.Get("Settings", "device"), "/dev/serial/by-id/usb-FTDI_x,y=z;w-if00");
}

TEST(SettingsFile, IsTheFileTheWindowsQSettingsUses) {
    const QSettings native(QSettings::NativeFormat, QSettings::UserScope, QString::fromLatin1(AppTitle),
                           QString::fromLatin1(AppTitle));
    EXPECT_EQ(native.fileName().toStdString(), platform::UserSettingsFile().string());
}

}  // namespace
}  // namespace rp770
