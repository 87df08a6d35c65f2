#pragma once
// The printed report on a real printer or into a PDF file.
//
// Where the system has a print service with the `lp` command (CUPS on Linux
// and macOS), a printer gets the report as a PDF document through it, so
// that a job the service refuses (an unknown queue, a queue not accepting
// jobs) comes back as an error the user is shown. Elsewhere the report is
// drawn on the printer directly.

#include <string>

#include "core/Model.h"

class QFont;
class QPageLayout;
class QPrinter;

namespace rp770::platform {

struct PrintOutcome {
    bool ok = false;
    int pages = 0;      // pages drawn, those begun on their own included
    std::string error;  // what went wrong, for a message box; empty when ok
    std::string reply;  // what the print service said on success ("request id is ..."), if anything
};

// "RP770 report - NAME": NAME is the file name of `sourcePath` without its
// folders, "untitled" when there is none.
std::string ReportJobTitle(const std::string& sourcePath);

// Prints the report on a printer already set up (by the print dialog, say).
// The job is called `jobTitle` (ReportJobTitle("") when empty). Needs a
// QGuiApplication.
PrintOutcome PrintReportOn(QPrinter& printer, const DataSet& data, const QFont* font = nullptr,
                           const std::string& jobTitle = {});

// Prints the report on the named print queue, the default one when `queue`
// is empty. Needs a QGuiApplication.
PrintOutcome PrintReportOnQueue(const DataSet& data, const std::string& queue, const std::string& jobTitle,
                                const QFont* font = nullptr);

// Renders the report into a PDF file (A4 unless a page layout is given).
// Needs a QGuiApplication; without one it fails and says so.
PrintOutcome RenderReportPdf(const DataSet& data, const std::string& pdfPath, const QFont* font = nullptr,
                             const QPageLayout* layout = nullptr);

}  // namespace rp770::platform
