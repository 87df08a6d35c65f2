#include "platform/ReportPrinting.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "desktop/AtomicFile.h"
#include "platform/QtPrintSurface.h"
#include "report/PrintedReport.h"
#include "messages/MessageText.h"

namespace rp770::platform {

namespace {

bool HaveGui() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

PrintOutcome NoGui() {
    PrintOutcome outcome;
    outcome.error = Words(MessageId::PrintingNeedsGui);
    return outcome;
}

// Draws the report on a device that has begun its document; `failed` is
// what to say when it could not.
PrintOutcome Draw(QtPrintSurface& surface, const DataSet& data, const std::string& failed) {
    PrintOutcome outcome;
    if (!surface.Ok()) {
        outcome.error = failed;
        return outcome;
    }
    PrintReport(data, surface);
    outcome.pages = surface.PageCount();
    outcome.ok = surface.Ok();
    if (!outcome.ok) outcome.error = Words(MessageId::PrinterStopped);
    return outcome;
}

PrintOutcome DrawOn(QPrinter& printer, const DataSet& data, const QFont* font) {
    QtPrintSurface surface(printer, font);
    return Draw(surface, data,
                printer.outputFileName().isEmpty() ? Words(MessageId::PrinterCouldNotStart)
                                                   : Words(MessageId::UnableToWrite, printer.outputFileName().toStdString()));
}

// A PDF printer's page on the paper: its margins as QPrinter gives them, so
// that every way to a PDF draws the same pages.
QPageLayout PdfLayout(Paper paper) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    QPageLayout layout = printer.pageLayout();
    layout.setPageSize(QPageSize(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4));
    layout.setOrientation(QPageLayout::Portrait);
    return layout;
}

PrintOutcome RenderPdf(const DataSet& data, std::string& pdf, const QPageLayout& layout, const std::string& title,
                       const QFont* font) {
    if (!HaveGui()) return NoGui();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    PrintOutcome outcome;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(QPrinter(QPrinter::HighResolution).resolution());
        writer.setPageLayout(layout);
        writer.setTitle(QString::fromStdString(title));
        writer.setCreator(QStringLiteral("RP770"));
        QtPrintSurface surface(writer, font);
        outcome = Draw(surface, data, Words(MessageId::PdfCouldNotStart));
    }
    pdf.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    return outcome;
}

// The print service's commands, where there are: "lp", "lpstat".
QString PrintServiceCommand(const char* name) {
#if defined(_WIN32)
    (void)name;
    return {};
#else
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
#endif
}

struct JobSettings {
    QString queue;  // empty: the default queue
    std::string title;
    int copies = 1;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
    std::optional<QPageLayout> layout;  // none: the user's paper
};

std::string Trimmed(const QByteArray& bytes) { return QString::fromLocal8Bit(bytes).trimmed().toStdString(); }

// What `lpstat ARGS` prints, in English; empty when it cannot be asked.
std::string Lpstat(const QStringList& args) {
    const QString lpstat = PrintServiceCommand("lpstat");
    if (lpstat.isEmpty()) return {};
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C");
    process.setProcessEnvironment(environment);
    process.start(lpstat, args);
    if (!process.waitForStarted(10000) || !process.waitForFinished(30000) || process.exitCode() != 0) return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput()).toStdString();
}

// The queue a job without a name goes to.
std::string QueueName(const QString& queue) {
    if (!queue.isEmpty()) return queue.toStdString();
    const std::string said = Lpstat({"-d"});  // "system default destination: NAME"
    const size_t colon = said.find(": ");
    return colon == std::string::npos ? std::string() : QString::fromStdString(said.substr(colon + 2)).trimmed().toStdString();
}

// The reason under lpstat's first line, when that line holds `state`
// ("printer Q disabled since ... -" and "\tPaused for new toner").
std::optional<std::string> StateReason(const std::string& said, const std::string& state) {
    const size_t lineEnd = said.find('\n');
    if (said.substr(0, lineEnd).find(state) == std::string::npos) return std::nullopt;
    std::string reason;
    for (size_t at = lineEnd; at != std::string::npos && at + 1 < said.size();) {
        const size_t next = said.find('\n', at + 1);
        const QString line = QString::fromStdString(said.substr(at + 1, next - at - 1)).trimmed();
        if (!line.isEmpty()) reason += (reason.empty() ? "" : " ") + line.toStdString();
        at = next;
    }
    return reason;
}

std::string QueueSays(const std::optional<std::string>& reason) {
    return reason && !reason->empty() ? "\n" + Words(MessageId::QueueSays, *reason) : std::string();
}

// The report as a PDF document on lp's standard input.
PrintOutcome PrintThroughService(const QString& lp, const DataSet& data, const JobSettings& job, const QFont* font) {
    std::string pdf;
    PrintOutcome outcome = RenderPdf(data, pdf, job.layout ? *job.layout : PdfLayout(UsersPaper()), job.title, font);
    if (!outcome.ok) return outcome;
    QStringList args;
    if (!job.queue.isEmpty()) args << "-d" << job.queue;
    args << "-t" << QString::fromStdString(job.title);
    if (job.copies > 1) args << "-n" << QString::number(job.copies);
    if (job.duplex == QPrinter::DuplexLongSide || job.duplex == QPrinter::DuplexAuto)
        args << "-o" << "sides=two-sided-long-edge";
    else if (job.duplex == QPrinter::DuplexShortSide)
        args << "-o" << "sides=two-sided-short-edge";
    QProcess process;
    process.start(lp, args);
    if (process.waitForStarted(10000)) {
        process.write(pdf.data(), static_cast<qint64>(pdf.size()));
        process.closeWriteChannel();
    }
    const bool finished = process.waitForFinished(120000);
    const std::string said = Trimmed(process.readAllStandardError());
    const std::string queue = QueueName(job.queue);
    if (!finished) {
        outcome.ok = false;
        outcome.error = Words(MessageId::PrintServiceNoAnswer, process.errorString().toStdString());
    } else if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        outcome.ok = false;
        outcome.error = said.empty() ? Words(MessageId::PrintServiceRefused) : Words(MessageId::PrintServiceRefusedSaying, said);
        if (!queue.empty())
            outcome.error += QueueSays(StateReason(Lpstat({"-a", QString::fromStdString(queue)}), "not accepting"));
    } else {
        outcome.reply = Trimmed(process.readAllStandardOutput());
        // A stopped queue takes the job and keeps it: the user must know.
        if (const auto stopped = queue.empty() ? std::nullopt
                                               : StateReason(Lpstat({"-p", QString::fromStdString(queue)}), " disabled"))
            outcome.notice = Words(MessageId::PrintQueueStopped, queue) + QueueSays(stopped);
    }
    return outcome;
}

}  // namespace

Paper PaperForLocale(std::string_view locale) {
    // language_TERRITORY.codeset@modifier: the territory decides.
    const size_t underscore = locale.find('_');
    if (underscore == std::string_view::npos) return Paper::A4;
    const std::string_view territory = locale.substr(underscore + 1, 2);
    const std::string_view after = locale.substr(std::min(locale.size(), underscore + 3), 1);
    const bool whole = after.empty() || after == "." || after == "@";
    return whole && (territory == "US" || territory == "CA") ? Paper::Letter : Paper::A4;
}

Paper UsersPaper() {
    for (const char* variable : {"LC_ALL", "LC_PAPER", "LANG"})
        if (const char* value = std::getenv(variable); value && *value) return PaperForLocale(value);
    return Paper::A4;
}

std::string ReportJobTitle(const std::string& sourcePath) {
    const std::string name = std::filesystem::path(sourcePath).filename().string();
    // The document's own title (the PDF's metadata, the queue's job name) is
    // part of the report: it does not change with the language.
    return MessageText(MessageId::PrintJobTitle, name.empty() ? MessageText(MessageId::Untitled) : MessageText(name)).English();
}

PrintOutcome PrintReportOn(QPrinter& printer, const DataSet& data, const QFont* font, const std::string& jobTitle) {
    if (!HaveGui()) return NoGui();
    const std::string title = jobTitle.empty() ? ReportJobTitle("") : jobTitle;
    printer.setDocName(QString::fromStdString(title));
    if (printer.outputFormat() == QPrinter::NativeFormat) {
        if (const QString lp = PrintServiceCommand("lp"); !lp.isEmpty()) {
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

PrintOutcome DrawReportOn(QPrinter& printer, const DataSet& data, const QFont* font) {
    if (!HaveGui()) return NoGui();
    return DrawOn(printer, data, font);
}

PrintOutcome PrintReportOnQueue(const DataSet& data, const std::string& queue, const std::string& jobTitle, const QFont* font) {
    if (!HaveGui()) return NoGui();
    const QPrinterInfo info =
        queue.empty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(QString::fromStdString(queue));
    if (const QString lp = PrintServiceCommand("lp"); !lp.isEmpty()) {
        JobSettings job;
        job.queue = QString::fromStdString(queue);
        job.title = jobTitle;
        if (!info.isNull()) job.layout = QPrinter(info, QPrinter::HighResolution).pageLayout();
        return PrintThroughService(lp, data, job, font);
    }
    if (info.isNull()) {
        PrintOutcome outcome;
        outcome.error = queue.empty() ? Words(MessageId::NoDefaultPrinter) : Words(MessageId::NoPrinterNamed, queue);
        return outcome;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    return PrintReportOn(printer, data, font, jobTitle);
}

PrintOutcome RenderReportPdf(const DataSet& data, std::string& pdf, Paper paper, const std::string& title,
                             const QFont* font) {
    return RenderPdf(data, pdf, PdfLayout(paper), title, font);
}

PrintOutcome RenderReportPdf(const DataSet& data, const std::string& pdfPath, const QFont* font, const QPageLayout* layout) {
    std::string pdf;
    PrintOutcome outcome = RenderPdf(data, pdf, layout ? *layout : PdfLayout(Paper::A4), ReportJobTitle(""), font);
    if (!outcome.ok) return outcome;
    if (const Failure failure = WriteFileAtomically(pdfPath, pdf, &outcome.notice); failure.Failed()) {
        outcome.ok = false;
        outcome.error = Words(MessageId::UnableToWriteReason, pdfPath, failure.Reason());
    }
    return outcome;
}

}  // namespace rp770::platform
