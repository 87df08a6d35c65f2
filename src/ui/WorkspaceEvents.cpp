#include "ui/WorkspaceEvents.h"

namespace rp770::ui {

WorkspaceEvents::WorkspaceEvents(Workspace& workspace, QObject* parent)
    : QObject(parent), subscription_(workspace.Subscribe([this](const ChangeNotice& n) { Changed(n); })) {}

void WorkspaceEvents::Changed(const ChangeNotice& notice) {
    switch (notice.source) {
        case ChangeSource::Edit:
            // A panel's own edit of one field is on screen already; a change
            // of many is shown again everywhere.
            if (notice.channel || (!notice.area && !notice.field.empty()))
                emit edited();
            else
                emit restored();
            break;
        case ChangeSource::Undo:
        case ChangeSource::Redo: emit restored(); break;
        case ChangeSource::Correction: emit corrected(); break;
        case ChangeSource::Replacement: emit replaced(); break;
        case ChangeSource::Saved: emit saved(); break;
    }
}

}  // namespace rp770::ui
