#include "ui/WheelGuard.h"

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QWheelEvent>

namespace rp770::ui {

namespace {

bool IsValueWidget(const QWidget* w) {
    if (qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w)) return true;
    // A scroll bar is a slider too, but scrolling is all it does.
    return qobject_cast<const QAbstractSlider*>(w) && !qobject_cast<const QScrollBar*>(w);
}

// The value widget the watched widget is, or is part of (the line edit of a
// spin box), within its own window.
QWidget* ValueWidgetOf(QObject* watched) {
    for (auto* w = qobject_cast<QWidget*>(watched); w; w = w->parentWidget()) {
        if (IsValueWidget(w)) return w;
        if (w->isWindow()) break;
    }
    return nullptr;
}

QAbstractScrollArea* ScrollAreaAround(QWidget* widget) {
    for (QWidget* w = widget->parentWidget(); w; w = w->parentWidget()) {
        if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) return area;
        if (w->isWindow()) break;
    }
    return nullptr;
}

constexpr const char* kGuardName = "rp770WheelGuard";

}  // namespace

WheelGuard::WheelGuard(QObject* parent) : QObject(parent) { setObjectName(kGuardName); }

void WheelGuard::Install() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || app->findChild<QObject*>(kGuardName, Qt::FindDirectChildrenOnly)) return;
    app->installEventFilter(new WheelGuard(app));
    for (QWidget* w : QApplication::allWidgets()) KeepFocusOffTheWheel(w);
}

void WheelGuard::KeepFocusOffTheWheel(QWidget* widget) {
    if (IsValueWidget(widget) && widget->focusPolicy() == Qt::WheelFocus) widget->setFocusPolicy(Qt::StrongFocus);
}

bool WheelGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Polish) {
        if (auto* w = qobject_cast<QWidget*>(watched)) KeepFocusOffTheWheel(w);
        return false;
    }
    if (event->type() != QEvent::Wheel) return false;
    QWidget* value = ValueWidgetOf(watched);
    if (!value || value->hasFocus()) return false;
    // Not meant for the widget: the panel around it scrolls instead.
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (QAbstractScrollArea* area = ScrollAreaAround(value)) {
        QWidget* viewport = area->viewport();
        const QPointF at = viewport->mapFromGlobal(wheel->globalPosition());
        QWheelEvent scroll(at, wheel->globalPosition(), wheel->pixelDelta(), wheel->angleDelta(), wheel->buttons(),
                           wheel->modifiers(), wheel->phase(), wheel->inverted(), wheel->source());
        QCoreApplication::sendEvent(viewport, &scroll);
    }
    wheel->accept();
    return true;
}

}  // namespace rp770::ui
