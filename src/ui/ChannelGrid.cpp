#include "ui/ChannelGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QWheelEvent>
#include <algorithm>

#include "ui/PresentationNames.h"

namespace rp770::ui {

namespace {
constexpr int kNotch = 120;  // wheel units of one notch

// Paints a switch's cell that cannot be switched greyed, and tells where
// a cell's check box lies.
class CheckCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool OnCheckBox(const QStyleOptionViewItem& option, const QModelIndex& index, QPoint at) const {
        QStyleOptionViewItem cell(option);
        initStyleOption(&cell, index);
        if (!(cell.features & QStyleOptionViewItem::HasCheckIndicator)) return false;
        const QStyle* style = cell.widget ? cell.widget->style() : QApplication::style();
        return style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &cell, cell.widget).contains(at);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QVariant usable = index.data(ChannelGrid::kUsableRole);
        if (usable.isValid() && !usable.toBool()) option->state &= ~QStyle::State_Enabled;
    }
};

bool Usable(const QModelIndex& index) {
    const QVariant usable = index.data(ChannelGrid::kUsableRole);
    return !usable.isValid() || usable.toBool();
}
}  // namespace

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
    setItemDelegate(new CheckCellDelegate(this));
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] { PlaceCellEditor(); });
}

void ChannelGrid::keyPressEvent(QKeyEvent* event) {
    const int row = currentRow(), column = currentColumn();
    const bool typedCell = row >= 0 && IsTypedColumn(column) && !cellEditor_;
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (typedCell && event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
        emit entryRequested(row, column, event->key(), QString());
        event->accept();
        return;
    }
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
    if (typedCell && plain && !event->text().isEmpty() && event->text().at(0).isPrint()) {
        emit entryRequested(row, column, event->key(), event->text());
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

bool ChannelGrid::OnCheckBox(QPoint at) const {
    const QModelIndex index = indexAt(at);
    const auto* checks = dynamic_cast<const CheckCellDelegate*>(itemDelegate());
    if (!index.isValid() || !checks) return false;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    if (!option.widget) option.widget = this;
    return checks->OnCheckBox(option, index, at);
}

void ChannelGrid::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const QModelIndex index = indexAt(at);
    const bool check = event->button() == Qt::LeftButton && index.isValid() && Usable(index) && OnCheckBox(at);
    const int row = index.row(), column = index.column();
    QTableWidget::mouseReleaseEvent(event);
    if (check) emit checkClicked(row, column);
}

void ChannelGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool open = event->button() == Qt::LeftButton && indexAt(at).isValid() && !OnCheckBox(at);
    QTableWidget::mouseDoubleClickEvent(event);
    if (open) emit openRequested();
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

void ChannelGrid::SetTypedColumns(std::vector<bool> typed) { typedColumns_ = std::move(typed); }

bool ChannelGrid::IsTypedColumn(int column) const {
    return column >= 0 && column < static_cast<int>(typedColumns_.size()) && typedColumns_[static_cast<size_t>(column)];
}

QLineEdit* ChannelGrid::OpenCellEditor(int row, int column) {
    CloseCellEditor();
    editRow_ = row;
    editColumn_ = column;
    auto* edit = new QLineEdit(viewport());
    edit->setObjectName("txtGridCell");
    edit->setFrame(false);
    cellEditor_ = edit;
    PlaceCellEditor();
    edit->show();
    return edit;
}

void ChannelGrid::CloseCellEditor() {
    editRow_ = editColumn_ = -1;
    if (!cellEditor_) return;
    QLineEdit* edit = cellEditor_;
    cellEditor_ = nullptr;
    edit->hide();
    edit->deleteLater();  // it may be handling the key that closed it
}

void ChannelGrid::PlaceCellEditor() {
    if (cellEditor_) cellEditor_->setGeometry(visualRect(model()->index(editRow_, editColumn_)));
}

void ChannelGrid::updateEditorGeometries() {
    QTableWidget::updateEditorGeometries();
    PlaceCellEditor();
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
