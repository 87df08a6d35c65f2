#include "ui/ConnectionPictures.h"

#include <QPainter>
#include <algorithm>

#include "ui/PaletteContrast.h"
#include "ui/Tr.h"

namespace rp770::ui {

namespace {
constexpr double kCableWidth = 2.5;
constexpr double kCableSag = 108;  // how low the cable hangs between the PC and the radio
}  // namespace

RadioPicture::RadioPicture(QWidget* parent) : QWidget(parent) { setFixedSize(sizeHint()); }

void RadioPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor body(40, 48, 58), face(70, 80, 92), screen(170, 205, 150);
    // Antenna and body, outlined so that they show on a dark background too.
    p.setPen(QPen(OutlineColour(palette()), 1.2));
    p.setBrush(QColor(25, 25, 25));
    p.drawRoundedRect(QRectF(jackOnLeft_ ? 38 : 14, 2, 8, 30), 3, 3);
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
    // The jack on the side, where the cable goes in
    p.setBrush(QColor(200, 160, 40));
    p.drawEllipse(Jack(), 2.5, 2.5);
}

CablePicture::CablePicture(QWidget* parent) : QWidget(parent) { resize(sizeHint()); }

QPainterPath CablePicture::Cable() const {
    // The serial port sits on the side of the PC's case that faces the radio.
    const double portX = RadioOnLeft() ? PcLeft() + 4 : PcLeft() + 46;
    const QPointF from(portX + 6, 84);
    QPainterPath cable(from);
    cable.cubicTo(QPointF(from.x(), kCableSag), QPointF((from.x() + jack_.x()) / 2, kCableSag), jack_);
    return cable;
}

QFont CablePicture::LabelFont() const {
    QFont f = font();
    f.setPixelSize(9);
    f.setBold(true);
    return f;
}

QRectF CablePicture::LabelRect() const {
    const QFontMetricsF metrics(LabelFont());
    const QSizeF size(metrics.horizontalAdvance(Tr(MessageId::QzpCable)) + 4, metrics.height());
    const QPainterPath cable = Cable();
    const double middle = (cable.elementAt(0).x + jack_.x()) / 2;
    const double left = middle - size.width() / 2, right = middle + size.width() / 2;
    // The highest point of the cable under the label; the label sits above it.
    double top = height();
    for (int i = 0; i <= 100; ++i) {
        const QPointF at = cable.pointAtPercent(i / 100.0);
        if (at.x() >= left - kCableWidth && at.x() <= right + kCableWidth) top = std::min(top, at.y());
    }
    return QRectF(QPointF(left, std::max(0.0, top - kCableWidth - size.height())), size);
}

void CablePicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double pcX = PcLeft();
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
    const QPainterPath cable = Cable();
    p.drawRoundedRect(QRectF(cable.elementAt(0).x - 6, 80, 12, 7), 2, 2);  // serial port
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(IsDarkPalette(palette()) ? line : QColor(30, 30, 30), kCableWidth, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cable);
    p.setPen(palette().color(QPalette::WindowText));
    p.setFont(LabelFont());
    p.drawText(LabelRect(), Qt::AlignCenter, Tr(MessageId::QzpCable));
}

}  // namespace rp770::ui
