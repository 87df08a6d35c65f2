#include "ui/PrintPreviewDialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/Tr.h"

namespace rp770::ui {

PrintPreviewDialog::PrintPreviewDialog(QPrinter& printer, std::function<void(QPrinter&)> draw, bool chooseNext,
                                       QWidget* parent)
    : QDialog(parent), draw_(std::move(draw)) {
    setObjectName("frmPrintPreview");
    setWindowTitle(Tr(MessageId::PrintPreviewTitle));
    setModal(true);
    setSizeGripEnabled(true);

    auto* tools = new QToolBar(this);
    tools->setObjectName("tbPreview");
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    previous_ = tools->addAction(style()->standardIcon(QStyle::SP_ArrowBack), Tr(MessageId::PrintPreviewPrevious));
    previous_->setObjectName("actPreviewPrevious");
    previous_->setShortcut(QKeySequence::MoveToPreviousPage);
    page_ = new QLabel(tools);
    page_->setObjectName("lblPreviewPage");
    page_->setContentsMargins(8, 0, 8, 0);
    tools->addWidget(page_);
    next_ = tools->addAction(style()->standardIcon(QStyle::SP_ArrowForward), Tr(MessageId::PrintPreviewNext));
    next_->setObjectName("actPreviewNext");
    next_->setShortcut(QKeySequence::MoveToNextPage);
    tools->addSeparator();
    QAction* zoomIn = tools->addAction(Tr(MessageId::PrintPreviewZoomIn));
    zoomIn->setObjectName("actPreviewZoomIn");
    zoomIn->setShortcut(QKeySequence::ZoomIn);
    QAction* zoomOut = tools->addAction(Tr(MessageId::PrintPreviewZoomOut));
    zoomOut->setObjectName("actPreviewZoomOut");
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    QAction* fitWidth = tools->addAction(Tr(MessageId::PrintPreviewFitWidth));
    fitWidth->setObjectName("actPreviewFitWidth");
    QAction* wholePage = tools->addAction(Tr(MessageId::PrintPreviewWholePage));
    wholePage->setObjectName("actPreviewWholePage");
    // The arrows say enough: their words are their tooltips, and the words
    // of the rest fit beside them.
    for (QAction* arrow : {previous_, next_})
        if (auto* button = qobject_cast<QToolButton*>(tools->widgetForAction(arrow)))
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);

    preview_ = new QPrintPreviewWidget(&printer, this);
    preview_->setObjectName("pvwPages");
    preview_->setViewMode(QPrintPreviewWidget::SinglePageView);
    preview_->fitInView();
    connect(preview_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* target) {
        if (target && draw_) draw_(*target);
    });
    connect(preview_, &QPrintPreviewWidget::previewChanged, this, &PrintPreviewDialog::ShowPageNumber);
    // Going to a page by the arrows says nothing of itself: the number follows here.
    connect(previous_, &QAction::triggered, this, [this] { GoToPage(preview_->currentPage() - 1); });
    connect(next_, &QAction::triggered, this, [this] { GoToPage(preview_->currentPage() + 1); });
    connect(zoomIn, &QAction::triggered, preview_, [this] { preview_->zoomIn(); });
    connect(zoomOut, &QAction::triggered, preview_, [this] { preview_->zoomOut(); });
    connect(fitWidth, &QAction::triggered, preview_, &QPrintPreviewWidget::fitToWidth);
    connect(wholePage, &QAction::triggered, preview_, &QPrintPreviewWidget::fitInView);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* print = buttons->addButton(Tr(chooseNext ? MessageId::PrintPreviewPrintEllipsis : MessageId::PrintPreviewPrint),
                                            QDialogButtonBox::AcceptRole);
    print->setObjectName("cmdPreviewPrint");
    print->setDefault(true);
    QPushButton* cancel = buttons->addButton(Tr(MessageId::ButtonCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName("cmdPreviewCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->addWidget(tools);
    column->addWidget(preview_, 1);
    column->addWidget(buttons);
    resize(640, 720);
    ShowPageNumber();
}

void PrintPreviewDialog::UpdatePreview() { preview_->updatePreview(); }

int PrintPreviewDialog::PageCount() const { return preview_->pageCount(); }

int PrintPreviewDialog::CurrentPage() const { return preview_->currentPage(); }

void PrintPreviewDialog::GoToPage(int page) {
    preview_->setCurrentPage(page);
    ShowPageNumber();
}

void PrintPreviewDialog::ShowPageNumber() {
    const int pages = preview_->pageCount();
    const int current = pages > 0 ? preview_->currentPage() : 0;
    page_->setText(Tr({MessageId::PrintPreviewPage, current, pages}));
    previous_->setEnabled(current > 1);
    next_->setEnabled(current < pages);
}

}  // namespace rp770::ui
