#include "presentation/Layout.h"

#include <algorithm>
#include <cmath>

namespace rp770::presentation::layout {

namespace {

double WholeTwips(double v) { return std::nearbyint(v); }

// Steps 2 to 5 and 8: tree, handle, data area, its frame, the grid; the
// panels inside the data area are the same for a resize and a drag.
EditorLayout PlaceColumns(const WindowMetrics& window, double treeWidth) {
    EditorLayout l;
    l.treeWidth = treeWidth;
    const double top = window.toolbarVisible ? window.toolbarHeight + 50 : 50;
    const double height =
        window.statusBarVisible ? window.innerHeight - (window.statusBarHeight + 600) : window.innerHeight - 600;
    l.tree = {0, top, treeWidth, height};
    l.splitter = {treeWidth, top, kSplitterHandleWidth, height};
    l.data = {treeWidth + 130, top, window.width - (treeWidth + 400), height};
    l.dataFrame = FrameAround(l.data);
    l.panel = {kPanelInset, kPanelInset, l.data.width - 2 * kPanelInset, l.data.height - 2 * kPanelInset};
    l.grid = {kPanelInset, kPanelInset, l.panel.width - 200, l.panel.height - 200};
    return l;
}

}  // namespace

double ClampTreeWidth(double treeWidth, double windowWidth, double leastWidth) {
    double w = treeWidth;
    const double least = std::max(kMinTreeWidth, leastWidth);
    if (w < least) w = least;
    if (w > windowWidth - kDataRoomOnResize) w = windowWidth - kDataRoomOnResize;
    return w;
}

double ClampSplitterPosition(double position, double windowWidth) {
    double x = position;
    if (x < kDragMargin) x = kDragMargin;
    if (x > windowWidth - kDragMargin) x = windowWidth - kDragMargin;
    return x;
}

double TreeWidthForWindow(double windowWidth) { return kTreeShare * windowWidth; }

Size SnapWindowSize(Size size) {
    return {std::max(size.width, kMinWindowWidth), std::max(size.height, kMinWindowHeight)};
}

FrameLines FrameAround(const Rect& r) {
    const double x1 = WholeTwips(r.left - 20), y1 = WholeTwips(r.top - 20);
    const double x2 = WholeTwips(r.left + r.width + 10), y2 = WholeTwips(r.top + r.height + 10);
    return {{x1, y1, x2, y1}, {x1, y2, x2, y2}, {x1, y1, x1, y2}, {x2, y1, x2, y2}};
}

EditorLayout LayoutAfterResize(const WindowMetrics& window, double treeWidth, Size logo, double leastTreeWidth) {
    EditorLayout l = PlaceColumns(window, ClampTreeWidth(treeWidth, window.width, leastTreeWidth));
    l.placeGeneralAndCommon = true;
    l.logo = {(l.panel.width - logo.width) / 2, 0.8 * (l.panel.height - logo.height) / 2, logo.width, logo.height};
    // At the design size the box ends one inset above the panel's bottom; a
    // taller panel gives the box the room.
    l.channelBox = {kPanelInset, kChannelBoxTop, l.panel.width - 200,
                    std::max(kChannelBoxHeight, l.panel.height - kChannelBoxTop - kPanelInset)};
    l.channelBoxFrame = FrameAround(l.channelBox);
    return l;
}

EditorLayout LayoutAfterDrag(const WindowMetrics& window, double treeWidth, const EditorLayout& previous) {
    EditorLayout l = PlaceColumns(window, treeWidth);
    l.placeGeneralAndCommon = false;
    l.logo = previous.logo;
    l.channelBox = {kPanelInset, previous.channelBox.top, l.panel.width - 200, previous.channelBox.height};
    l.channelBoxFrame = FrameAround(l.channelBox);
    return l;
}

Rect SplitterBarAtStart(const Rect& handle) {
    return {handle.left, handle.top, handle.width / 2, handle.height - 20};
}

double SplitterBarLeft(const Rect& handle, double mouseX, double windowWidth) {
    return ClampSplitterPosition(handle.left + mouseX, windowWidth);
}

ChannelBoxArrangement ArrangeChannelBox(bool expChannel, double ccc2Left, double ccc3Top, double ccc3Height) {
    ChannelBoxArrangement a;
    a.scanTop = 0;
    if (expChannel) {
        a.ccc1Left = ccc2Left;
        a.ccc2Visible = a.ccc3Visible = false;
        a.ccc5Top = ccc3Top;
    } else {
        a.ccc1Left = kRegularPowerBoxLeft;
        a.ccc2Visible = a.ccc3Visible = true;
        a.ccc5Top = ccc3Top + ccc3Height;
    }
    return a;
}

Rect ChannelBoxBelowHead(const Rect& box, double headHeight) {
    const double top = std::max(box.top, kChannelHeadTop + headHeight + kChannelHeadGap);
    return {box.left, top, box.width, std::max(0.0, box.top + box.height - top)};
}

std::vector<int> FitColumnWidths(const std::vector<int>& design, const std::vector<int>& needed, int available) {
    const size_t n = design.size();
    const auto need = [&](size_t c) { return c < needed.size() ? needed[c] : 0; };
    double total = 0;
    for (int w : design) total += w;
    std::vector<int> widths(n);
    if (total <= 0) return widths;
    // Columns whose texts need more than their share keep what they need; the
    // others share the rest alike (all of them keep what they need when the
    // room is too small even for that).
    std::vector<bool> atNeed(n, false);
    double scale = 0;
    for (bool more = true; more;) {
        more = false;
        double rest = available, restDesign = 0;
        for (size_t c = 0; c < n; ++c) {
            if (atNeed[c])
                rest -= need(c);
            else
                restDesign += design[c];
        }
        scale = restDesign > 0 ? std::max(0.0, rest / restDesign) : 0;
        for (size_t c = 0; c < n; ++c)
            if (!atNeed[c] && design[c] * scale < need(c)) atNeed[c] = more = true;
    }
    // Each column's right edge is rounded, so that the last one ends at the
    // grid's edge.
    double edge = 0;
    int placed = 0;
    for (size_t c = 0; c < n; ++c) {
        edge += atNeed[c] ? need(c) : design[c] * scale;
        widths[c] = std::max(need(c), static_cast<int>(std::lround(edge)) - placed);
        placed += widths[c];
    }
    return widths;
}

double TwipsPerPixel(double logicalDpi) { return logicalDpi > 0 ? kTwipsPerInch / logicalDpi : 15.0; }

int ToPixels(double twips, double twipsPerPixel) {
    return static_cast<int>(std::lround(twips / (twipsPerPixel > 0 ? twipsPerPixel : 15.0)));
}

double ToTwips(int pixels, double twipsPerPixel) { return pixels * twipsPerPixel; }

}  // namespace rp770::presentation::layout
