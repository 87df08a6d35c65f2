#include "platform/ReportPrinting.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/QtPrintSurface.h"
#include "os/ExclusiveFile.h"
#include "report/PrintedReport.h"

namespace rp770::platform {

namespace {

constexpr const char* kNeedsGui = "Printing needs the graphical application to be running.";

bool HaveGui() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

PrintOutcome DrawOn(QPrinter& printer, const DataSet& data, const QFont* font) {
    PrintOutcome outcome;
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

// The print service's command, where there is one.
QString PrintServiceCommand() {
#if defined(_WIN32)
    return {};
#else
    return QStandardPaths::findExecutable("lp");
#endif
}

struct JobSettings {
    QString queue;  // empty: the default queue
    std::string title;
    int copies = 1;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
    std::optional<QPageLayout> layout;  // none: A4
};

std::string Trimmed(const QByteArray& bytes) { return QString::fromLocal8Bit(bytes).trimmed().toStdString(); }

// The report as a PDF document, handed to the print service's `lp`.
PrintOutcome PrintThroughService(const QString& lp, const DataSet& data, const JobSettings& job, const QFont* font) {
    PrintOutcome outcome;
    std::error_code ec;
    std::filesystem::path folder;
    if (const int error = CreatePrivateFolder(std::filesystem::temp_directory_path(ec), "rp770-print-", folder)) {
        outcome.error = "No temporary folder for the print job (error " + std::to_string(error) + ").";
        return outcome;
    }
    const std::string pdf = (folder / "report.pdf").string();
    outcome = RenderReportPdf(data, pdf, font, job.layout ? &*job.layout : nullptr);
    if (outcome.ok) {
        QStringList args;
        if (!job.queue.isEmpty()) args << "-d" << job.queue;
        args << "-t" << QString::fromStdString(job.title);
        if (job.copies > 1) args << "-n" << QString::number(job.copies);
        if (job.duplex == QPrinter::DuplexLongSide || job.duplex == QPrinter::DuplexAuto)
            args << "-o" << "sides=two-sided-long-edge";
        else if (job.duplex == QPrinter::DuplexShortSide)
            args << "-o" << "sides=two-sided-short-edge";
        args << "--" << QString::fromStdString(pdf);
        QProcess process;
        process.start(lp, args);
        const bool finished = process.waitForStarted(10000) && process.waitForFinished(120000);
        const std::string said = Trimmed(process.readAllStandardError());
        if (!finished) {
            outcome.ok = false;
            outcome.error = "The print service did not answer (" + process.errorString().toStdString() + ").";
        } else if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            outcome.ok = false;
            outcome.error = "The print service refused the report" + (said.empty() ? std::string(".") : ": " + said);
        } else {
            outcome.reply = Trimmed(process.readAllStandardOutput());
        }
    }
    std::filesystem::remove_all(folder, ec);
    return outcome;
}

}  // namespace

std::string ReportJobTitle(const std::string& sourcePath) {
    const std::string name = std::filesystem::path(sourcePath).filename().string();
    return "RP770 report - " + (name.empty() ? std::string("untitled") : name);
}

PrintOutcome PrintReportOn(QPrinter& printer, const DataSet& data, const QFont* font, const std::string& jobTitle) {
    if (!HaveGui()) {
        PrintOutcome outcome;
        outcome.error = kNeedsGui;
        return outcome;
    }
    const std::string title = jobTitle.empty() ? ReportJobTitle("") : jobTitle;
    printer.setDocName(QString::fromStdString(title));
    if (printer.outputFormat() == QPrinter::NativeFormat) {
        if (const QString lp = PrintServiceCommand(); !lp.isEmpty()) {
            JobSettings job;
            job.queue = printer.printerName();
            job.title = title;
            job.copies = printer.copyCount();
            job.duplex = printer.duplex();
            job.layout = printer.pageLayout();
            return PrintThroughService(lp, data, job, font);
        }
    }
    return DrawOn(printer, data, font);
}

PrintOutcome PrintReportOnQueue(const DataSet& data, const std::string& queue, const std::string& jobTitle, const QFont* font) {
    PrintOutcome outcome;
    if (!HaveGui()) {
        outcome.error = kNeedsGui;
        return outcome;
    }
    if (const QString lp = PrintServiceCommand(); !lp.isEmpty()) {
        JobSettings job;
        job.queue = QString::fromStdString(queue);
        job.title = jobTitle;
        const QPrinterInfo info = queue.empty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(job.queue);
        if (!info.isNull()) job.layout = QPrinter(info, QPrinter::HighResolution).pageLayout();
        return PrintThroughService(lp, data, job, font);
    }
    const QPrinterInfo info = queue.empty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(QString::fromStdString(queue));
    if (info.isNull()) {
        outcome.error = queue.empty() ? "There is no default printer." : "There is no printer called " + queue + ".";
        return outcome;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    return PrintReportOn(printer, data, font, jobTitle);
}

PrintOutcome RenderReportPdf(const DataSet& data, const std::string& pdfPath, const QFont* font, const QPageLayout* layout) {
    if (!HaveGui()) {
        PrintOutcome outcome;
        outcome.error = kNeedsGui;
        return outcome;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdfPath));
    if (layout) {
        printer.setPageLayout(*layout);
    } else {
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
    }
    return DrawOn(printer, data, font);
}

}  // namespace rp770::platform
