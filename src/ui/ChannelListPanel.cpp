#include "ui/ChannelListPanel.h"

#include <QHeaderView>
#include <QItemSelection>
#include <QMenu>

#include "presentation/ListSelection.h"
#include "ui/ChannelGrid.h"
#include "ui/EditorContext.h"
#include "ui/Tr.h"

namespace rp770::ui {

namespace {
constexpr double kRowHeightTwips = 350;

double TwipsPerPixelOf(const QWidget* w) { return layout::TwipsPerPixel(w->logicalDpiX()); }
}  // namespace

ChannelListPanel::ChannelListPanel(EditorContext& context, QWidget* parent)
    : QWidget(parent), context_(context), grid_(new ChannelGrid(this)) {
    setObjectName("pictB");
    setAutoFillBackground(true);
    connect(grid_, &ChannelGrid::gotFocus, this, [this] { context_.Hint(Tr(texts::kGridHint)); });
    connect(grid_, &ChannelGrid::openRequested, this, &ChannelListPanel::openRequested);
    connect(grid_, &ChannelGrid::toggleRequested, this, &ChannelListPanel::ToggleColumnFlag);
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
    const std::vector<presentation::GridRow>& rows = list.rows;

    const double tpp = TwipsPerPixelOf(this);
    grid_->setUpdatesEnabled(false);
    grid_->clearContents();
    grid_->setColumnCount(presentation::kGridColumns);
    grid_->setRowCount(static_cast<int>(rows.size()));
    QStringList headers;
    std::vector<int> widths;
    for (int c = 0; c < presentation::kGridColumns; ++c) {
        headers << QString::fromUtf8(columns_[static_cast<size_t>(c)].header);
        widths.push_back(layout::ToPixels(columns_[static_cast<size_t>(c)].widthTwips, tpp));
    }
    grid_->setHorizontalHeaderLabels(headers);
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
