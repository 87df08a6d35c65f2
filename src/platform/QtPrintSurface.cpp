#include "platform/QtPrintSurface.h"

#include <QFontMetricsF>
#include <QPrinter>

namespace rp770::platform {

namespace {
constexpr double kTwipsPerInch = 1440;
}

QtPrintSurface::QtPrintSurface(QPrinter& printer, const QFont* font)
    : QtPrintSurface(static_cast<QPagedPaintDevice&>(printer), font) {
    paper_ = &printer;
}

QtPrintSurface::QtPrintSurface(QPagedPaintDevice& printer, const QFont* font) : printer_(printer) {
    ok_ = painter_.begin(&printer_);
    if (!ok_) return;
    if (font) painter_.setFont(*font);
    dotsPerTwipX_ = printer_.logicalDpiX() / kTwipsPerInch;
    dotsPerTwipY_ = printer_.logicalDpiY() / kTwipsPerInch;
    if (dotsPerTwipX_ <= 0 || dotsPerTwipY_ <= 0) {
        dotsPerTwipX_ = dotsPerTwipY_ = 1;
    }
    const QFontMetricsF metrics(painter_.font(), &printer_);
    lineHeight_ = metrics.lineSpacing() / dotsPerTwipY_;
    if (!(lineHeight_ > 0)) lineHeight_ = 240;
    ascent_ = metrics.ascent() / dotsPerTwipY_;
    // The painter's origin is the printable area's top left; its height is
    // what the device reports.
    pageHeight_ = printer_.height() / dotsPerTwipY_;
}

QtPrintSurface::~QtPrintSurface() {
    if (painter_.isActive()) painter_.end();
}

QString QtPrintSurface::ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

double QtPrintSurface::TextWidth(std::string_view text) const {
    if (text.empty() || !painter_.isActive()) return 0;
    const QFontMetricsF metrics(painter_.font(), &printer_);
    return metrics.horizontalAdvance(ToQString(text)) / dotsPerTwipX_;
}

void QtPrintSurface::Draw(double xTwips, double yTwips, std::string_view text, bool) {
    if (text.empty() || !ok_ || !painter_.isActive()) return;
    // The current position is the top of the text; the painter wants the
    // baseline.
    painter_.drawText(QPointF(xTwips * dotsPerTwipX_, (yTwips + ascent_) * dotsPerTwipY_), ToQString(text));
}

void QtPrintSurface::BeginNextPage() {
    if (!ok_ || !painter_.isActive()) return;
    if (!printer_.newPage()) ok_ = false;
}

void QtPrintSurface::FinishDocument() {
    if (painter_.isActive() && !painter_.end()) ok_ = false;
    if (paper_ && (paper_->printerState() == QPrinter::Error || paper_->printerState() == QPrinter::Aborted)) ok_ = false;
}

}  // namespace rp770::platform
