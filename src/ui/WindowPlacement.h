#pragma once
// Where the main window opens: the place stored when it last closed, kept
// at least at its minimum size, and brought back onto a screen when a
// screen has gone (a second monitor unplugged, a smaller resolution).

#include <QList>
#include <QRect>

namespace rp770::ui {

// The stored place (pixels), grown to the minimum size. Kept when a screen
// shows enough of its top edge to take hold of the window; otherwise moved
// (and shrunk, not below the minimum) into the screen it overlaps most, or
// the first screen (the primary one) when it overlaps none.
QRect PlaceOnScreens(const QRect& stored, const QSize& minimum, const QList<QRect>& screens);

}  // namespace rp770::ui
