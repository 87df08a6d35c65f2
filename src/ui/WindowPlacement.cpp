#include "ui/WindowPlacement.h"

#include <algorithm>

namespace rp770::ui {

namespace {
// How much of the window's top edge must show for the user to take hold of it.
constexpr int kGripWidth = 100;
constexpr int kGripHeight = 30;

int Area(const QRect& r) { return r.isEmpty() ? 0 : r.width() * r.height(); }
}  // namespace

QRect PlaceOnScreens(const QRect& stored, const QSize& minimum, const QList<QRect>& screens) {
    QRect place(stored.topLeft(), stored.size().expandedTo(minimum));
    if (screens.isEmpty()) return place;
    const QRect grip(place.topLeft(), QSize(place.width(), std::min(kGripHeight, place.height())));
    const auto held = [&](const QRect& screen) {
        const QRect seen = grip & screen;
        return seen.width() >= std::min(kGripWidth, place.width()) && seen.height() >= grip.height();
    };
    const auto on = std::find_if(screens.begin(), screens.end(), held);
    QRect target = screens.first();
    if (on != screens.end()) {
        target = *on;
        if (place.width() <= target.width() && place.height() <= target.height()) return place;
    } else {
        for (const QRect& screen : screens)
            if (Area(place & screen) > Area(place & target)) target = screen;
    }
    place.setSize(place.size().boundedTo(target.size()).expandedTo(minimum));
    place.moveLeft(std::max(target.left(), std::min(place.left(), target.right() + 1 - place.width())));
    place.moveTop(std::max(target.top(), std::min(place.top(), target.bottom() + 1 - place.height())));
    return place;
}

}  // namespace rp770::ui
