#include "ui/LineWidget.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace rp770::ui {

LineWidget::LineWidget(const QString& name, QColor colour, QWidget* parent) : QWidget(parent), colour_(colour) {
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void LineWidget::SetColour(QColor colour) {
    if (colour_ == colour) return;
    colour_ = colour;
    update();
}

void LineWidget::Place(int x1, int y1, int x2, int y2) {
    const int left = std::min(x1, x2), top = std::min(y1, y2);
    setGeometry(left, top, std::max(1, std::abs(x2 - x1) + (y1 == y2 ? 1 : 0)),
                std::max(1, std::abs(y2 - y1) + (x1 == x2 ? 1 : 0)));
}

void LineWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colour_);
}

QColor ActiveLineColour(const QWidget* widget) { return widget->palette().color(QPalette::Active, QPalette::WindowText); }

QColor InactiveLineColour(const QWidget* widget) {
    const QColor colour = widget->palette().color(QPalette::Disabled, QPalette::WindowText);
    return colour != ActiveLineColour(widget) ? colour : QColor(0x80, 0x80, 0x80);
}

}  // namespace rp770::ui
