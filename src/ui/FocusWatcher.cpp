#include "ui/FocusWatcher.h"

#include <QApplication>
#include <QFocusEvent>
#include <QTimer>
#include <QWidget>

namespace rp770::ui {

namespace {

// While a refused entry takes the focus back, no control sees the focus move:
// as far as the editor is concerned it never left.
bool keepingFocus = false;

bool MovesBetweenControls(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

// Swallows the mouse press being delivered right now (the one whose focus
// change was refused), then goes away on the next pass of the event loop.
class PressSwallower : public QObject {
public:
    PressSwallower() {
        qApp->installEventFilter(this);
        QTimer::singleShot(0, this, [this] {
            done_ = true;
            deleteLater();
        });
    }
    ~PressSwallower() override {
        if (qApp) qApp->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (done_) return false;
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            done_ = true;
            return true;
        }
        return false;
    }

private:
    bool done_ = false;
};

}  // namespace

FocusWatcher::FocusWatcher(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }

FocusWatcher* FocusWatcher::Watch(QWidget* widget) {
    if (auto* existing = widget->findChild<FocusWatcher*>(QString(), Qt::FindDirectChildrenOnly)) return existing;
    return new FocusWatcher(widget);
}

bool FocusWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (keepingFocus || (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut))
        return QObject::eventFilter(watched, event);
    const auto* focus = static_cast<QFocusEvent*>(event);
    if (!MovesBetweenControls(focus->reason())) return false;
    if (event->type() == QEvent::FocusIn) {
        if (gotFocus) gotFocus();
    } else if (lostFocus) {
        lostFocus(QApplication::focusWidget());
    }
    return false;
}

void KeepFocus(QWidget* widget) {
    if (!widget) return;
    new PressSwallower();
    const bool outer = !keepingFocus;
    keepingFocus = true;
    widget->setFocus(Qt::OtherFocusReason);
    if (outer) keepingFocus = false;
}

}  // namespace rp770::ui
