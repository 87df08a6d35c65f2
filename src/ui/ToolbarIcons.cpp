#include "ui/ToolbarIcons.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "ui/PaletteContrast.h"

namespace rp770::ui {

namespace {

void Page(QPainter& p, QColor fill) {
    QPainterPath page;
    page.moveTo(5, 2);
    page.lineTo(15, 2);
    page.lineTo(19, 6);
    page.lineTo(19, 22);
    page.lineTo(5, 22);
    page.closeSubpath();
    p.setBrush(fill);
    p.drawPath(page);
    p.drawLine(QPointF(15, 2), QPointF(15, 6));
    p.drawLine(QPointF(15, 6), QPointF(19, 6));
}

void Folder(QPainter& p) {
    p.setBrush(QColor(232, 196, 92));
    QPainterPath back;
    back.moveTo(2, 6);
    back.lineTo(8, 6);
    back.lineTo(10, 8);
    back.lineTo(20, 8);
    back.lineTo(20, 20);
    back.lineTo(2, 20);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(246, 216, 120));
    QPainterPath front;
    front.moveTo(2, 20);
    front.lineTo(5, 11);
    front.lineTo(23, 11);
    front.lineTo(20, 20);
    front.closeSubpath();
    p.drawPath(front);
}

void Disk(QPainter& p, QColor body) {
    p.setBrush(body);
    p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(QRectF(7, 3, 10, 6));
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(QRectF(6, 13, 12, 8));
}

void Printer(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 2, 10, 7));
    p.setBrush(QColor(150, 155, 165));
    p.drawRoundedRect(QRectF(2, 8, 20, 9), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 14, 12, 8));
    p.drawLine(QPointF(8, 17), QPointF(16, 17));
    p.drawLine(QPointF(8, 19.5), QPointF(14, 19.5));
}

// A small radio with an arrow into it (program) or out of it (read).
void RadioArrow(QPainter& p, bool intoRadio, QColor arrow) {
    p.setBrush(QColor(45, 52, 62));
    p.drawRoundedRect(QRectF(14, 5, 8, 17), 2, 2);
    p.drawRect(QRectF(15.5, 1, 2, 5));
    p.setBrush(QColor(170, 205, 150));
    p.drawRect(QRectF(15.5, 8, 5, 4));
    p.setBrush(arrow);
    p.setPen(QPen(arrow.darker(140), 0.8));
    QPainterPath a;
    if (intoRadio) {
        a.moveTo(1, 11);
        a.lineTo(7, 11);
        a.lineTo(7, 7);
        a.lineTo(13, 13.5);
        a.lineTo(7, 20);
        a.lineTo(7, 16);
        a.lineTo(1, 16);
    } else {
        a.moveTo(13, 11);
        a.lineTo(7, 11);
        a.lineTo(7, 7);
        a.lineTo(1, 13.5);
        a.lineTo(7, 20);
        a.lineTo(7, 16);
        a.lineTo(13, 16);
    }
    a.closeSubpath();
    p.drawPath(a);
}

}  // namespace

QIcon ToolbarIcon(const QString& key) {
    QPixmap pm(48, 48);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2, 2);
    // Outlines in the palette's contrast colour, so that the dark parts (the
    // radio's body) stay visible on a dark toolbar.
    p.setPen(QPen(OutlineColour(QGuiApplication::palette()), 1));
    if (key == "New") {
        Page(p, Qt::white);
    } else if (key == "Open") {
        Folder(p);
    } else if (key == "Save") {
        Disk(p, QColor(70, 110, 170));
    } else if (key == "SaveAsDefault") {
        Disk(p, QColor(120, 120, 120));
    } else if (key == "Print") {
        Printer(p);
    } else if (key == "Program" || key == "Program2") {
        RadioArrow(p, true, key == "Program" ? QColor(200, 80, 60) : QColor(210, 70, 50));
    } else if (key == "Read" || key == "Read2") {
        RadioArrow(p, false, key == "Read" ? QColor(50, 140, 70) : QColor(60, 150, 80));
    }
    p.end();
    return QIcon(pm);
}

}  // namespace rp770::ui
