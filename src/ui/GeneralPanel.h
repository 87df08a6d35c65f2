#pragma once
// The general page: the logo and nothing else.

#include <QSize>
#include <QWidget>

class QLabel;

namespace rp770::ui {

class GeneralPanel : public QWidget {
    Q_OBJECT
public:
    explicit GeneralPanel(QWidget* parent);

    // Shows "QJ Logo.gif" from the program folder; without the file the
    // page stays empty. Returns whether a picture was loaded.
    bool LoadLogo(const QString& programFolder);
    QLabel* Logo() const { return logo_; }
    QSize LogoSize() const;  // pixels; empty when no logo shows

private:
    QLabel* logo_;
};

}  // namespace rp770::ui
