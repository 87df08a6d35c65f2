#pragma once
// The mouse wheel never edits by accident: a value widget (combo box, spin
// box, slider) takes the wheel only while it has the keyboard focus, given
// by a click or Tab; otherwise the wheel scrolls the panel the widget sits
// in. Installed once on the application, it covers every window.

#include <QObject>

class QWidget;

namespace rp770::ui {

class WheelGuard : public QObject {
public:
    // Installs the guard on the running application (once; later calls do
    // nothing).
    static void Install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit WheelGuard(QObject* parent);
    // Value widgets no longer take the focus from a wheel turn.
    static void KeepFocusOffTheWheel(QWidget* widget);
};

}  // namespace rp770::ui
