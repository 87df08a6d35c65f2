#include "ui/ConnectionPictures.h"

#include <QPainter>
#include <QPainterPath>

#include "ui/PaletteContrast.h"

namespace rp770::ui {

RadioPicture::RadioPicture(QWidget* parent) : QWidget(parent) { setFixedSize(sizeHint()); }

void RadioPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor body(40, 48, 58), face(70, 80, 92), screen(170, 205, 150);
    // Antenna and body, outlined so that they show on a dark background too.
    p.setPen(QPen(OutlineColour(palette()), 1.2));
    p.setBrush(QColor(25, 25, 25));
    p.drawRoundedRect(QRectF(14, 2, 8, 30), 3, 3);
    p.setBrush(body);
    p.drawRoundedRect(QRectF(8, 26, 44, 82), 8, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawRoundedRect(QRectF(12, 32, 36, 70), 6, 6);
    // Display reading "PC CONTROL"
    p.setBrush(screen);
    p.drawRoundedRect(QRectF(15, 38, 30, 16), 2, 2);
    p.setPen(QColor(30, 40, 30));
    QFont f = font();
    f.setPixelSize(5);
    p.setFont(f);
    p.drawText(QRectF(15, 38, 30, 16), Qt::AlignCenter, "PC\nCONTROL");
    // Keys
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 158, 168));
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col) p.drawRoundedRect(QRectF(16 + col * 10, 60 + row * 9, 7, 5), 1.5, 1.5);
    // Jack on the side, where the cable goes in
    p.setBrush(QColor(200, 160, 40));
    p.drawEllipse(QPointF(50, 44), 2.5, 2.5);
}

CablePicture::CablePicture(QWidget* parent) : QWidget(parent) { setFixedSize(sizeHint()); }

void CablePicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int w = width();
    // The PC stands on the side away from the radio.
    const double pcX = radioOnLeft_ ? w - 62 : 2;
    const QColor line = OutlineColour(palette());
    p.setPen(QPen(line, 1.2));
    p.setBrush(QColor(225, 228, 232));
    p.drawRoundedRect(QRectF(pcX, 18, 60, 42), 3, 3);       // monitor
    p.setBrush(QColor(90, 130, 190));
    p.drawRect(QRectF(pcX + 5, 23, 50, 32));                // screen
    p.setBrush(QColor(225, 228, 232));
    p.drawRect(QRectF(pcX + 24, 60, 12, 8));                // stand
    p.drawRoundedRect(QRectF(pcX - 2, 70, 64, 30), 3, 3);   // case
    p.setBrush(QColor(80, 80, 80));
    const double portX = radioOnLeft_ ? pcX + 4 : pcX + 46;
    p.drawRoundedRect(QRectF(portX, 80, 12, 7), 2, 2);      // serial port
    // The cable from the serial port to the radio's jack.
    QPainterPath cable;
    const QPointF from(portX + 6, 84);
    const QPointF to(radioOnLeft_ ? 0 : w, 44);
    cable.moveTo(from);
    cable.cubicTo(QPointF(from.x(), 108), QPointF((from.x() + to.x()) / 2, 108), to);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(IsDarkPalette(palette()) ? line : QColor(30, 30, 30), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cable);
    p.setPen(palette().color(QPalette::WindowText));
    QFont f = font();
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF((from.x() + to.x()) / 2 - 30, 92, 60, 14), Qt::AlignCenter, "QZP cable");
}

}  // namespace rp770::ui
