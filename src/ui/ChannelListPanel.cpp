#include "ui/ChannelListPanel.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelection>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include "presentation/ListSelection.h"
#include "ui/ChannelGrid.h"
#include "ui/EditorContext.h"
#include "ui/FocusWatcher.h"
#include "ui/KeyFilter.h"
#include "ui/Tr.h"

namespace rp770::ui {

namespace {
constexpr double kRowHeightTwips = 350;

double TwipsPerPixelOf(const QWidget* w) { return layout::TwipsPerPixel(w->logicalDpiX()); }

// The box's text before the cursor, the selection (which a key replaces) left out.
std::string TextBeforeCursor(const QLineEdit& box) {
    const int end = box.hasSelectedText() ? box.selectionStart() : box.cursorPosition();
    return box.text().left(end).toStdString();
}

// What a cell of the box is called, as the editor labels the box.
MessageId CellName(presentation::EditorBox box) {
    switch (box) {
        case presentation::EditorBox::Rx: return MessageId::RxFrequency;
        case presentation::EditorBox::Tx: return MessageId::TxFrequency;
        case presentation::EditorBox::DisplayLeft:
        case presentation::EditorBox::DisplayRight: break;
    }
    return MessageId::ChDisplay;
}
}  // namespace

ChannelListPanel::ChannelListPanel(EditorContext& context, QWidget* parent)
    : QWidget(parent), context_(context), grid_(new ChannelGrid(this)), form_(context.Session()) {
    setObjectName("pictB");
    setAutoFillBackground(true);
    connect(grid_, &ChannelGrid::gotFocus, this, [this] { context_.Hint(Tr(texts::kGridHint)); });
    connect(grid_, &ChannelGrid::openRequested, this, &ChannelListPanel::openRequested);
    connect(grid_, &ChannelGrid::toggleRequested, this, &ChannelListPanel::ToggleColumnFlag);
    connect(grid_, &ChannelGrid::checkClicked, this, &ChannelListPanel::OnCheckClicked);
    connect(grid_, &ChannelGrid::entryRequested, this, &ChannelListPanel::StartEntry);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (refs_.empty()) return;
        QMenu* menu = BuildContextMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(grid_->viewport()->mapToGlobal(at));
    });
}

void ChannelListPanel::FillChannelGrid(int plan) {
    if (plan >= 0 && plan < kPlanCount) Fill(presentation::MakeChannelList(context_.Data(), PlanChannel(plan, 0).area));
}

void ChannelListPanel::FillExpGrid() {
    // Shown on the raster, and from then on kept there.
    context_.Session().CorrectForShowing(Workspace::Showing::ChannelList, ChannelRef{Area::EXP, 0});
    Fill(presentation::MakeChannelList(context_.Data(), Area::EXP));
}

void ChannelListPanel::Refresh() {
    if (!shownArea_) return;
    if (IsPlan(*shownArea_))
        FillChannelGrid(PlanOf(*shownArea_));
    else
        FillExpGrid();
}

void ChannelListPanel::Fill(presentation::ChannelListView list) {
    // The data changed under an open entry (it was taken, or undone): it is over.
    if (entry_) {
        form_.Reload();
        CloseEntry();
    }
    const Area area = list.area;
    // Named as the tree names the screen.
    grid_->setAccessibleName(QString::fromStdString(list.name));
    // Filled again on screen: the user's selection and place survive.
    const bool again = shownArea_ == area && context_.isCurrentPanel && context_.isCurrentPanel(this);
    const std::vector<ChannelRef> selected = again ? SelectedChannels() : std::vector<ChannelRef>();
    const int oldRow = grid_->currentRow();
    const int oldColumn = std::max(0, grid_->currentColumn());
    // The channel of the current row (its index in its area), -1 for none.
    const int current = again && oldRow >= 0 && oldRow < static_cast<int>(refs_.size())
                            ? refs_[static_cast<size_t>(oldRow)].index
                            : -1;
    shownArea_ = area;
    columns_ = list.columns;
    refs_ = std::move(list.channels);
    checks_ = std::move(list.checks);
    const std::vector<presentation::GridRow>& rows = list.rows;

    const double tpp = TwipsPerPixelOf(this);
    grid_->setUpdatesEnabled(false);
    grid_->clearContents();
    grid_->setColumnCount(presentation::kGridColumns);
    grid_->setRowCount(static_cast<int>(rows.size()));
    QStringList headers;
    std::vector<int> widths;
    std::vector<bool> typed;
    for (int c = 0; c < presentation::kGridColumns; ++c) {
        headers << QString::fromStdString(columns_[static_cast<size_t>(c)].header.Render());
        widths.push_back(layout::ToPixels(columns_[static_cast<size_t>(c)].widthTwips, tpp));
        typed.push_back(columns_[static_cast<size_t>(c)].typed.has_value());
    }
    grid_->setHorizontalHeaderLabels(headers);
    grid_->SetTypedColumns(std::move(typed));
    const int rowHeight = layout::ToPixels(kRowHeightTwips, layout::TwipsPerPixel(logicalDpiY()));
    grid_->verticalHeader()->setMinimumSectionSize(1);
    grid_->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid_->horizontalHeader()->setFixedHeight(rowHeight);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const QString tag = r < static_cast<int>(list.tips.size()) ? QString::fromStdString(list.tips[static_cast<size_t>(r)])
                                                                    : QString();
        for (int c = 0; c < presentation::kGridColumns; ++c) {
            auto* cell = new QTableWidgetItem(QString::fromStdString(rows[static_cast<size_t>(r)][static_cast<size_t>(c)]));
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (!tag.isEmpty()) cell->setToolTip(tag);
            const auto& check = r < static_cast<int>(checks_.size())
                                    ? checks_[static_cast<size_t>(r)][static_cast<size_t>(c)]
                                    : std::optional<presentation::GridCheck>();
            if (check) {
                // The box says it, as the page's does; the words stay for screen readers.
                cell->setData(Qt::AccessibleTextRole, cell->text());
                cell->setText(QString());
                cell->setData(Qt::CheckStateRole, check->checked ? Qt::Checked : Qt::Unchecked);
                cell->setData(ChannelGrid::kUsableRole, check->enabled);
            }
            grid_->setItem(r, c, cell);
        }
        grid_->setRowHeight(r, rowHeight);
    }
    grid_->SetDesignWidths(std::move(widths));
    if (!rows.empty()) {
        if (!again) {
            grid_->setCurrentCell(0, 0);
        } else {
            // The same channel; when it left the list, the next one listed, or the last.
            int row = current >= 0 ? grid_->rowCount() - 1 : 0;
            for (size_t i = 0; current >= 0 && i < refs_.size(); ++i)
                if (refs_[i].index >= current) {
                    row = static_cast<int>(i);
                    break;
                }
            grid_->setCurrentCell(row, oldColumn, QItemSelectionModel::NoUpdate);
            QItemSelection selection;
            for (size_t i = 0; i < refs_.size(); ++i)
                if (std::find(selected.begin(), selected.end(), refs_[i]) != selected.end())
                    selection.select(grid_->model()->index(static_cast<int>(i), 0),
                                     grid_->model()->index(static_cast<int>(i), presentation::kGridColumns - 1));
            if (selection.isEmpty())
                selection.select(grid_->model()->index(row, 0), grid_->model()->index(row, presentation::kGridColumns - 1));
            grid_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
        }
    }
    grid_->setUpdatesEnabled(true);
}

int ChannelListPanel::CurrentRowNumber() const {
    const int row = grid_->currentRow();
    return row >= 0 && row < grid_->rowCount() ? row + 1 : 0;
}

QString ChannelListPanel::CurrentChannelName() const {
    const int row = grid_->currentRow();
    const QTableWidgetItem* cell = row >= 0 ? grid_->item(row, 0) : nullptr;
    return cell ? cell->text() : QString();
}

std::vector<ChannelRef> ChannelListPanel::SelectedChannels() const {
    std::vector<ChannelRef> channels;
    for (int r = 0; r < static_cast<int>(refs_.size()); ++r)
        if (grid_->selectionModel()->isRowSelected(r, QModelIndex())) channels.push_back(refs_[static_cast<size_t>(r)]);
    const int current = grid_->currentRow();
    if (channels.empty() && current >= 0 && current < static_cast<int>(refs_.size()))
        channels.push_back(refs_[static_cast<size_t>(current)]);
    return channels;
}

void ChannelListPanel::SetSelectedFlag(ChannelFlag flag, bool on) {
    const std::vector<ChannelRef> channels = SelectedChannels();
    if (channels.empty()) return;
    context_.Accepted(context_.Session().SetChannelFlags(channels, flag, on));
}

void ChannelListPanel::ToggleColumnFlag(int column) {
    if (!shownArea_ || column < 0 || column >= presentation::kGridColumns) return;
    const auto change =
        presentation::ColumnFlagChange(context_.Data(), columns_[static_cast<size_t>(column)], SelectedChannels());
    if (change) SetSelectedFlag(change->flag, change->on);
}

void ChannelListPanel::OnCheckClicked(int row, int column) {
    if (!shownArea_ || row < 0 || row >= static_cast<int>(refs_.size()) || column < 0 ||
        column >= presentation::kGridColumns || row >= static_cast<int>(checks_.size()))
        return;
    if (entry_) return;  // a refused entry holds the focus
    const auto& flag = columns_[static_cast<size_t>(column)].flag;
    const auto& check = checks_[static_cast<size_t>(row)][static_cast<size_t>(column)];
    if (!flag || !check || !check->enabled) return;
    // The clicked channel alone, whatever else is selected.
    context_.Accepted(context_.Session().SetChannelFlags({refs_[static_cast<size_t>(row)]}, *flag, !check->checked));
}

// ---- typing into a cell --------------------------------------------------------------

void ChannelListPanel::StartEntry(int row, int column, int key, const QString& text) {
    if (entry_ || row < 0 || row >= static_cast<int>(refs_.size()) || column < 0 || column >= presentation::kGridColumns)
        return;
    const auto& typed = columns_[static_cast<size_t>(column)].typed;
    if (!typed || !form_.Load(refs_[static_cast<size_t>(row)]) || !form_.EditingExp()) return;
    const presentation::EditorBox box = *typed;
    // A key the cell does not take starts nothing.
    if (!text.isEmpty()) {
        const char32_t first = text.toUcs4().value(0);
        if (!presentation::EditorForm::CellKeyAllowed(box, presentation::EditorForm::CellKeyTyped(box, first), {}))
            return;
    }
    grid_->setCurrentCell(row, column);
    entry_ = CellEntry{row, column, box};
    QLineEdit* cell = grid_->OpenCellEditor(row, column);
    cell->setAccessibleName(Tr(CellName(box)));
    if (box == presentation::EditorBox::DisplayLeft) cell->setMaxLength(3);
    KeyFilter::Install(
        cell, [box](char32_t k, const QLineEdit& edit) { return presentation::EditorForm::CellKeyAllowed(box, k, TextBeforeCursor(edit)); },
        [box](char32_t k) { return presentation::EditorForm::CellKeyTyped(box, k); });
    cell->setText(text.isEmpty() ? QString::fromStdString(form_.CellText(box)) : QString());
    connect(cell, &QLineEdit::textChanged, this, &ChannelListPanel::OnCellTyped);
    cell->installEventFilter(this);
    FocusWatcher::Watch(cell)->lostFocus = [this](QWidget* to) { CellLostFocus(to); };
    cell->setFocus(Qt::OtherFocusReason);
    context_.Hint(Tr({MessageId::GridCellHint, MessageText(CellName(box))}));
    if (!text.isEmpty()) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(cell, &press);
    }
}

void ChannelListPanel::OnCellTyped() {
    QLineEdit* cell = grid_->CellEditor();
    if (!entry_ || !cell) return;
    const QString typed = cell->text();
    const QString kept = QString::fromStdString(form_.TypeCell(entry_->box, typed.toStdString()));
    if (kept != typed) cell->setText(kept);  // comes back here with the kept text
}

void ChannelListPanel::ShowStop(const presentation::FormStop& stop) {
    context_.Show(stop.message);
    if (QLineEdit* cell = grid_->CellEditor()) KeepFocus(cell);
}

bool ChannelListPanel::FinishEntry(int step) {
    if (!entry_) return true;
    const CellEntry done = *entry_;
    if (const auto stop = form_.Finish(done.box, presentation::FocusTo::Editor)) {
        ShowStop(*stop);
        return false;
    }
    // Taken (the list is filled again and the entry closed), or nothing typed.
    if (entry_) CloseEntry();
    if (step == 0) return true;
    // The next typed cell on from this one, row by row.
    const int columns = presentation::kGridColumns;
    for (int at = done.row * columns + done.column + step; at >= 0 && at < grid_->rowCount() * columns; at += step)
        if (grid_->IsTypedColumn(at % columns)) {
            StartEntry(at / columns, at % columns);
            if (QLineEdit* cell = grid_->CellEditor()) cell->selectAll();
            break;
        }
    return true;
}

void ChannelListPanel::CellLostFocus(QWidget* to) {
    if (!entry_) return;
    const presentation::EditorBox box = entry_->box;
    // A click elsewhere in the grid finishes the entry as Enter does.
    if (to && (to == grid_ || grid_->isAncestorOf(to))) {
        FinishEntry(0);
        return;
    }
    // Leaving the list, as leaving the editor: a good entry is taken, a bad
    // one waits in its cell for the next command's check.
    const auto where = context_.isTree && context_.isTree(to) ? presentation::FocusTo::Tree : presentation::FocusTo::Elsewhere;
    if (const auto stop = form_.Finish(box, where)) {
        ShowStop(*stop);
        return;
    }
    if (entry_ && !form_.HasTypedText()) CloseEntry();
}

void ChannelListPanel::CancelEntry() {
    form_.Reload();  // the typed text dropped
    CloseEntry();
}

void ChannelListPanel::CloseEntry() {
    QLineEdit* cell = grid_->CellEditor();
    const bool hadFocus = cell && cell->hasFocus();
    entry_.reset();
    if (hadFocus) grid_->setFocus(Qt::OtherFocusReason);
    grid_->CloseCellEditor();
}

bool ChannelListPanel::eventFilter(QObject* watched, QEvent* event) {
    if (!entry_ || watched != grid_->CellEditor()) return QWidget::eventFilter(watched, event);
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool plain = (key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::NoModifier;
    const int code = key->key();
    const bool ours = plain && (code == Qt::Key_Escape || code == Qt::Key_Return || code == Qt::Key_Enter ||
                                code == Qt::Key_Tab || code == Qt::Key_Backtab || code == Qt::Key_Up ||
                                code == Qt::Key_Down);
    if (!ours) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();  // the cell's own keys, not the window's shortcuts
        return true;
    }
    if (code == Qt::Key_Escape) {
        CancelEntry();
    } else if (code == Qt::Key_Tab || code == Qt::Key_Backtab) {
        FinishEntry(code == Qt::Key_Backtab || key->modifiers() & Qt::ShiftModifier ? -1 : 1);
    } else if (code == Qt::Key_Up || code == Qt::Key_Down) {
        // Taken, the arrow moves on in the grid as it would have.
        if (FinishEntry(0)) QApplication::sendEvent(grid_, event);
    } else {
        FinishEntry(0);
    }
    return true;
}

bool ChannelListPanel::HasPendingInput() const { return entry_ && OwnEnabled(this) && form_.HasTypedText(); }

bool ChannelListPanel::CommitPendingInput() {
    if (!entry_ || !OwnEnabled(this)) return true;
    if (const auto stop = form_.Commit(false)) {
        ShowStop(*stop);
        return false;
    }
    if (entry_) CloseEntry();
    return true;
}

QMenu* ChannelListPanel::BuildContextMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName("mnuChannelList");
    const presentation::ListMenuView view =
        presentation::MakeListMenu(context_.Data(), shownArea_.value_or(Area::USA), SelectedChannels());
    for (const presentation::FlagEntry& entry : view.flags) {
        const ChannelFlag flag = entry.flag;
        const QString name = QString::fromStdString(entry.name);
        QAction* set = menu->addAction(QString::fromStdString(entry.setText), this, [this, flag] { SetSelectedFlag(flag, true); });
        set->setObjectName("mnuListSet" + name);
        set->setEnabled(entry.canSet);
        QAction* clear =
            menu->addAction(QString::fromStdString(entry.clearText), this, [this, flag] { SetSelectedFlag(flag, false); });
        clear->setObjectName("mnuListClear" + name);
        clear->setEnabled(entry.canClear);
        menu->addSeparator();
    }
    menu->addAction(QString::fromStdString(view.openText) + "\tEnter", this, &ChannelListPanel::openRequested)
        ->setEnabled(view.openEnabled);
    return menu;
}

}  // namespace rp770::ui
