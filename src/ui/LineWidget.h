#pragma once
// A one-pixel line of a given colour: the frame lines around the data area
// and the channel box, and the connector lines of the editor panels.

#include <QColor>
#include <QWidget>

namespace rp770::ui {

class LineWidget : public QWidget {
    Q_OBJECT
public:
    explicit LineWidget(const QString& name, QColor colour, QWidget* parent);

    QColor Colour() const { return colour_; }
    void SetColour(QColor colour);
    // Places the line between two points given in pixels of the parent;
    // lines run horizontally or vertically.
    void Place(int x1, int y1, int x2, int y2);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};

// The two colours of a connector line: the line leads to a control that can
// be used, or to one that cannot.
QColor ActiveLineColour(const QWidget* widget);
QColor InactiveLineColour(const QWidget* widget);

}  // namespace rp770::ui
