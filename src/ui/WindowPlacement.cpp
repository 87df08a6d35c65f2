#include "ui/WindowPlacement.h"

#include <algorithm>

namespace rp770::ui {

namespace {
// How much of the frame's top edge must show for the user to take hold of it.
constexpr int kGripWidth = 100;
constexpr int kGripHeight = 30;

int Area(const QRect& r) { return r.isEmpty() ? 0 : r.width() * r.height(); }
}  // namespace

WindowPlace PlaceOnScreens(const QRect& stored, const QSize& minimum, const QList<QRect>& screens,
                           const QMargins& frame) {
    QRect outer = QRect(stored.topLeft(), stored.size().expandedTo(minimum)).marginsAdded(frame);
    if (screens.isEmpty()) return {outer.marginsRemoved(frame), minimum};
    const QRect grip(outer.topLeft(), QSize(outer.width(), std::min(kGripHeight, outer.height())));
    const auto held = [&](const QRect& screen) {
        const QRect seen = grip & screen;
        return seen.width() >= std::min(kGripWidth, outer.width()) && seen.height() >= grip.height();
    };
    QRect target = screens.first();
    if (const auto on = std::find_if(screens.begin(), screens.end(), held); on != screens.end()) {
        target = *on;
    } else {
        for (const QRect& screen : screens)
            if (Area(outer & screen) > Area(outer & target)) target = screen;
    }
    const QSize room = target.marginsRemoved(frame).size().expandedTo(QSize(1, 1));
    const QSize least = minimum.boundedTo(room);
    outer.setSize(outer.marginsRemoved(frame).size().boundedTo(room).expandedTo(least).grownBy(frame));
    outer.moveLeft(std::max(target.left(), std::min(outer.left(), target.right() + 1 - outer.width())));
    outer.moveTop(std::max(target.top(), std::min(outer.top(), target.bottom() + 1 - outer.height())));
    return {outer.marginsRemoved(frame), least};
}

}  // namespace rp770::ui
