// The window's sizing rules in twips.
#include <gtest/gtest.h>

#include <vector>

#include "presentation/Layout.h"

namespace rp770::presentation::layout {
namespace {

WindowMetrics Window(double width, double innerHeight = 6000) {
    WindowMetrics m;
    m.width = width;
    m.innerHeight = innerHeight;
    m.toolbarVisible = true;
    m.toolbarHeight = 420;
    m.statusBarVisible = true;
    m.statusBarHeight = 300;
    return m;
}

TEST(Layout, TreeWidthIsThirtyPercentClampedOnResize) {
    struct Case { double treeWidth, windowWidth, expected; };
    const Case cases[] = {
        {0.3 * 9105, 9105, 2731.5},   // the minimum window: inside 2500 .. 3105
        {0.3 * 20000, 20000, 6000},   // a wide window keeps its 30%
        {2000, 9105, 2500},           // never below 2500
        {4000, 9105, 3105},           // at most width - 6000
        {2400, 8000, 2000},           // both apply: the upper bound wins
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(ClampTreeWidth(c.treeWidth, c.windowWidth), c.expected) << c.treeWidth << " in " << c.windowWidth;
    // The top-level nodes read whole where the window leaves room for them.
    struct Least { double least, expected; };
    const Least leasts[] = {{1000, 2731.5}, {2900, 2900}, {4000, 3105}};
    for (const Least& c : leasts) EXPECT_DOUBLE_EQ(ClampTreeWidth(0.3 * 9105, 9105, c.least), c.expected) << c.least;
    EXPECT_DOUBLE_EQ(LayoutAfterResize(Window(9105), 0.3 * 9105, {}, 2900).tree.width, 2900);
    EXPECT_DOUBLE_EQ(TreeWidthForWindow(9105), 2731.5);
}

TEST(Layout, ResizePlacesTreeDataAreaAndFrame) {
    const EditorLayout l = LayoutAfterResize(Window(9105), TreeWidthForWindow(9105), {});
    EXPECT_DOUBLE_EQ(l.treeWidth, 2731.5);
    EXPECT_EQ(l.tree, (Rect{0, 470, 2731.5, 6000 - 900}));
    EXPECT_EQ(l.splitter.left, 2731.5);
    EXPECT_EQ(l.splitter.top, 470);
    EXPECT_EQ(l.splitter.height, 5100);
    EXPECT_EQ(l.data, (Rect{2861.5, 470, 9105 - 3131.5, 5100}));
    // Frame from (L-20, T-20) to (L+W+10, T+H+10), whole twips (halves to even).
    EXPECT_EQ(l.dataFrame.top, (Line{2842, 450, 8845, 450}));
    EXPECT_EQ(l.dataFrame.bottom, (Line{2842, 5580, 8845, 5580}));
    EXPECT_EQ(l.dataFrame.left, (Line{2842, 450, 2842, 5580}));
    EXPECT_EQ(l.dataFrame.right, (Line{8845, 450, 8845, 5580}));
    EXPECT_EQ(l.panel, (Rect{100, 100, 5773.5, 4900}));
    EXPECT_EQ(l.grid, (Rect{100, 100, 5573.5, 4700}));
    EXPECT_EQ(l.channelBox, (Rect{100, 1450, 5573.5, 3350}));
    EXPECT_TRUE(l.placeGeneralAndCommon);
}

TEST(Layout, ExtraRoomGoesToTheGridAndTheChannelBox) {
    // Maximised on a 1920 x 1080 screen: the grid and the box fill their panels.
    const EditorLayout l = LayoutAfterResize(Window(28800, 15000), TreeWidthForWindow(28800), {});
    EXPECT_EQ(l.panel, (Rect{100, 100, 28800 - 8640 - 400 - 200, 15000 - 900 - 200}));
    EXPECT_EQ(l.grid, (Rect{100, 100, l.panel.width - 200, l.panel.height - 200}));
    EXPECT_EQ(l.channelBox, (Rect{100, 1450, l.panel.width - 200, l.panel.height - 1450 - 100}));
    // A window lower than the design keeps the design's box.
    EXPECT_EQ(LayoutAfterResize(Window(9105, 5000), 2731.5, {}).channelBox.height, 3350);
}

TEST(Layout, GridColumnsFitTheirRoom) {
    const std::vector<int> design = {53, 67, 67, 40, 40, 40, 40, 40};  // 387 wide
    const std::vector<int> needed = {20, 50, 50, 20, 30, 20, 30, 30};
    struct Case { int available; std::vector<int> widths; };
    const Case cases[] = {
        {387, design},                                    // the design size
        {280, {36, 50, 50, 27, 30, 27, 30, 30}},          // shrunk alike, none below its texts
        {200, needed},                                    // too small even for the texts
        {774, {106, 134, 134, 80, 80, 80, 80, 80}},       // twice: grown alike
        {1000, {137, 173, 173, 104, 103, 103, 104, 103}}, // uneven: the columns end at the grid's edge
    };
    for (const Case& c : cases) EXPECT_EQ(FitColumnWidths(design, needed, c.available), c.widths) << c.available;
}

TEST(Layout, BarsThatAreHiddenTakeNoRoom) {
    WindowMetrics m = Window(12000, 7000);
    m.toolbarVisible = false;
    m.statusBarVisible = false;
    const EditorLayout l = LayoutAfterResize(m, TreeWidthForWindow(12000), {});
    EXPECT_EQ(l.tree.top, 50);
    EXPECT_EQ(l.tree.height, 6400);
    EXPECT_EQ(l.tree.width, 3600);
}

TEST(Layout, LogoSitsCentredAndALittleHigh) {
    const EditorLayout l = LayoutAfterResize(Window(9105), 2731.5, {1500, 900});
    EXPECT_DOUBLE_EQ(l.logo.left, (5773.5 - 1500) / 2);
    EXPECT_DOUBLE_EQ(l.logo.top, 0.8 * (4900 - 900) / 2);
    EXPECT_EQ(l.logo.width, 1500);
    EXPECT_EQ(l.logo.height, 900);
}

TEST(Layout, DragNeitherClampsNorResizesGeneralAndCommon) {
    const EditorLayout before = LayoutAfterResize(Window(20000), TreeWidthForWindow(20000), {1500, 900});
    const EditorLayout after = LayoutAfterDrag(Window(20000), 2500, before);
    EXPECT_EQ(after.treeWidth, 2500);
    EXPECT_EQ(after.data.left, 2630);
    EXPECT_EQ(after.data.width, 20000 - 2900);
    EXPECT_FALSE(after.placeGeneralAndCommon);
    EXPECT_EQ(after.logo, before.logo);
    // The channel box keeps its top and height and takes the new width.
    EXPECT_EQ(after.channelBox, (Rect{100, before.channelBox.top, after.panel.width - 200, before.channelBox.height}));
    // The next resize goes back to 30%.
    EXPECT_EQ(LayoutAfterResize(Window(20000), TreeWidthForWindow(20000), {}).treeWidth, 6000);
}

TEST(Layout, SplitterDragStaysInRange) {
    const Rect handle{3000, 470, 100, 5100};
    EXPECT_EQ(SplitterBarAtStart(handle), (Rect{3000, 470, 50, 5080}));
    EXPECT_EQ(SplitterBarLeft(handle, 150, 20000), 3150);
    EXPECT_EQ(SplitterBarLeft(handle, -1000, 20000), 2500);
    EXPECT_EQ(SplitterBarLeft(handle, 20000, 20000), 17500);
    EXPECT_EQ(ClampSplitterPosition(9105, 9105), 9105 - 2500);
}

TEST(Layout, WindowSnapsBackToItsMinimum) {
    EXPECT_EQ(SnapWindowSize({5000, 3000}), (Size{9105, 6660}));
    EXPECT_EQ(SnapWindowSize({10000, 3000}), (Size{10000, 6660}));
    EXPECT_EQ(SnapWindowSize({12000, 8000}), (Size{12000, 8000}));
    // The start size in pixels is the minimum on a 15-twips-per-pixel screen.
    EXPECT_NEAR(kStartWidthPixels * 15.0, kMinWindowWidth, 15);
    EXPECT_NEAR(kStartHeightPixels * 15.0, kMinWindowHeight, 15);
}

TEST(Layout, ChannelBoxArrangements) {
    const ChannelBoxArrangement regular = ArrangeChannelBox(false, 200, 700, 300);
    EXPECT_EQ(regular.ccc1Left, 1860);
    EXPECT_TRUE(regular.ccc2Visible);
    EXPECT_TRUE(regular.ccc3Visible);
    EXPECT_EQ(regular.ccc5Top, 1000);
    EXPECT_EQ(regular.scanTop, 0);
    const ChannelBoxArrangement exp = ArrangeChannelBox(true, 200, 700, 300);
    EXPECT_EQ(exp.ccc1Left, 200);
    EXPECT_FALSE(exp.ccc2Visible);
    EXPECT_FALSE(exp.ccc3Visible);
    EXPECT_EQ(exp.ccc5Top, 700);
}

TEST(Layout, TheChannelBoxMakesRoomForATallerHeadKeepingItsBottom) {
    const Rect design{kPanelInset, kChannelBoxTop, 5000, kChannelBoxHeight};
    const double designHead = kChannelBoxTop - kChannelHeadTop - kChannelHeadGap;
    EXPECT_EQ(ChannelBoxBelowHead(design, designHead), design);
    EXPECT_EQ(ChannelBoxBelowHead(design, designHead - 300), design) << "a shorter head leaves the box where it is";
    EXPECT_EQ(ChannelBoxBelowHead(design, designHead + 400),
              (Rect{kPanelInset, kChannelBoxTop + 400, 5000, kChannelBoxHeight - 400}));
    EXPECT_EQ(ChannelBoxBelowHead(design, designHead + kChannelBoxHeight + 500).height, 0);
}

TEST(Layout, TwipsAndPixels) {
    EXPECT_DOUBLE_EQ(TwipsPerPixel(96), 15);
    EXPECT_DOUBLE_EQ(TwipsPerPixel(144), 10);
    EXPECT_EQ(ToPixels(2731.5, 15), 182);
    EXPECT_EQ(ToPixels(1450, 10), 145);
    EXPECT_DOUBLE_EQ(ToTwips(607, 15), 9105);
}

}  // namespace
}  // namespace rp770::presentation::layout
