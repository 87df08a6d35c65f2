#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace rp770::ui {

// "Version Infomation": title, version and notice.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    // "Version " + major.minor.revision.
    static QString VersionLine(const QString& version);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QFrame* frame_;
    QPushButton* ok_;
};

}  // namespace rp770::ui
