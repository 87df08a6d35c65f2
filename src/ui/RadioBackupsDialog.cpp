#include "ui/RadioBackupsDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "desktop/FolderKeeper.h"
#include "ui/MainWindow.h"
#include "ui/Tr.h"

namespace rp770::ui {

RadioBackupsDialog::RadioBackupsDialog(std::vector<KeptImage> images, const QString& where, QWidget* parent)
    : QDialog(parent), images_(std::move(images)) {
    setWindowTitle(Tr(MessageId::RadioBackupsTitle));
    setObjectName("frmRadioBackups");
    auto* layout = new QVBoxLayout(this);
    table_ = new QTableWidget(static_cast<int>(images_.size()), 4, this);
    table_->setObjectName("tblBackups");
    table_->setHorizontalHeaderLabels({Tr(MessageId::BackupColumnTime), Tr(MessageId::Model),
                                       Tr(MessageId::FieldAtisCode), Tr(MessageId::BackupColumnReason)});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < table_->rowCount(); ++row) {
        const KeptImage& image = images_[static_cast<size_t>(row)];
        const MessageId reason =
            image.reason == KeepReason::Read ? MessageId::BackupReasonRead : MessageId::BackupReasonBeforeProgramming;
        const QString cells[] = {QString::fromStdString(image.time), QString::fromStdString(image.model),
                                 QString::fromStdString(image.atis), Tr(reason)};
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setToolTip(QString::fromStdString(image.where));
            table_->setItem(row, column, item);
        }
    }
    table_->resizeColumnsToContents();
    layout->addWidget(table_);
    auto* said = new QLabel(images_.empty() ? Tr(MessageId::RadioBackupsNone) : Tr({MessageId::RadioBackupsWhere, where.toStdString()}), this);
    said->setWordWrap(true);
    said->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(said);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    open_ = buttons->addButton(Tr(MessageId::MenuFileOpen), QDialogButtonBox::AcceptRole);
    open_->setObjectName("cmdOpen");
    open_->setEnabled(false);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(open_, &QPushButton::clicked, this, &RadioBackupsDialog::OpenSelected);
    connect(table_, &QTableWidget::itemSelectionChanged, this,
            [this] { open_->setEnabled(!table_->selectedItems().isEmpty()); });
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this] { OpenSelected(); });
    if (!images_.empty()) table_->selectRow(0);
    resize(560, 360);
}

void RadioBackupsDialog::OpenSelected() {
    const int row = table_->currentRow();
    if (row < 0 || row >= static_cast<int>(images_.size())) return;
    chosen_ = images_[static_cast<size_t>(row)];
    accept();
}

// ---- the window's commands around kept radios ----------------------------------------

void MainWindow::FileRadioBackups() {
    RadioKeeper* keeper = session_.keeper();
    if (!keeper) {
        services_.prompter.Message(Tr(MessageId::NoBackupsFolder).toStdString(), workspace().messageTitle(),
                                   Icon::Information);
        return;
    }
    RadioBackupsDialog dialog(keeper->List(), QString::fromStdString(KeptRadiosFolder().string()), this);
    if (dialog.exec() != QDialog::Accepted || !dialog.chosen()) return;
    OpenFile(QString::fromStdString(dialog.chosen()->where));
}

void MainWindow::OfferPartlyProgrammed() {
    for (const PartialProgramming& partial : session_.PartlyProgrammed()) {
        const MessageText file = partial.file.empty() ? MessageText{MessageId::NewPlan} : MessageText{partial.file};
        const Answer answer = services_.prompter.Ask(
            Tr({MessageId::AskProgramPartialAgain, partial.port, partial.time, file}).toStdString(),
            workspace().messageTitle(), Icon::Warning, Buttons::YesNo, Answer::Yes);
        if (answer != Answer::Yes) {
            session_.ForgetPartial(partial.port);
            continue;
        }
        // The plan again, on its port, and the programming as the menu starts it.
        const PendingInput pending = Pending();
        if (!SaveWith([&] { return session_.ConfirmDiscard(&pending); }) ||
            !ReplaceData([&] { return session_.ResumePartial(partial); }))
            return;
        TransferProgram();
        return;
    }
}

}  // namespace rp770::ui
