#include <gtest/gtest.h>

#include "report/PrintColumns.h"

namespace rp770 {
namespace {

TEST(PrintColumns, RunningSumsOfTheStoredWidthLists) {
    EXPECT_EQ(RegularColumns(), (std::vector<int>{0, 12, 29, 46, 54, 63, 71, 80}));
    EXPECT_EQ(ExpColumns(), (std::vector<int>{0, 7, 17, 34, 53, 72, 82, 89}));
    EXPECT_EQ(WxColumns(), (std::vector<int>{0, 9, 28}));
}

TEST(PrintColumns, WidthListParsing) {
    EXPECT_EQ(ParseWidthList("0, 12,17"), (std::vector<int>{0, 12, 17}));
    EXPECT_EQ(ParseWidthList(" 5 , x, 7mm,"), (std::vector<int>{5, 0, 7, 0}));
    EXPECT_EQ(ParseWidthList("99999999999999999999")[0] > 0, true) << "no overflow on absurd entries";
    EXPECT_EQ(RunningColumns({3, 4}, {1, 5, -1}), (std::vector<int>{3, 7, 7, 7})) << "entries outside add nothing";
}

TEST(PrintColumns, MillimetresToTwips) {
    EXPECT_EQ(ColumnTwips(0), 567.0);
    EXPECT_EQ(ColumnTwips(50), 3402.0);
    EXPECT_EQ(ColumnTwips(89), 5613.3);
}

}  // namespace
}  // namespace rp770
