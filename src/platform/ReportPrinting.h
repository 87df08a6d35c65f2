#pragma once
// The printed report on a real printer or into a PDF file.

#include <string>

#include "core/Model.h"

class QFont;
class QPrinter;

namespace rp770::platform {

struct PrintOutcome {
    bool ok = false;
    int pages = 0;      // pages drawn, those begun on their own included
    std::string error;  // what went wrong, for a message box; empty when ok
};

// Prints the report on a printer already set up (by the print dialog, say).
// Needs a QGuiApplication.
PrintOutcome PrintReportOn(QPrinter& printer, const DataSet& data, const QFont* font = nullptr);

// Renders the report into a PDF file (A4). Needs a QGuiApplication; without
// one it fails and says so.
PrintOutcome RenderReportPdf(const DataSet& data, const std::string& pdfPath, const QFont* font = nullptr);

}  // namespace rp770::platform
