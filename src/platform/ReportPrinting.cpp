#include "platform/ReportPrinting.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include "platform/QtPrintSurface.h"
#include "report/PrintedReport.h"

namespace rp770::platform {

PrintOutcome PrintReportOn(QPrinter& printer, const DataSet& data, const QFont* font) {
    PrintOutcome outcome;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        outcome.error = "Printing needs the graphical application to be running.";
        return outcome;
    }
    QtPrintSurface surface(printer, font);
    if (!surface.Ok()) {
        outcome.error = printer.outputFileName().isEmpty()
                            ? "The printer could not start the document."
                            : "Unable to write " + printer.outputFileName().toStdString() + ".";
        return outcome;
    }
    PrintReport(data, surface);
    outcome.pages = surface.PageCount();
    outcome.ok = surface.Ok();
    if (!outcome.ok) outcome.error = "The printer stopped before the document was complete.";
    return outcome;
}

PrintOutcome RenderReportPdf(const DataSet& data, const std::string& pdfPath, const QFont* font) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        PrintOutcome outcome;
        outcome.error = "Printing needs the graphical application to be running.";
        return outcome;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdfPath));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    return PrintReportOn(printer, data, font);
}

}  // namespace rp770::platform
