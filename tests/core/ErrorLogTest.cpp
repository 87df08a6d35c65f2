#include "core/ErrorLog.h"

#include <gtest/gtest.h>

namespace rp770 {
namespace {

TEST(ErrorLogFormat, LineShape) {
    EXPECT_EQ(FormatErrorLine("2026/01/31", "13:45:07", "frmMain.FileReadIni", "53File not found"),
              "2026/01/31,13:45:07:frmMain.FileReadIni -> 53File not found");
}

}  // namespace
}  // namespace rp770
