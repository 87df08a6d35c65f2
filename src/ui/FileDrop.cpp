#include "ui/FileDrop.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "core/CommandLine.h"

namespace rp770::ui {

FileDrop::FileDrop(QWidget* window, std::function<void(const QString&)> open)
    : QObject(window), window_(window), open_(std::move(open)) {}

void FileDrop::Install(QWidget* window, std::function<void(const QString&)> open) {
    window->setAcceptDrops(true);
    qApp->installEventFilter(new FileDrop(window, std::move(open)));
}

QString FileDrop::DataFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return {};
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        if (NamesDataFile(path.toStdString())) return path;
    }
    return {};
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!window_ || !widget || widget->window() != window_) return false;
    auto* drag = static_cast<QDropEvent*>(event);
    const QString path = DataFile(drag->mimeData());
    if (path.isEmpty()) return false;
    // The file is only read: the drop is always taken as a copy, never as the
    // move a file manager may propose, which would delete the user's file.
    // A drag that offers no copy is refused, and kept from the input boxes.
    if (!(drag->possibleActions() & Qt::CopyAction)) {
        drag->ignore();
        return true;
    }
    drag->setDropAction(Qt::CopyAction);
    drag->accept();
    // The file opens after the drop, so that its questions do not hold up
    // the program the file came from.
    if (type == QEvent::Drop) QTimer::singleShot(0, window_, [open = open_, path] { open(path); });
    return true;
}

}  // namespace rp770::ui
