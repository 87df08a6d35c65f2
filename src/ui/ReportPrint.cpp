#include "ui/ReportPrint.h"

#include <QPrinter>

#include "messages/MessageText.h"
#include "platform/ReportPrinting.h"
#include "ui/FileDialogs.h"

namespace rp770::ui {

bool PrintReportWithPreview(QWidget* parent, FileDialogs& dialogs, Prompter& prompter, const PrintRequest& request) {
    QPrinter printer(QPrinter::HighResolution);
    const DataSet& data = request.data;
    const PageDrawer draw = [&data](QPrinter& target) { platform::DrawReportOn(target, data); };
    if (request.order == PrintOrder::ChooseThenPreview) {
        if (!dialogs.ChoosePrinter(parent, printer) || !dialogs.PreviewPages(parent, printer, draw, false)) return false;
    } else if (!dialogs.PreviewPages(parent, printer, draw, true) || !dialogs.ChoosePrinter(parent, printer)) {
        return false;
    }
    if (request.busy) request.busy(true);
    const platform::PrintOutcome outcome = platform::PrintReportOn(printer, data, nullptr, request.jobTitle);
    if (request.busy) request.busy(false);
    if (!outcome.ok)
        prompter.Message(outcome.error.empty() ? Words(MessageId::ReportNotPrinted) : outcome.error, request.messageTitle,
                         Icon::Warning);
    else if (!outcome.notice.empty())
        prompter.Message(outcome.notice, request.messageTitle, Icon::Information);
    return outcome.ok;
}

}  // namespace rp770::ui
