#include "ui/GeneralPanel.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>

namespace rp770::ui {

GeneralPanel::GeneralPanel(QWidget* parent) : QWidget(parent), logo_(new QLabel(this)) {
    setObjectName("pictGeneral");
    setAutoFillBackground(true);
    logo_->setObjectName("pictLogo");
    logo_->hide();
}

bool GeneralPanel::LoadLogo(const QString& programFolder) {
    const QString path = QDir(programFolder.isEmpty() ? QStringLiteral(".") : programFolder).filePath("QJ Logo.gif");
    QPixmap picture;
    if (!QFileInfo::exists(path) || !picture.load(path)) {
        logo_->clear();
        logo_->hide();
        return false;
    }
    logo_->setPixmap(picture);
    logo_->resize(picture.size());
    logo_->show();
    return true;
}

QSize GeneralPanel::LogoSize() const { return logo_->isHidden() ? QSize(0, 0) : logo_->size(); }

}  // namespace rp770::ui
