#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "ui/AboutBox.h"

namespace rp770::ui {
namespace {

TEST(AboutBox, TextsAndCentredButton) {
    AboutBox box;
    box.show();
    EXPECT_EQ(box.windowTitle(), "Version Infomation");
    EXPECT_EQ(box.findChild<QLabel*>("lblTitle")->text(), "RP770  Velloran");
    EXPECT_EQ(box.findChild<QLabel*>("lblVersion")->text(), "Version 1.0.0");
    EXPECT_EQ(AboutBox::VersionLine("2.03.7"), "Version 2.3.7");
    EXPECT_EQ(AboutBox::VersionLine("1.0"), "Version 1.0.0");
    for (int width : {340, 520}) {
        box.resize(width, 251);
        auto* ok = box.findChild<QPushButton*>("cmdOK");
        auto* frame = box.findChild<QFrame*>("Frame1");
        EXPECT_NEAR(ok->x() + ok->width() / 2.0, width / 2.0, 1.0) << width;
        EXPECT_GT(ok->y(), frame->y() + frame->height()) << "OK sits below the frame";
    }
}

// In debug mode the box says where the session's error log goes; without a
// log it says nothing of one.
TEST(AboutBox, NamesTheErrorLogWhenThereIsOne) {
    AboutBox kept(nullptr, "/home/ann/.local/state/rp770/err.log");
    ASSERT_NE(kept.findChild<QLabel*>("lblErrorLog"), nullptr);
    EXPECT_EQ(kept.findChild<QLabel*>("lblErrorLog")->text(), "Error log: /home/ann/.local/state/rp770/err.log");
    AboutBox none;
    EXPECT_EQ(none.findChild<QLabel*>("lblErrorLog"), nullptr);
}

}  // namespace
}  // namespace rp770::ui
