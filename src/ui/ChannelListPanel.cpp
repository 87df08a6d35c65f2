#include "ui/ChannelListPanel.h"

#include <QHeaderView>
#include <QItemSelection>
#include <QMenu>

#include "ui/ChannelGrid.h"
#include "ui/EditorContext.h"
#include "ui/EditorTexts.h"
#include "ui/Layout.h"
#include "ui/TreeNodes.h"

namespace rp770::ui {

namespace {
constexpr double kRowHeightTwips = 350;

// The switches the context menu sets and clears, with the names of their entries.
struct MenuFlag {
    ChannelFlag flag;
    const char* name;
};
constexpr MenuFlag kMenuFlags[] = {{ChannelFlag::Enable, "Enable"},
                                   {ChannelFlag::Scan, "Scan"},
                                   {ChannelFlag::LowPower, "LowPower"},
                                   {ChannelFlag::PowerUp, "PowerUp"}};

double TwipsPerPixelOf(const QWidget* w) { return layout::TwipsPerPixel(w->logicalDpiX()); }
}  // namespace

ChannelListPanel::ChannelListPanel(EditorContext& context, QWidget* parent)
    : QWidget(parent), context_(context), grid_(new ChannelGrid(this)) {
    setObjectName("pictB");
    setAutoFillBackground(true);
    connect(grid_, &ChannelGrid::gotFocus, this, [this] { context_.Hint(texts::kGridHint); });
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
    if (plan < 0 || plan >= kPlanCount) return;
    // Named as the tree names the screen.
    grid_->setAccessibleName(QString::fromStdString(GroupNodeText(context_.Data(), plan)));
    const PlanArray& records = context_.Data().plan(plan);
    std::vector<ChannelRef> refs;
    for (int slot : ListedSlots(records)) refs.push_back(PlanChannel(plan, slot));
    Fill(PlanChannel(plan, 0).area, RegularGridColumns(), ChannelGridRows(records), std::move(refs));
}

void ChannelListPanel::FillExpGrid() {
    // Shown on the raster, and from then on kept there.
    context_.Session().SnapExpFrequencies();
    grid_->setAccessibleName(QString::fromUtf8(kExpRootText));
    std::vector<ChannelRef> refs;
    for (int n = 1; n <= kExpChannels; ++n) refs.push_back({Area::EXP, n});
    Fill(Area::EXP, ExpGridColumns(), ExpGridRows(context_.Data().exp), std::move(refs));
}

void ChannelListPanel::Refresh() {
    if (!shownArea_) return;
    if (IsPlan(*shownArea_))
        FillChannelGrid(PlanOf(*shownArea_));
    else
        FillExpGrid();
}

void ChannelListPanel::Fill(Area area, const std::array<GridColumn, kGridColumns>& columns,
                            const std::vector<GridRow>& rows, std::vector<ChannelRef> refs) {
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
    columns_ = &columns;
    refs_ = std::move(refs);

    const double tpp = TwipsPerPixelOf(this);
    grid_->setUpdatesEnabled(false);
    grid_->clearContents();
    grid_->setColumnCount(kGridColumns);
    grid_->setRowCount(static_cast<int>(rows.size()));
    QStringList headers;
    std::vector<int> widths;
    for (int c = 0; c < kGridColumns; ++c) {
        headers << QString::fromUtf8(columns[static_cast<size_t>(c)].header);
        widths.push_back(layout::ToPixels(columns[static_cast<size_t>(c)].widthTwips, tpp));
    }
    grid_->setHorizontalHeaderLabels(headers);
    const int rowHeight = layout::ToPixels(kRowHeightTwips, layout::TwipsPerPixel(logicalDpiY()));
    grid_->verticalHeader()->setMinimumSectionSize(1);
    grid_->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid_->horizontalHeader()->setFixedHeight(rowHeight);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const ChannelRecord* record =
            r < static_cast<int>(refs_.size()) ? FindRecord(context_.Data(), refs_[static_cast<size_t>(r)]) : nullptr;
        const QString tag = record ? QString::fromStdString(record->ChTag).trimmed() : QString();
        for (int c = 0; c < kGridColumns; ++c) {
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
                                     grid_->model()->index(static_cast<int>(i), kGridColumns - 1));
            if (selection.isEmpty())
                selection.select(grid_->model()->index(row, 0), grid_->model()->index(row, kGridColumns - 1));
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
    if (!columns_ || column < 0 || column >= kGridColumns) return;
    const std::optional<ChannelFlag> flag = (*columns_)[static_cast<size_t>(column)].flag;
    if (!flag) return;
    // On for all, unless all that can have it have it already.
    bool allOn = true;
    for (const ChannelRef& ref : SelectedChannels()) {
        const ChannelRecord* r = FindRecord(context_.Data(), ref);
        if (r && HasFlag(ref.area, *flag) && CanHaveFlag(*r, ref.area, *flag) && !FlagValue(*r, *flag)) allOn = false;
    }
    SetSelectedFlag(*flag, !allOn);
}

QMenu* ChannelListPanel::BuildContextMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName("mnuChannelList");
    const std::vector<ChannelRef> channels = SelectedChannels();
    const Area area = shownArea_.value_or(Area::USA);
    for (const MenuFlag& entry : kMenuFlags) {
        // Offered where it would change something.
        bool canSet = false, canClear = false;
        for (const ChannelRef& ref : channels) {
            const ChannelRecord* r = FindRecord(context_.Data(), ref);
            if (!r || !HasFlag(ref.area, entry.flag)) continue;
            canSet = canSet || (!FlagValue(*r, entry.flag) && CanHaveFlag(*r, ref.area, entry.flag));
            canClear = canClear || FlagValue(*r, entry.flag);
        }
        const QString caption = QString::fromStdString(FlagCaption(entry.flag, area));
        const ChannelFlag flag = entry.flag;
        QAction* set = menu->addAction("Set " + caption, this, [this, flag] { SetSelectedFlag(flag, true); });
        set->setObjectName(QString("mnuListSet%1").arg(entry.name));
        set->setEnabled(canSet);
        QAction* clear = menu->addAction("Clear " + caption, this, [this, flag] { SetSelectedFlag(flag, false); });
        clear->setObjectName(QString("mnuListClear%1").arg(entry.name));
        clear->setEnabled(canClear);
        menu->addSeparator();
    }
    menu->addAction("Open Editor\tEnter", this, &ChannelListPanel::openRequested)->setEnabled(channels.size() == 1);
    return menu;
}

}  // namespace rp770::ui
