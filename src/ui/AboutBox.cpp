#include "ui/AboutBox.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <QVBoxLayout>

#include "core/CommandLine.h"
#include "ui/Tr.h"
#include "ui/Twips.h"

namespace rp770::ui {

QString AboutBox::VersionLine(const QString& version) {
    const QStringList parts = version.split('.');
    QStringList numbers;
    for (int i = 0; i < 3; ++i) numbers << QString::number(i < parts.size() ? parts[i].toInt() : 0);
    return Tr({MessageId::AboutVersion, numbers.join('.').toStdString()});
}

AboutBox::AboutBox(QWidget* parent, const std::string& errorLog) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle(Tr(MessageId::VersionInformation));
    setModal(true);

    frame_ = new QFrame(this);
    frame_->setObjectName("Frame1");
    frame_->setFrameShape(QFrame::StyledPanel);
    auto* icon = new QLabel(frame_);
    icon->setObjectName("picIcon");
    icon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32));
    auto* title = new QLabel(Tr({MessageId::AboutTitle, AppTitle}), frame_);
    title->setObjectName("lblTitle");
    QFont f = title->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    title->setFont(f);
    auto* version = new QLabel(VersionLine(RP770_VERSION), frame_);
    version->setObjectName("lblVersion");
    // The notice's lines are separated by carriage returns, as the box has always had them.
    auto* notice = new QLabel(Tr(MessageId::AboutNotice).replace('\n', '\r'), frame_);
    notice->setObjectName("lblDescription");
    notice->setWordWrap(true);

    auto* grid = new QVBoxLayout(frame_);
    auto* head = new QHBoxLayout;
    head->addWidget(icon);
    auto* titles = new QVBoxLayout;
    titles->addWidget(title);
    titles->addWidget(version);
    head->addLayout(titles, 1);
    grid->addLayout(head);
    grid->addWidget(notice, 1);
    // In debug mode: where the error log goes (beside the program, or the
    // user's state folder).
    if (!errorLog.empty()) {
        auto* where = new QLabel(Tr({MessageId::AboutErrorLog, errorLog}), frame_);
        where->setObjectName("lblErrorLog");
        where->setWordWrap(true);
        where->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(where);
    }

    ok_ = new QPushButton(Tr(MessageId::ButtonOk), this);
    ok_->setObjectName("cmdOK");
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    resize(340, 251);
}

void AboutBox::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The frame spans the window less 200 twips; OK sits 70 twips below it, centred.
    const int margin = TwipsToPx(100, this);
    const int frameWidth = width() - TwipsToPx(200, this);
    const int frameHeight = height() - ok_->sizeHint().height() - TwipsToPx(70, this) - 2 * margin;
    frame_->setGeometry(margin, margin, frameWidth, frameHeight);
    ok_->resize(ok_->sizeHint());
    ok_->move((width() - ok_->width()) / 2, margin + frameHeight + TwipsToPx(70, this));
}

}  // namespace rp770::ui
