#pragma once
// Drawings of our own that must stay visible in light and dark palettes:
// the colour of outlines and lines drawn on the window's background.

#include <QColor>
#include <QPalette>

namespace rp770::ui {

// A dark theme: the window's background is darker than its text.
inline bool IsDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
}

// Outlines and lines on the window's background: dark grey on light
// backgrounds, light grey on dark ones.
inline QColor OutlineColour(const QPalette& palette) {
    return IsDarkPalette(palette) ? QColor(222, 226, 232) : QColor(60, 60, 60);
}

}  // namespace rp770::ui
