#include "ui/ChannelListPanel.h"

#include <QHeaderView>

#include "ui/ChannelGrid.h"
#include "ui/EditorContext.h"
#include "ui/EditorTexts.h"
#include "ui/Layout.h"
#include "ui/TreeNodes.h"

namespace rp770::ui {

namespace {
constexpr double kRowHeightTwips = 350;

double TwipsPerPixelOf(const QWidget* w) { return layout::TwipsPerPixel(w->logicalDpiX()); }
}  // namespace

ChannelListPanel::ChannelListPanel(EditorContext& context, QWidget* parent)
    : QWidget(parent), context_(context), grid_(new ChannelGrid(this)) {
    setObjectName("pictB");
    setAutoFillBackground(true);
    connect(grid_, &ChannelGrid::gotFocus, this, [this] { context_.Hint(texts::kGridHint); });
    connect(grid_, &ChannelGrid::openRequested, this, &ChannelListPanel::openRequested);
}

void ChannelListPanel::FillChannelGrid(int plan) {
    if (plan < 0 || plan >= kPlanCount) return;
    // Named as the tree names the screen.
    grid_->setAccessibleName(QString::fromStdString(GroupNodeText(context_.Data(), plan)));
    Fill(RegularGridColumns(), ChannelGridRows(context_.Data().plan(plan)));
}

void ChannelListPanel::FillExpGrid() {
    // Shown on the raster, and from then on kept there.
    context_.Session().SnapExpFrequencies();
    grid_->setAccessibleName(QString::fromUtf8(kExpRootText));
    Fill(ExpGridColumns(), ExpGridRows(context_.Data().exp));
}

void ChannelListPanel::Fill(const std::array<GridColumn, kGridColumns>& columns, const std::vector<GridRow>& rows) {
    const double tpp = TwipsPerPixelOf(this);
    grid_->setUpdatesEnabled(false);
    grid_->clearContents();
    grid_->setColumnCount(kGridColumns);
    grid_->setRowCount(static_cast<int>(rows.size()));
    QStringList headers;
    for (int c = 0; c < kGridColumns; ++c) {
        headers << QString::fromUtf8(columns[static_cast<size_t>(c)].header);
        grid_->setColumnWidth(c, layout::ToPixels(columns[static_cast<size_t>(c)].widthTwips, tpp));
    }
    grid_->setHorizontalHeaderLabels(headers);
    const int rowHeight = layout::ToPixels(kRowHeightTwips, layout::TwipsPerPixel(logicalDpiY()));
    grid_->verticalHeader()->setMinimumSectionSize(1);
    grid_->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid_->horizontalHeader()->setFixedHeight(rowHeight);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < kGridColumns; ++c) {
            auto* cell = new QTableWidgetItem(QString::fromStdString(rows[static_cast<size_t>(r)][static_cast<size_t>(c)]));
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            grid_->setItem(r, c, cell);
        }
        grid_->setRowHeight(r, rowHeight);
    }
    if (!rows.empty()) grid_->setCurrentCell(0, 0);
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

}  // namespace rp770::ui
