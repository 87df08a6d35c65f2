#pragma once
// The main window's sizing rules in twips (1/1440 inch), free of widgets so
// that every number can be checked on its own. The editing area applies them
// with the screen's twips per pixel.

#include <vector>

namespace rp770::presentation::layout {

inline constexpr double kMinWindowWidth = 9105;
inline constexpr double kMinWindowHeight = 6660;
inline constexpr int kStartWidthPixels = 607;
inline constexpr int kStartHeightPixels = 444;
inline constexpr double kMinTreeWidth = 2500;      // also the splitter's start position
inline constexpr double kDataRoomOnResize = 6000;  // a resize leaves at least this much right of the tree
inline constexpr double kDragMargin = 2500;        // the splitter stays this far from either edge
inline constexpr double kTreeShare = 0.3;          // tree width on resize, share of the window width
inline constexpr double kSplitterHandleWidth = 100;
inline constexpr double kPanelInset = 100;
inline constexpr double kChannelBoxTop = 1450;
inline constexpr double kChannelBoxHeight = 3350;
inline constexpr double kTwipsPerInch = 1440;

struct Rect {
    double left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

struct Line {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const Line&) const = default;
};

// A sunken frame drawn around a rectangle.
struct FrameLines {
    Line top, bottom, left, right;
    bool operator==(const FrameLines&) const = default;
};

struct Size {
    double width = 0, height = 0;
    bool operator==(const Size&) const = default;
};

// What the rules need to know about the window, in twips. Positions are in the
// window's client area, whose top holds the toolbar.
struct WindowMetrics {
    double width = kMinWindowWidth;         // outer width of the window
    double innerHeight = kMinWindowHeight;  // height of the client area
    bool toolbarVisible = false;
    double toolbarHeight = 0;
    bool statusBarVisible = false;
    double statusBarHeight = 0;
};

// Everything one layout pass places. Panel, logo, grid and channel box are
// relative to their containers (the data area, the general page, the list
// panel and the channel editor).
struct EditorLayout {
    double treeWidth = 0;
    Rect tree;
    Rect splitter;
    Rect data;
    FrameLines dataFrame;
    Rect panel;               // every switchable panel inside the data area
    bool placeGeneralAndCommon = true;  // false after a drag: they keep their size
    Rect logo;                // inside the general page
    Rect grid;                // inside the list panel
    Rect channelBox;          // inside the channel editor
    FrameLines channelBoxFrame;
};

// Step 1 of a resize: at least 2500, and at least `leastWidth` (what the
// tree's top-level nodes need to be read whole), then at most width - 6000
// (which wins).
double ClampTreeWidth(double treeWidth, double windowWidth, double leastWidth = kMinTreeWidth);
// Where a dragged splitter may go: 2500 .. width - 2500.
double ClampSplitterPosition(double position, double windowWidth);
// The tree width a resize starts from: 30% of the window width.
double TreeWidthForWindow(double windowWidth);
// A window is never smaller than 9105 x 6660.
Size SnapWindowSize(Size size);
// The frame from (L - 20, T - 20) to (L + W + 10, T + H + 10), in whole twips.
FrameLines FrameAround(const Rect& r);

// After a window resize: the tree width is clamped, everything is placed.
EditorLayout LayoutAfterResize(const WindowMetrics& window, double treeWidth, Size logo,
                               double leastTreeWidth = kMinTreeWidth);
// After a splitter drag: no clamping; the general page and the common setup
// keep their size; the channel box keeps its top and height.
EditorLayout LayoutAfterDrag(const WindowMetrics& window, double treeWidth, const EditorLayout& previous);

// The bar shown while the splitter is dragged: at the handle, half its width,
// its height less 20.
Rect SplitterBarAtStart(const Rect& handle);
// The bar's left while dragging: the handle's left plus the mouse position
// (relative to the handle), kept in the drag range.
double SplitterBarLeft(const Rect& handle, double mouseX, double windowWidth);

// The channel editor's arrangement of its inner boxes.
struct ChannelBoxArrangement {
    double ccc1Left = 0;   // the power box ("Low Power Only", "Power Up")
    bool ccc2Visible = true;  // "Tx Enable"
    bool ccc3Visible = true;  // "Duplex"
    double ccc5Top = 0;    // "Scan Memory"
    double scanTop = 0;    // the scan box inside its own box
};
inline constexpr double kRegularPowerBoxLeft = 1860;
// The channel editor's head (enable, display, frequencies) starts this far
// down the panel and ends this far above the channel box.
inline constexpr double kChannelHeadTop = 60;
inline constexpr double kChannelHeadGap = 60;
// The channel box where the layout put it, or lower, keeping its bottom,
// when the head needs more height than the design left it (a language whose
// words put the display boxes on a line of their own).
Rect ChannelBoxBelowHead(const Rect& box, double headHeight);
ChannelBoxArrangement ArrangeChannelBox(bool expChannel, double ccc2Left, double ccc3Top, double ccc3Height);

// The channel grid's column widths (pixels) in `available` room: the design
// widths where they just fit; in more room they grow alike, in less they
// shrink alike, none below what its texts need (`needed`), so that the
// columns fill the grid and its last column stays in sight while it can.
std::vector<int> FitColumnWidths(const std::vector<int>& design, const std::vector<int>& needed, int available);

// Twips and pixels: twips per pixel is 1440 / logical DPI.
double TwipsPerPixel(double logicalDpi);
int ToPixels(double twips, double twipsPerPixel);
double ToTwips(int pixels, double twipsPerPixel);

}  // namespace rp770::presentation::layout
