#include "ui/ReportWindow.h"

#include <QApplication>
#include <QFontDatabase>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>

#include "desktop/AtomicFile.h"
#include "report/TextReport.h"
#include "ui/FileDialogs.h"
#include "ui/ReportPrint.h"
#include "ui/Tr.h"
#include "ui/Twips.h"

namespace rp770::ui {

QString ReportWindow::WaitingText() { return Tr(MessageId::ReportWaiting); }

ReportWindow::ReportWindow(const DataSet& dataSet, Prompter& prompter, FileDialogs& dialogs, Clock& clock,
                           std::string messageCaption, QWidget* parent)
    : QDialog(parent), data_(dataSet), prompter_(prompter), dialogs_(dialogs), clock_(clock),
      messageCaption_(std::move(messageCaption)) {
    setObjectName("frmPrn");
    setWindowTitle(Tr(MessageId::PrintToFile));
    setModal(true);
    setSizeGripEnabled(true);

    menu_ = new QMenuBar(this);
    QMenu* file = menu_->addMenu(Tr(MessageId::MenuFile));
    file->setObjectName("mnuFile");
    QAction* save = file->addAction(Tr(MessageId::MenuReportSaveAs), this, [this] { SaveAs(); });
    save->setObjectName("mnuFileSave");
    save->setShortcut(QKeySequence::SaveAs);
    QAction* print = file->addAction(Tr(MessageId::MenuFilePrint), this, [this] { Print(); });
    print->setObjectName("mnuFilePrint");
    print->setShortcut(QKeySequence::Print);
    QAction* exit = file->addAction(Tr(MessageId::MenuReportExit), this, &QDialog::accept);
    exit->setObjectName("mnuFileExit");

    txtPrn_ = new QPlainTextEdit(this);
    txtPrn_->setObjectName("txtPrn");
    QFont mono("Courier New");
    mono.setStyleHint(QFont::Monospace);
    if (!QFontInfo(mono).fixedPitch()) mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(8.25);
    mono.setBold(true);
    txtPrn_->setFont(mono);
    txtPrn_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtPrn_->setPlainText(WaitingText());

    cmdOK_ = new QPushButton(Tr(MessageId::ButtonOk), this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);

    resize(558, 409);
    // Build once the window is on screen, so the waiting text shows first.
    QTimer::singleShot(10, this, [this] { BuildReport(); });
}

QString ReportWindow::text() const { return txtPrn_->toPlainText(); }

void ReportWindow::BuildReport() {
    if (built_) return;
    built_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setEnabled(false);
    const std::string report = BuildTextReport(data_);
    txtPrn_->setPlainText(QString::fromStdString(report).replace("\r\n", "\n"));
    clock_.Sleep(500);
    setEnabled(true);
    QApplication::restoreOverrideCursor();
}

bool ReportWindow::SaveAs() {
    const QString path = dialogs_.SavePath(this, FileKind::Text, QString());
    if (path.isEmpty()) {
        operationCancelled_ = true;
        return false;
    }
    fileError_ = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setEnabled(false);
    // What the box holds, with CR LF line ends as the listing has them.
    std::string content = text().toStdString();
    std::string crlf;
    crlf.reserve(content.size() + 64);
    for (char c : content) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    crlf += "\r\n";
    std::string notice;
    const Failure failure = WriteFileAtomically(path.toStdString(), crlf, &notice);
    const bool ok = failure.Ok();
    clock_.Sleep(500);
    setEnabled(true);
    QApplication::restoreOverrideCursor();
    if (ok) {
        dialogs_.FileUsed(path);
        if (!notice.empty()) prompter_.Message(notice, messageCaption_, Icon::Warning);
    } else {
        fileError_ = true;
        prompter_.Message(failure.DescriptionText().Render(), messageCaption_, Icon::Warning);
        operationCancelled_ = true;
    }
    return ok;
}

bool ReportWindow::Print() {
    return PrintReportWithPreview(this, dialogs_, prompter_,
                                  {data_, jobTitle_, messageCaption_, PrintOrder::ChooseThenPreview});
}

void ReportWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // Sizes in twips; a window too small for the rule keeps the box at zero
    // instead of a negative size.
    const double w = PxToTwips(width(), this), h = PxToTwips(height(), this);
    const int menuHeight = menu_->sizeHint().height();
    menu_->setGeometry(0, 0, width(), menuHeight);
    const int boxW = std::max(0, TwipsToPx(w - 300, this));
    const int boxH = std::max(0, TwipsToPx(h - 1300, this));
    txtPrn_->setGeometry(TwipsToPx(100, this), menuHeight, boxW, std::max(0, boxH - menuHeight / 2));
    cmdOK_->resize(cmdOK_->sizeHint().expandedTo(QSize(88, 0)));
    cmdOK_->move((width() - cmdOK_->width()) / 2, std::max(0, TwipsToPx(h - 1200, this)));
}

}  // namespace rp770::ui
