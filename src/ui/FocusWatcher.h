#pragma once
// Focus events of a widget as the editor thinks of them: the focus moving
// between the window's controls. A window becoming active or inactive, or a
// popup opening, is not a focus change here: the control keeps the focus.

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace rp770::ui {

class FocusWatcher : public QObject {
    Q_OBJECT
public:
    // Watches `widget`; the watcher is owned by it.
    static FocusWatcher* Watch(QWidget* widget);

    std::function<void()> gotFocus;
    // `to` is the widget that takes the focus (null when no widget has it).
    std::function<void(QWidget* to)> lostFocus;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FocusWatcher(QWidget* widget);
};

// Puts the focus back on a widget whose entry was refused, without its
// focus handling running again (the focus never left it, as far as the
// editor is concerned), and drops the mouse press that was moving the focus
// away so that it does not act on the control it was aimed at. Call it after
// the refusal's message box has closed: the press is dropped only until the
// event loop next runs.
void KeepFocus(QWidget* widget);

}  // namespace rp770::ui
