#include "ui/TransferDialog.h"
#include "core/Titles.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "ui/ConnectionPictures.h"
#include "ui/Help.h"
#include "ui/Tr.h"
#include "ui/Twips.h"

namespace rp770::ui {

namespace {
constexpr int kDialogWidthPx = 465;
constexpr int kDialogHeightPx = 279;  // three fifths of the width
}  // namespace

QString TransferDialog::TransferTitle(TransferMode mode) {
    switch (mode) {
        case TransferMode::Read: return Tr(MessageId::ReadFromRadio);
        case TransferMode::Program: return Tr(MessageId::ProgramToRadio);
        case TransferMode::Compare: return Tr(MessageId::CompareWithRadio);
        case TransferMode::Probe: return Tr(MessageId::TestConnection);
    }
    return {};
}

QString TransferDialog::InstructionText() {
    // The label's lines end in CR LF, as the dialog has always had them.
    return Tr(MessageId::TransferInstructions).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

TransferDialog::TransferDialog(TransferMode mode, AppSession& session, Prompter& prompter, Clock& clock, QWidget* parent)
    : QDialog(parent), mode_(mode), session_(session), engine_(*session.link()), prompter_(prompter), clock_(clock),
      debugMode_(session.switches().debugMode) {
    setObjectName("frmRadio");
    setModal(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QFont arial("Arial");
    arial.setPointSizeF(9);

    lblmess_ = new QLabel(this);
    lblmess_->setObjectName("lblmess");
    lblmess_->setFont(arial);
    lblmess_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    pictHandy_ = new RadioPicture(this);
    pictHandy_->setObjectName("pictHandy");
    pictB_ = new CablePicture(this);
    pictB_->setObjectName("pictB");

    pictProgress_ = new QFrame(this);
    pictProgress_->setObjectName("pictProgress");
    pictProgress_->setFrameShape(QFrame::Panel);
    pictProgress_->setFrameShadow(QFrame::Sunken);
    lblPercent_ = new QLabel(pictProgress_);
    lblPercent_->setObjectName("lblPercent");
    lblPercent_->setAutoFillBackground(true);
    QPalette pal = lblPercent_->palette();
    pal.setColor(QPalette::Window, palette().color(QPalette::Highlight));
    lblPercent_->setPalette(pal);

    lblmon_ = new QLabel(this);
    lblmon_->setObjectName("lblmon");
    lblmon_->setFont(arial);
    lblmon_->setWordWrap(true);
    lblActivity_ = new QLabel(this);
    lblActivity_->setObjectName("lblActivity");
    lblActivity_->setFont(arial);

    cmdOK_ = new QPushButton(Tr(MessageId::ButtonOk), this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton(Tr(MessageId::ButtonCancel), this);
    cmdCancel_->setObjectName("cmdCancel");
    cmdHelp_ = new QPushButton(Tr(MessageId::Help), this);
    cmdHelp_->setObjectName("cmdHelp");
    for (QPushButton* b : {cmdOK_, cmdCancel_, cmdHelp_}) b->setFont(arial);
    connect(cmdOK_, &QPushButton::clicked, this, &TransferDialog::OkClicked);
    connect(cmdCancel_, &QPushButton::clicked, this, &TransferDialog::CancelClicked);
    connect(cmdHelp_, &QPushButton::clicked, this, &TransferDialog::HelpClicked);

    // Load.
    lblmon_->setVisible(debugMode_);
    Monitor(Tr(MessageId::MonitorStartingDebug));
    lblmess_->setText(InstructionText());
    setWindowTitle(TransferTitle(mode_));
    engine_.SetTitle(TransferTitle(mode_).toStdString());
    engine_.SetObserver(this);

    // The design's size, wider and taller where a language's instructions
    // or buttons need the room.
    const int margin = TwipsToPx(150, this);
    const int gap = 10;
    int buttonWidth = 88;
    for (QPushButton* b : {cmdOK_, cmdCancel_, cmdHelp_}) buttonWidth = std::max(buttonWidth, b->sizeHint().width());
    const QSize text = lblmess_->sizeHint();
    const int width = std::max({kDialogWidthPx, text.width() + 2 * margin, 3 * buttonWidth + 2 * gap + 2 * margin});
    const int picturesTop = std::max(TwipsToPx(1320, this), margin / 2 + text.height());
    const int height = kDialogHeightPx + picturesTop - TwipsToPx(1320, this);
    setFixedSize(width, height);

    lblmess_->setGeometry(margin, margin / 2, width - 2 * margin, picturesTop - margin / 2);
    LayoutPictures(picturesTop);
    const int progressTop = picturesTop + pictHandy_->height() + 4;
    pictProgress_->setGeometry(margin, progressTop, width - 2 * margin, 16);
    // What the link is doing or waiting for, under the progress bar.
    lblActivity_->setGeometry(margin, progressTop + 18, width - 2 * margin, 16);
    const int buttonTop = height - cmdOK_->sizeHint().height() - 8;
    int x = width - 3 * buttonWidth - 2 * gap - margin;
    // The debug monitor fills the room left of the buttons.
    lblmon_->setGeometry(margin, buttonTop - 6, x - margin - gap, cmdOK_->sizeHint().height() + 12);
    for (QPushButton* b : {cmdOK_, cmdCancel_, cmdHelp_}) {
        b->setGeometry(x, buttonTop, buttonWidth, b->sizeHint().height());
        x += buttonWidth + gap;
    }
    SetProgress(0);
    QApplication::restoreOverrideCursor();
}

TransferDialog::~TransferDialog() { engine_.SetObserver(nullptr); }

void TransferDialog::LayoutPictures(int top) {
    // Read: the radio left of the PC; programming: right of it. The cable
    // picture reaches from the PC's place to the radio's jack, which faces it.
    const bool radioOnLeft = mode_ != TransferMode::Program;
    const int pcWidth = pictB_->sizeHint().width(), height = pictB_->sizeHint().height();
    pictHandy_->SetJackOnLeft(!radioOnLeft);
    if (radioOnLeft) {
        pictHandy_->move(TwipsToPx(1050, this), top);
        const int jackX = pictHandy_->x() + qRound(pictHandy_->Jack().x());
        // The PC keeps its place, and stays clear of the radio whatever the screen's density.
        const int pcRight = std::max(TwipsToPx(4200, this), pictHandy_->x() + pictHandy_->width()) + pcWidth;
        pictB_->setGeometry(jackX, top, pcRight - jackX, height);
    } else {
        pictB_->move(TwipsToPx(450, this), top);
        pictHandy_->move(std::max(TwipsToPx(4800, this), pictB_->x() + pcWidth), top);
        const int jackX = pictHandy_->x() + qRound(pictHandy_->Jack().x());
        pictB_->setGeometry(pictB_->x(), top, jackX - pictB_->x(), height);
    }
    pictB_->SetRadioJack(pictHandy_->geometry().topLeft() + pictHandy_->Jack() - pictB_->geometry().topLeft());
    pictB_->raise();  // the cable's end lies over the radio's jack
}

void TransferDialog::SetProgress(int percent) {
    if (percent > 100) percent = 100;
    progress_ = percent;
    const int w = pictProgress_->width();
    lblPercent_->setGeometry(w * percent / 100 - w, 0, w, pictProgress_->height());
}

void TransferDialog::ShowMonitor(const std::string& text) {
    if (debugMode_) lblmon_->setText(QString::fromStdString(text));
}

void TransferDialog::Monitor(const QString& text) {
    if (!debugMode_) return;
    lblmon_->setText(text);
    clock_.Sleep(500);
}

void TransferDialog::ShowActivity(const std::string& text) { lblActivity_->setText(QString::fromStdString(text)); }

void TransferDialog::SetControlsEnabled(bool enabled) {
    cmdOK_->setEnabled(enabled);
    cmdHelp_->setEnabled(enabled);
    if (enabled)
        QApplication::restoreOverrideCursor();
    else
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void TransferDialog::OkClicked() {
    if (busy_) return;
    cmdOK_->setEnabled(false);
    cmdHelp_->setEnabled(false);
    busy_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (mode_ == TransferMode::Probe) return RunProbe();
    // The whole sequence is the session's: synchronisation, then the read
    // taken over, the data programmed (and read back to verify them, when
    // the user chose so), or the radio read to compare.
    TransferOutcome result;
    if (mode_ == TransferMode::Compare) {
        DataSet radio;
        result = session_.CompareWithRadio(radio);
        if (result.completed) radioData_ = std::move(radio);
    } else {
        result = mode_ == TransferMode::Read ? session_.ReadFromRadio() : session_.ProgramToRadio();
    }
    ShowMessages(prompter_, result.messages);
    if (result.synchronised) {
        SetProgress(0);
        QApplication::restoreOverrideCursor();
        busy_ = false;
        if (!engine_.State().CommError) accept();
    } else {
        cmdOK_->setEnabled(true);
        cmdHelp_->setEnabled(true);
        QApplication::restoreOverrideCursor();
        busy_ = false;
    }
}

void TransferDialog::RunProbe() {
    const ProbeOutcome probe = session_.TestConnection();
    QApplication::restoreOverrideCursor();
    busy_ = false;
    cmdOK_->setEnabled(true);
    cmdHelp_->setEnabled(true);
    ShowMessages(prompter_, probe.messages);
    // Found: done. Otherwise the dialog stays, to test again once the cable or the radio is put right.
    if (probe.report.RadioFound()) accept();
}

void TransferDialog::CancelClicked() {
    if (busy_) {
        engine_.State().CancelRequested = true;
        return;
    }
    QDialog::reject();
}

void TransferDialog::reject() { CancelClicked(); }

void TransferDialog::HelpClicked() {
    ShowHelp(this, prompter_, windowTitle().toStdString(), kHelpTransferDialog, session_.workspace().program().Where());
}

void TransferDialog::closeEvent(QCloseEvent* event) {
    if (busy_) {
        event->ignore();
        return;
    }
    pictB_->hide();
    pictHandy_->hide();
    QDialog::closeEvent(event);
}

}  // namespace rp770::ui
