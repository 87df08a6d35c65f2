#pragma once
// The printed report on a real printer or as a PDF document.
//
// Where the system has a print service with the `lp` command (CUPS on Linux
// and macOS), a printer gets the report as a PDF document through it (on
// lp's standard input: no temporary file), so that a job the service refuses
// (an unknown queue, a queue not accepting jobs) comes back as an error with
// the queue's own reason, and a job left waiting in a stopped queue is said.
// Elsewhere the report is drawn on the printer directly.

#include <string>
#include <string_view>

#include "core/Model.h"

class QFont;
class QPageLayout;
class QPrinter;

namespace rp770::platform {

struct PrintOutcome {
    bool ok = false;
    int pages = 0;       // pages drawn, those begun on their own included
    std::string error;   // what went wrong, for a message box; empty when ok
    std::string reply;   // what the print service said on success ("request id is ..."), if anything
    std::string notice;  // what the user must know although it worked (the queue is stopped: the job waits)
};

enum class Paper { A4, Letter };

// The paper a locale ("en_US.UTF-8", "fr_CA", "de_DE@euro") prints on:
// Letter in the USA and Canada, A4 elsewhere (C and POSIX included).
Paper PaperForLocale(std::string_view locale);
// The user's paper: the locale LC_ALL names, else LC_PAPER, else LANG.
Paper UsersPaper();

// "RP770 report - NAME": NAME is the file name of `sourcePath` without its
// folders, "untitled" when there is none.
std::string ReportJobTitle(const std::string& sourcePath);

// Prints the report on a printer already set up (by the print dialog, say).
// The job is called `jobTitle` (ReportJobTitle("") when empty). Needs a
// QGuiApplication.
PrintOutcome PrintReportOn(QPrinter& printer, const DataSet& data, const QFont* font = nullptr,
                           const std::string& jobTitle = {});

// Draws the report on `printer` itself, never through the print service:
// the pages a print preview shows, drawn as PrintReportOn prints them.
// Needs a QGuiApplication.
PrintOutcome DrawReportOn(QPrinter& printer, const DataSet& data, const QFont* font = nullptr);

// Prints the report on the named print queue, the default one when `queue`
// is empty, on the queue's paper (the user's when the queue does not say).
// Needs a QGuiApplication.
PrintOutcome PrintReportOnQueue(const DataSet& data, const std::string& queue, const std::string& jobTitle,
                                const QFont* font = nullptr);

// The report as a PDF document in memory, on the paper given, carrying the
// title. Needs a QGuiApplication; without one it fails and says so.
PrintOutcome RenderReportPdf(const DataSet& data, std::string& pdf, Paper paper, const std::string& title,
                             const QFont* font = nullptr);

// What a program without a window is told when the drawing surface of the
// printed report cannot start (`why`: the toolkit's own words).
inline std::string NoDrawingSurfaceText(const std::string& why) {
    return "The printed report cannot be drawn: the window system's offscreen drawing did not start (" + why + ").";
}

// Renders the report into a PDF file (A4 unless a page layout is given).
// Needs a QGuiApplication; without one it fails and says so.
PrintOutcome RenderReportPdf(const DataSet& data, const std::string& pdfPath, const QFont* font = nullptr,
                             const QPageLayout* layout = nullptr);

}  // namespace rp770::platform
