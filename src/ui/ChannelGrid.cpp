#include "ui/ChannelGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "ui/PresentationNames.h"

namespace rp770::ui {

namespace {
constexpr int kNotch = 120;  // wheel units of one notch
}

ChannelGrid::ChannelGrid(QWidget* parent) : QTableWidget(parent) {
    setObjectName("MSFlexGrid1");
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    setColumnCount(8);
}

void ChannelGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit openRequested();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        emit toggleRequested(currentColumn());
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void ChannelGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid()) emit openRequested();
}

void ChannelGrid::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        QTableWidget::wheelEvent(event);
        return;
    }
    // Up one line for each notch towards the user's screen top, down one for each notch away.
    if ((wheelRest_ > 0) != (delta > 0)) wheelRest_ = 0;
    wheelRest_ += delta;
    while (wheelRest_ >= kNotch || wheelRest_ <= -kNotch) {
        const bool up = wheelRest_ > 0;
        verticalScrollBar()->triggerAction(up ? QAbstractSlider::SliderSingleStepSub
                                              : QAbstractSlider::SliderSingleStepAdd);
        wheelRest_ += up ? -kNotch : kNotch;
    }
    event->accept();
}

void ChannelGrid::SetDesignWidths(std::vector<int> widths) {
    designWidths_ = std::move(widths);
    FitColumns();
}

void ChannelGrid::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    FitColumns();
}

void ChannelGrid::FitColumns() {
    const int columns = std::min(static_cast<int>(designWidths_.size()), columnCount());
    std::vector<int> design(designWidths_.begin(), designWidths_.begin() + columns), needed;
    for (int c = 0; c < columns; ++c)
        needed.push_back(std::max(sizeHintForColumn(c), horizontalHeader()->sectionSizeHint(c)));
    const std::vector<int> widths = layout::FitColumnWidths(design, needed, viewport()->width());
    for (int c = 0; c < columns; ++c) setColumnWidth(c, widths[static_cast<size_t>(c)]);
}

void ChannelGrid::focusInEvent(QFocusEvent* event) {
    QTableWidget::focusInEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) emit gotFocus();
}

}  // namespace rp770::ui
