#pragma once
// Where the main window opens: the place stored when it last closed, kept
// at least at its minimum size, and brought wholly onto a screen: after a
// screen has gone (a second monitor unplugged, a smaller resolution), and on
// a screen scaled so far that the stored place or even the minimum size no
// longer fits.

#include <QList>
#include <QMargins>
#include <QRect>

#include "files/SettingsStore.h"

class QWidget;

namespace rp770::ui {

struct WindowPlace {
    QRect geometry;  // the window without its frame
    QSize minimum;   // the minimum size the window can keep on that screen
};

// `stored` is the window without its frame (pixels), `frame` what the
// window system draws around it (the title bar above). The window goes to
// the screen that holds the top edge of its frame, else the one it overlaps
// most, else the first (the primary one); there it keeps its place when the
// frame lies wholly inside, and is otherwise moved, and shrunk when it is
// larger, until it does. It is never smaller than `minimum`, unless the
// screen itself is: then the minimum shrinks to what the screen holds.
WindowPlace PlaceOnScreens(const QRect& stored, const QSize& minimum, const QList<QRect>& screens,
                           const QMargins& frame = {});

// The window's place in the settings, in twips ("Settings": "MainLeft",
// "MainTop", "MainWidth", "MainHeight"): stored when it closes (not while
// minimised), and brought back, onto a screen, when it opens; with nothing
// stored, its start size wherever the window system puts it.
void StoreWindowPlace(SettingsStore& settings, const QWidget& window);
void RestoreWindowPlace(const SettingsStore& settings, QWidget& window);

}  // namespace rp770::ui
