#pragma once
// Screen lengths: twips (1/1440 inch) to pixels of a widget's screen.

#include <QWidget>
#include <cmath>

namespace rp770::ui {

inline double TwipsPerPixel(const QWidget* w) {
    const int dpi = w ? w->logicalDpiX() : 96;
    return 1440.0 / (dpi > 0 ? dpi : 96);
}
inline int TwipsToPx(double twips, const QWidget* w) { return static_cast<int>(std::lround(twips / TwipsPerPixel(w))); }
inline double PxToTwips(int px, const QWidget* w) { return px * TwipsPerPixel(w); }

}  // namespace rp770::ui
