#pragma once
// The printed report's surface over a QPainter on a QPrinter (a paper printer
// or a PDF file) or another paged device (a QPdfWriter into memory). Positions are twips from the top left of the printable
// area; the line height is the font's line spacing; a line that would run
// off the bottom of the page moves to the top of a new page.

#include <QFont>
#include <QPainter>
#include <QString>

#include "report/PositionedSurface.h"

class QPagedPaintDevice;
class QPrinter;

namespace rp770::platform {

class QtPrintSurface : public PositionedSurface {
public:
    // Starts the print job at once. Without a font, the painter's default
    // font on that printer is used.
    explicit QtPrintSurface(QPrinter& printer, const QFont* font = nullptr);
    explicit QtPrintSurface(QPagedPaintDevice& device, const QFont* font = nullptr);
    ~QtPrintSurface() override;
    QtPrintSurface(const QtPrintSurface&) = delete;
    QtPrintSurface& operator=(const QtPrintSurface&) = delete;

    // False when the job could not start (no printer, file not writable) or
    // a new page could not be begun; drawing then does nothing.
    bool Ok() const { return ok_; }

    double LineHeightTwips() const { return LineHeight(); }
    double PageHeightTwips() const { return PageHeight(); }

protected:
    double TextWidth(std::string_view text) const override;
    double LineHeight() const override { return lineHeight_; }
    double PageHeight() const override { return pageHeight_; }
    void Draw(double xTwips, double yTwips, std::string_view text, bool endLine) override;
    void BeginNextPage() override;
    void FinishDocument() override;

private:
    static QString ToQString(std::string_view text);

    QPagedPaintDevice& printer_;
    QPrinter* paper_ = nullptr;  // when the device is a printer
    QPainter painter_;
    bool ok_ = false;
    double dotsPerTwipX_ = 1;
    double dotsPerTwipY_ = 1;
    double lineHeight_ = 240;
    double pageHeight_ = 0;
    double ascent_ = 0;  // twips
};

}  // namespace rp770::platform
