#pragma once
// Our own drawings for the transfer dialog: the hand-held radio and the PC
// with the programming cable that runs to the radio's jack.

#include <QPainterPath>
#include <QWidget>

namespace rp770::ui {

class RadioPicture : public QWidget {
public:
    explicit RadioPicture(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {60, 110}; }
    // The jack faces the cable: on the radio's left or right side.
    void SetJackOnLeft(bool left) {
        jackOnLeft_ = left;
        update();
    }
    // The middle of the jack, in this picture's coordinates.
    QPointF Jack() const { return {jackOnLeft_ ? 10.0 : 50.0, 44.0}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    bool jackOnLeft_ = false;
};

// The PC, and the cable from its serial port to the radio's jack. The
// picture reaches from the PC to the jack: the jack lies on its left or
// right edge, the PC stands at the other end.
class CablePicture : public QWidget {
public:
    explicit CablePicture(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {150, 110}; }
    // In this picture's coordinates.
    void SetRadioJack(const QPointF& jack) {
        jack_ = jack;
        update();
    }

    // The cable's middle line, from the serial port to the jack.
    QPainterPath Cable() const;
    // Where "QZP cable" is written: above the cable's middle, clear of it.
    QRectF LabelRect() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    bool RadioOnLeft() const { return jack_.x() < width() / 2.0; }
    double PcLeft() const { return RadioOnLeft() ? width() - 62.0 : 2.0; }
    QFont LabelFont() const;

    QPointF jack_{0, 44};
};

}  // namespace rp770::ui
