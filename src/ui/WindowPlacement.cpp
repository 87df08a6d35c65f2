#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cmath>

#include "files/ModelList.h"
#include "ui/Twips.h"

namespace rp770::ui {

namespace {
// How much of the frame's top edge must show for the user to take hold of it.
constexpr int kGripWidth = 100;
constexpr int kGripHeight = 30;

int Area(const QRect& r) { return r.isEmpty() ? 0 : r.width() * r.height(); }
constexpr std::array<const char*, 4> kGeometryKeys = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
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

void StoreWindowPlace(SettingsStore& settings, const QWidget& window) {
    if (window.isMinimized()) return;
    const QRect g = window.geometry();
    auto twips = [&window](int px) { return std::to_string(std::lround(PxToTwips(px, &window))); };
    const std::array<int, 4> px = {g.x(), g.y(), g.width(), g.height()};
    for (size_t i = 0; i < px.size(); ++i) settings.Set(kSettingsSection, kGeometryKeys[i], twips(px[i]));
}

void RestoreWindowPlace(const SettingsStore& settings, QWidget& window) {
    std::array<int, 4> twips{};
    bool stored = true;
    for (size_t i = 0; i < twips.size() && stored; ++i) {
        stored = false;
        if (const auto text = settings.Get(kSettingsSection, kGeometryKeys[i]))
            twips[i] = QString::fromStdString(*text).trimmed().toInt(&stored);
    }
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
    QRect wanted(QPoint(), window.size());
    if (stored)
        wanted = QRect(TwipsToPx(twips[0], &window), TwipsToPx(twips[1], &window), TwipsToPx(twips[2], &window),
                       TwipsToPx(twips[3], &window));
    else if (!screens.isEmpty())
        wanted.moveCenter(screens.first().center());
    // Before the window is shown its frame is not known: the title bar is
    // taken to be as high as the style draws one.
    const QMargins frame(0, window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window), 0, 0);
    const WindowPlace place = PlaceOnScreens(wanted, window.minimumSize(), screens, frame);
    window.setMinimumSize(place.minimum);
    if (stored)
        window.setGeometry(place.geometry);
    else
        window.resize(place.geometry.size());
}

}  // namespace rp770::ui
