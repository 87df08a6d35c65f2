#pragma once

#include <QDialog>
#include <string>

class QFrame;
class QLabel;
class QPushButton;

namespace rp770::ui {

// "Version Infomation": title, version and notice; in debug mode, where the
// error log goes (`errorLog`, empty when it is not kept).
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr, const std::string& errorLog = {});

    // "Version " + major.minor.revision.
    static QString VersionLine(const QString& version);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QFrame* frame_;
    QPushButton* ok_;
};

}  // namespace rp770::ui
