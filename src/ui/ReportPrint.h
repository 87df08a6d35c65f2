#pragma once
// Printing the report from the window: the print dialog and a preview of
// exactly the pages the printer will get, in the order the user asked for,
// then the job; what went wrong, or what the user must know, is said.

#include <functional>
#include <string>

#include "core/Model.h"
#include "platform/Prompter.h"

class QWidget;

namespace rp770::ui {

class FileDialogs;

enum class PrintOrder {
    ChooseThenPreview,  // File > Print: the printer first, then its pages
    PreviewThenChoose,  // File > Print Preview: the pages first, then the printer
};

struct PrintRequest {
    const DataSet& data;
    std::string jobTitle;      // the document's name for the print queue
    std::string messageTitle;  // the caption of a message about the job
    PrintOrder order = PrintOrder::ChooseThenPreview;
    std::function<void(bool busy)> busy = {};  // around the job itself
};

// True when the report was printed.
bool PrintReportWithPreview(QWidget* parent, FileDialogs& dialogs, Prompter& prompter, const PrintRequest& request);

}  // namespace rp770::ui
