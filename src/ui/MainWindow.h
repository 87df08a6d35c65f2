#pragma once

#include <QMainWindow>

#include "core/CommandLine.h"

namespace rp770::ui {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(const Switches& switches, QWidget* parent = nullptr);

    void UpdateTitle();

private:
    Switches switches_;
    int modelNumber_ = 1;
    QString currentFilePath_;
};

}  // namespace rp770::ui
