#pragma once
// A .dat or .hex file dragged from a file manager and dropped anywhere on a
// window (its input boxes included, which would otherwise take the path as
// text) is opened by the window.

#include <QObject>
#include <QPointer>
#include <functional>

class QMimeData;
class QWidget;

namespace rp770::ui {

class FileDrop : public QObject {
public:
    // Watches drags over `window` and everything in it; `open` gets the
    // dropped file's path once the drop has finished.
    static void Install(QWidget* window, std::function<void(const QString& path)> open);

    // The first local file the dragged data name that ends in ".dat" or
    // ".hex" (any case); empty when there is none.
    static QString DataFile(const QMimeData* mime);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FileDrop(QWidget* window, std::function<void(const QString&)> open);

    QPointer<QWidget> window_;
    std::function<void(const QString&)> open_;
};

}  // namespace rp770::ui
