#include "ui/DifferencesDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

namespace rp770::ui {

namespace {
const QStringList kHeaders = {"Area", "Channel", "Field", "This", "Other"};
}

DifferencesDialog::DifferencesDialog(const std::vector<Difference>& differences, const QString& other,
                                     const QString& title, QWidget* parent)
    : QDialog(parent),
      differences_(differences),
      table_(new QTableWidget(static_cast<int>(differences.size()), kHeaders.size(), this)) {
    setObjectName("frmDifferences");
    setWindowTitle(title);
    auto* summary = new QLabel(
        differences.size() == 1 ? QString("1 difference between the data on screen (This) and %1 (Other):").arg(other)
                                : QString("%1 differences between the data on screen (This) and %2 (Other):")
                                      .arg(differences.size())
                                      .arg(other),
        this);
    summary->setObjectName("lblSummary");
    summary->setWordWrap(true);

    table_->setObjectName("tblDifferences");
    table_->setAccessibleName("Differences");
    table_->setHorizontalHeaderLabels(kHeaders);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setWordWrap(false);
    table_->verticalHeader()->setVisible(false);
    for (int r = 0; r < static_cast<int>(differences.size()); ++r) {
        const Difference& d = differences[static_cast<size_t>(r)];
        const std::string cells[] = {d.area, d.channel, d.field, d.a, d.b};
        for (int c = 0; c < kHeaders.size(); ++c)
            table_->setItem(r, c, new QTableWidgetItem(QString::fromStdString(cells[c])));
    }
    table_->resizeColumnsToContents();
    for (int c = 0; c < kHeaders.size(); ++c)
        table_->setColumnWidth(c, std::max(table_->columnWidth(c) + 16, fontMetrics().horizontalAdvance("0000.00000")));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* copy = buttons->addButton("&Copy", QDialogButtonBox::ActionRole);
    copy->setObjectName("cmdCopy");
    copy->setAutoDefault(false);
    buttons->button(QDialogButtonBox::Close)->setDefault(true);
    connect(copy, &QPushButton::clicked, this, &DifferencesDialog::Copy);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* copyKey = new QShortcut(QKeySequence::Copy, table_);
    connect(copyKey, &QShortcut::activated, this, &DifferencesDialog::Copy);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(640, 420);
}

QString DifferencesDialog::CopiedText() const {
    std::set<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) rows.insert(index.row());
    if (rows.empty()) return QString::fromStdString(DifferencesForSpreadsheet(differences_));
    std::vector<Difference> selected;
    for (int r : rows) selected.push_back(differences_[static_cast<size_t>(r)]);
    return QString::fromStdString(DifferencesForSpreadsheet(selected));
}

void DifferencesDialog::Copy() const { QApplication::clipboard()->setText(CopiedText()); }

}  // namespace rp770::ui
