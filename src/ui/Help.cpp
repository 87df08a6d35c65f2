#include "ui/Help.h"

namespace rp770::ui {

const std::string& HelpFileName() {
    static const std::string name;
    return name;
}

void ShowHelp(Prompter& prompter, const std::string& ownerCaption, int /*topic*/) {
    if (HelpFileName().empty()) {
        prompter.Message("Unable to display Help Contents. There is no Help associated with this project.",
                         ownerCaption, Icon::Information);
        return;
    }
    // A help viewer would be opened here at the topic; none is shipped.
}

}  // namespace rp770::ui
