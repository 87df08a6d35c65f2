#include "ui/MainWindow.h"

#include "core/Titles.h"

namespace rp770::ui {

MainWindow::MainWindow(const Switches& switches, QWidget* parent) : QMainWindow(parent), switches_(switches) {
    setObjectName("frmMain");
    UpdateTitle();
    resize(607, 444);
}

void MainWindow::UpdateTitle() {
    setWindowTitle(QString::fromStdString(
        WindowCaption(AppTitle, MessageTitle(modelNumber_), currentFilePath_.toStdString())));
}

}  // namespace rp770::ui
