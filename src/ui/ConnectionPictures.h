#pragma once
// Our own drawings for the transfer dialog: the hand-held radio and the PC
// end of the programming cable.

#include <QWidget>

namespace rp770::ui {

class RadioPicture : public QWidget {
public:
    explicit RadioPicture(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {60, 110}; }

protected:
    void paintEvent(QPaintEvent*) override;
};

// The PC and the cable, drawn towards the radio on the left or the right.
class CablePicture : public QWidget {
public:
    explicit CablePicture(QWidget* parent = nullptr);
    void SetRadioOnLeft(bool left) {
        radioOnLeft_ = left;
        update();
    }
    QSize sizeHint() const override { return {150, 110}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    bool radioOnLeft_ = true;
};

}  // namespace rp770::ui
